// The short meaning of each of the library's result codes, as the command
// prints it next to the code, and the exit status the command gives for it.
#pragma once

#include <cstdint>
#include <string>

namespace tools {

class ResultMeaning {
 public:
  static std::string Of(int32_t code);
  // 0 for success, 10 for a complete answer built from fallbacks (140-143),
  // 1 for everything else.
  static int ExitStatus(int32_t code);
};

}  // namespace tools
