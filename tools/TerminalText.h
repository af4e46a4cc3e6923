// The edge between the user's terminal (UTF-8) and the library (code page
// 932). Input that code page 932 cannot hold is refused with a message that
// names the argument, never passed on with replacement characters; output is
// converted for display, a byte that is not code page 932 shown as U+FFFD.
#pragma once

#include <string>

namespace tools {

class TerminalText {
 public:
  // Throws CommandError (usage) naming `what` when `utf8` cannot be held.
  static std::string ToLibrary(const std::string& utf8, const std::string& what);
  static std::string ToTerminal(const std::string& cp932);
};

}  // namespace tools
