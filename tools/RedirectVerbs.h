// "redirect [--port P]... [--remove P]... name PRINTER | real STORED": the
// name the store keeps for an installed printer, and the installed printer a
// stored redirect name stands for, under the patterns a host would set.
#pragma once

#include <string>
#include <vector>

#include "tools/VerbGroup.h"

namespace tools {

class RedirectVerbs : public VerbGroup {
 public:
  void Register(CLI::App& app, CommandContext& ctx) override;

 private:
  int Convert(CommandContext& ctx, bool toStored);

  std::vector<std::string> ports_, removes_;
  std::string name_;
};

}  // namespace tools
