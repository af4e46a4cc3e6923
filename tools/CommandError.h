// The one exception inside the command: a verb that cannot go on throws it
// with the exit status and a UTF-8 message, and CommandLine turns it into
// output. Never thrown across the library's boundary.
#pragma once

#include <stdexcept>
#include <string>

namespace tools {

class CommandError : public std::runtime_error {
 public:
  static constexpr int kUsage = 2;
  static constexpr int kFailure = 1;

  CommandError(int status, const std::string& message) : std::runtime_error(message), status_(status) {}
  int status() const { return status_; }

 private:
  int status_;
};

}  // namespace tools
