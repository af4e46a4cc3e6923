// "printers" (the installed printers with state, driver, location, comment
// and port, the default marked) and "printer NAME" (its papers, bins and
// device settings), straight from the printer list and the spooler calls the
// library itself uses.
#pragma once

#include <string>

#include "tools/VerbGroup.h"

namespace tools {

class PrinterVerbs : public VerbGroup {
 public:
  void Register(CLI::App& app, CommandContext& ctx) override;

 private:
  int Printers(CommandContext& ctx);
  int Printer(CommandContext& ctx);

  std::string name_;
};

}  // namespace tools
