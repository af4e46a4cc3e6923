// Everything the command says. In text mode lines go to standard output as
// they come and problems to standard error; with --json nothing is printed
// until Flush, which writes one object whose keys "result" and "meaning" are
// always present. All text handed in is UTF-8 (see TerminalText).
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "tools/ResultMeaning.h"

namespace tools {

class CommandOutput {
 public:
  void SetJson(bool json) { json_ = json; }
  bool json() const { return json_; }

  // The object printed with --json; verbs add their records to it.
  nlohmann::json& Data() { return data_; }
  void Text(const std::string& line);
  // A warning or a skipped item; the verb decides what it does to the status.
  void Problem(const std::string& message);
  // The library's answer: printed with its meaning in the verb's sense, and
  // with `error` (why it failed) when that is known; returns the exit status.
  int Result(int32_t code, ResultMeaning::Sense sense = ResultMeaning::Sense::Lookup,
             const std::string& error = "");
  // A verb that did its work without a library code.
  int Success();
  // A failure of the command itself; returns `status`.
  int Fail(int status, const std::string& message);
  void Flush();
  // A line the library's registry component reports while a verb runs; it
  // goes to standard error once, however often the same failure repeats.
  void ReportLine(const std::string& line);

 private:
  void ErrorLine(const std::string& line);

  bool json_ = false;
  bool flushed_ = false;
  nlohmann::json data_ = nlohmann::json::object();
  std::set<std::string> printed_;
};

}  // namespace tools
