// What every verb works with: the global options, the output, and the one
// action that the parsed command line chose. Owns the output; the hive and
// the spooler it chooses belong to their components for the process's life.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/ArgumentCheck.h"
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

  ~CommandContext();
  // Makes the hive and the spooler the ones the options name. Must run
  // before any verb touches the library.
  void ApplyGlobalOptions();
  // `readsPrinters`: the action asks the spooler (directly or through the
  // library's printer list or redirect names). Such an action does not run
  // when the spooler cannot answer at all, since an empty printer list would
  // then read as "no printer installed".
  void Select(Action action, bool readsPrinters = true) {
    action_ = std::move(action);
    readsPrinters_ = readsPrinters;
  }
  bool HasAction() const { return static_cast<bool>(action_); }
  int RunAction();

  // The library's answer to a verb: a refused argument (110) is named from
  // `args`, a registry failure carries the registry's own cause.
  int Answer(int32_t code, ResultMeaning::Sense sense, const ArgumentCheck& args);

 private:
  Action action_;
  bool readsPrinters_ = true;
};

}  // namespace tools
