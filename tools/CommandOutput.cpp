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

int CommandOutput::Result(int32_t code) {
  data_["result"] = code;
  data_["meaning"] = ResultMeaning::Of(code);
  if (!json_) std::cout << "result: " << code << " (" << ResultMeaning::Of(code) << ")\n";
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
  if (!json_) std::cerr << "quorprn: " << message << '\n';
  return status;
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
