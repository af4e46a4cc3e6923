#include "tools/ArgumentCheck.h"

namespace tools {

ArgumentCheck& ArgumentCheck::Name(const char* what, const std::string& value) {
  if (why_.empty() && value.empty()) why_ = std::string(what) + " is empty";
  return *this;
}

ArgumentCheck& ArgumentCheck::Set(uint32_t set) {
  if (why_.empty() && set > 99) why_ = "set number " + std::to_string(set) + " is above 99";
  return *this;
}

}  // namespace tools
