// "dialog form": the form dialog (QuorPrnFormDlgOpen) for one form of a
// printer set on the chosen hive and spooler, and on confirm the form's
// settings as a host now gets them. Needs a display; without one it says so
// and fails.
#pragma once

#include <cstdint>
#include <string>

#include "tools/VerbGroup.h"

namespace tools {

class DialogFormVerb : public VerbGroup {
 public:
  void Register(CLI::App& app, CommandContext& ctx) override;

 private:
  int Run(CommandContext& ctx);

  std::string system_, job_, template_, form_, title_;
  uint32_t set_ = 0;
  bool standardPapers_ = false;
  uint32_t helpId_ = 0;
};

}  // namespace tools
