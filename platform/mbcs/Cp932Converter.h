// Conversion between UTF-8 (what terminals, JSON files, catalogues and Qt
// speak) and code page 932 (what the library holds in every std::string).
// Backed by glibc iconv "CP932", which keeps 0x5C a backslash and knows the NEC
// and IBM extensions. Invalid input is an error with a message naming the byte
// offset; nothing is replaced silently and nothing throws.
#pragma once

#include <string>
#include <string_view>

namespace mbcs {

class Cp932Converter {
 public:
  // Returns true and fills `out`; on failure returns false, leaves `out`
  // empty and describes the cause (offset, byte) in `error`.
  static bool ToUtf8(std::string_view cp932, std::string* out, std::string* error);
  static bool FromUtf8(std::string_view utf8, std::string* out, std::string* error);

  // Best-effort forms for display and diagnostics: an invalid byte becomes
  // U+FFFD (to UTF-8) or '?' (to code page 932) instead of failing.
  static std::string ToUtf8Lossy(std::string_view cp932);
  static std::string FromUtf8Lossy(std::string_view utf8);
};

// A Japanese text written readably (UTF-8) in the source, as code page 932
// bytes. Only for literals that the library itself owns: a literal that cannot
// be converted is a programming error and aborts.
std::string Cp932(std::string_view utf8Literal);

}  // namespace mbcs
