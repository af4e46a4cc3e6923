#include "tools/CommandOutput.h"

#include <cstdio>
#include <iostream>

#include "platform/registry/PgHive.h"
#include "tools/ResultMeaning.h"

namespace tools {

void CommandOutput::Text(const std::string& line) {
  if (!json_) std::cout << line << '\n';
}

// A message may quote a hive's connection URI as the user typed it.
void CommandOutput::Problem(const std::string& text) {
  std::string message = registry::MaskPgUrisIn(text);
  if (json_)
    data_["problems"].push_back(message);
  else
    std::cerr << "quorprn: " << message << '\n';
}

int CommandOutput::Result(int32_t code, ResultMeaning::Sense sense, const std::string& error) {
  const std::string meaning = ResultMeaning::Of(code, sense);
  data_["result"] = code;
  data_["meaning"] = meaning;
  if (!error.empty()) data_["error"] = error;
  if (!json_) {
    std::cout << "result: " << code << " (" << meaning << ")\n";
    if (!error.empty()) ErrorLine("quorprn: " + error);
  }
  return ResultMeaning::ExitStatus(code);
}

int CommandOutput::Success() {
  data_["result"] = 1;
  data_["meaning"] = ResultMeaning::Of(1);
  return 0;
}

int CommandOutput::Fail(int status, const std::string& text) {
  std::string message = registry::MaskPgUrisIn(text);
  data_["result"] = 0;
  data_["meaning"] = status == 2 ? "usage error" : "failed";
  data_["error"] = message;
  if (!json_) ErrorLine("quorprn: " + message);
  return status;
}

void CommandOutput::ReportLine(const std::string& line) { ErrorLine(line); }

// The registry reports a failure where it happens and the verb names it again
// in its answer; the administrator needs to read it once.
void CommandOutput::ErrorLine(const std::string& line) {
  if (printed_.insert(line).second) std::cerr << line << '\n';
}

void CommandOutput::Flush() {
  if (flushed_) return;
  flushed_ = true;
  if (json_) {
    if (!data_.contains("result")) Success();
    // Names that are not valid UTF-8 were already replaced on conversion;
    // replacing again here keeps a damaged byte from aborting the dump.
    std::cout << data_.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
  }
  std::cout.flush();
}

}  // namespace tools
