// One group of related verbs (one file each): it adds its subcommands with
// their options and help to the parser, and selects its action on the
// context when one of them is chosen. A group holds the parsed option values
// and nothing else.
#pragma once

#include <CLI/CLI.hpp>

#include "tools/CommandContext.h"

namespace tools {

class VerbGroup {
 public:
  virtual ~VerbGroup() = default;
  virtual void Register(CLI::App& app, CommandContext& ctx) = 0;
};

}  // namespace tools
