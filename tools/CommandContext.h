// What every verb works with: the global options, the output, and the one
// action that the parsed command line chose. Owns the output; the hive and
// the spooler it chooses belong to their components for the process's life.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/CommandOutput.h"

namespace tools {

class CommandContext {
 public:
  using Action = std::function<int(CommandContext&)>;

  std::string registryPath;  // --registry; empty: the components' own choice
  std::string spooler;       // --spooler: "cups" or a JSON file; empty likewise
  bool json = false;
  std::vector<std::string> redirectPorts;    // --redirect-port, UTF-8
  std::vector<std::string> redirectRemoves;  // --redirect-remove, UTF-8
  CommandOutput out;

  // Makes the hive and the spooler the ones the options name. Must run
  // before any verb touches the library.
  void ApplyGlobalOptions();
  void Select(Action action) { action_ = std::move(action); }
  bool HasAction() const { return static_cast<bool>(action_); }
  int RunAction() { return action_(*this); }

 private:
  Action action_;
};

}  // namespace tools
