// "dialog printer": the printer dialog of one printer set on the chosen hive
// and spooler, so that an administrator can set printers up without a host
// application. Needs a display; without one it says so and fails.
#pragma once

#include <cstdint>
#include <string>

#include "tools/VerbGroup.h"

namespace tools {

class DialogPrinterVerb : public VerbGroup {
 public:
  void Register(CLI::App& app, CommandContext& ctx) override;

 private:
  int Run(CommandContext& ctx);

  std::string system_, job_;
  uint32_t set_ = 0;
  bool colour_ = false;
  uint32_t helpId_ = 0;
};

}  // namespace tools
