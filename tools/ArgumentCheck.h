// Names the argument behind the library's answer 110. The library only says
// that an entry check failed; the command knows what it passed and repeats
// the checks in the library's order to say which one ("the form name is
// empty", "set number 100 is above 99"). It decides nothing itself: the
// library's answer stays the answer.
#pragma once

#include <cstdint>
#include <string>

namespace tools {

class ArgumentCheck {
 public:
  // `what` names the argument as the message shows it ("the job name").
  ArgumentCheck& Name(const char* what, const std::string& value);
  ArgumentCheck& Set(uint32_t set);
  // The first argument that fails its check; empty when none does.
  const std::string& Why() const { return why_; }

 private:
  std::string why_;
};

}  // namespace tools
