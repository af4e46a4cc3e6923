// The short meaning of each of the library's result codes, as the command
// prints it next to the code, and the exit status the command gives for it.
// The codes 140 to 143 mean different things after different verbs: after a
// lookup the records were completed from fallbacks, after a store verb or
// show the thing asked for is simply not stored.
#pragma once

#include <cstdint>
#include <string>

namespace tools {

class ResultMeaning {
 public:
  enum class Sense { Lookup, Stored };
  static std::string Of(int32_t code, Sense sense = Sense::Lookup);
  // 0 for success, 10 for a complete answer built from fallbacks (140-143),
  // 1 for everything else.
  static int ExitStatus(int32_t code);
};

}  // namespace tools
