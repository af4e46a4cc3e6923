// UTF-16LE <-> UTF-8 for regedit's version 5 files, which are UTF-16LE with a
// byte-order mark. Pure functions over byte strings: an unpaired surrogate or
// an odd byte count is an error naming the offset, never a replacement
// character, so a damaged file cannot slip through as different text.
#pragma once

#include <string>
#include <string_view>

namespace tools {

class Utf16Codec {
 public:
  // `utf16le` without its byte-order mark.
  static bool ToUtf8(std::string_view utf16le, std::string* out, std::string* error);
  // Fails on malformed UTF-8 (overlong forms, surrogates, truncation).
  static bool FromUtf8(std::string_view utf8, std::string* out, std::string* error);
  // True when `bytes` is well-formed UTF-8.
  static bool IsUtf8(std::string_view bytes);
};

}  // namespace tools
