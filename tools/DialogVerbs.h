// "dialog ...": opens one of the library's dialogs on the hive and printers
// the global options chose, as a host would, and prints what it answered.
// Each dialog's subcommand is a group of its own in its own file, added to
// the list in DialogVerbs.cpp with one line.
#pragma once

#include <memory>
#include <vector>

#include "tools/VerbGroup.h"

namespace tools {

class DialogVerbs : public VerbGroup {
 public:
  DialogVerbs();
  ~DialogVerbs() override;
  // Registers the "dialog" verb; each dialog group adds its subcommand to it.
  void Register(CLI::App& app, CommandContext& ctx) override;

 private:
  std::vector<std::unique_ptr<VerbGroup>> dialogs_;
};

}  // namespace tools
