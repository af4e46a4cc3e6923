// The library's dialogs, as the dialog verbs reach them. The dialogs build on
// Qt, and loading Qt with its desktop libraries would cost every run of the
// command several milliseconds; so the command keeps them in a module of
// their own and loads it only when a dialog is to open. The module takes the
// rest of the library from the command itself, so the dialogs work on the
// hive and spooler that the command chose.
#pragma once

#include <string>
#include <vector>

#include "quorprn/QuorPrn.h"

namespace tools {

class DialogModule {
 public:
  decltype(&QuorPrnPrinterDlgOpen) printerDlgOpen = nullptr;
  decltype(&QuorPrnFormDlgOpen) formDlgOpen = nullptr;
  decltype(&QuorPrnXdwOutputDlgOpen) xdwOutputDlgOpen = nullptr;

  // The module's entry points, loaded on the first call and kept for the
  // process's life. Throws CommandError (failure) naming the module when it
  // is missing or cannot be loaded.
  static const DialogModule& Get();

  // Where the module is looked for, in this order: beside the command (the
  // build tree), then where an install puts it relative to the command.
  static std::vector<std::string> Places(const std::string& commandDir);

 private:
  static DialogModule Load();
};

}  // namespace tools
