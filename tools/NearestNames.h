// The names most like one that was mistyped, for a message that offers them
// ("did you mean ..."). Compares by characters, not bytes, so a Japanese name
// one character short is one edit away; ASCII letter case does not count.
// Texts are UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tools {

class NearestNames {
 public:
  // Up to `most` of `candidates`, nearest first (ties in their given order).
  static std::vector<std::string> Of(const std::string& typed, const std::vector<std::string>& candidates,
                                     size_t most = 3);
};

}  // namespace tools
