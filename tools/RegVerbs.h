// "reg import FILE" and "reg export [KEY] [-o FILE] [--format 5|4]": regedit
// files in and out of the hive that --registry names.
#pragma once

#include <string>

#include "tools/VerbGroup.h"

namespace tools {

class RegVerbs : public VerbGroup {
 public:
  void Register(CLI::App& app, CommandContext& ctx) override;

 private:
  int Import(CommandContext& ctx);
  int Export(CommandContext& ctx);

  std::string importFile_;
  std::string exportKey_;
  std::string exportFile_;
  int exportFormat_ = 5;
};

}  // namespace tools
