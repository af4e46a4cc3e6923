// Hand-written rather than iconv: the reader converts line by line and must
// tell exactly where a file is damaged.
#include "tools/Utf16Codec.h"

#include <cstdint>

namespace tools {
namespace {

void AppendUtf8(uint32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

void AppendUtf16(uint32_t cp, std::string* out) {
  auto unit = [out](uint32_t u) {
    out->push_back(static_cast<char>(u & 0xFF));
    out->push_back(static_cast<char>(u >> 8));
  };
  if (cp < 0x10000) {
    unit(cp);
  } else {
    cp -= 0x10000;
    unit(0xD800 | (cp >> 10));
    unit(0xDC00 | (cp & 0x3FF));
  }
}

// Decodes one code point at `i`; false on a malformed sequence.
bool NextUtf8(std::string_view s, size_t* i, uint32_t* cp) {
  unsigned char c = static_cast<unsigned char>(s[*i]);
  int extra;
  uint32_t min;
  if (c < 0x80) {
    *cp = c;
    ++*i;
    return true;
  } else if ((c & 0xE0) == 0xC0) {
    extra = 1, min = 0x80, *cp = c & 0x1F;
  } else if ((c & 0xF0) == 0xE0) {
    extra = 2, min = 0x800, *cp = c & 0x0F;
  } else if ((c & 0xF8) == 0xF0) {
    extra = 3, min = 0x10000, *cp = c & 0x07;
  } else {
    return false;
  }
  if (*i + extra >= s.size()) return false;
  for (int k = 1; k <= extra; ++k) {
    unsigned char t = static_cast<unsigned char>(s[*i + k]);
    if ((t & 0xC0) != 0x80) return false;
    *cp = (*cp << 6) | (t & 0x3F);
  }
  if (*cp < min || *cp > 0x10FFFF || (*cp >= 0xD800 && *cp <= 0xDFFF)) return false;
  *i += extra + 1;
  return true;
}

}  // namespace

bool Utf16Codec::ToUtf8(std::string_view in, std::string* out, std::string* error) {
  out->clear();
  if (in.size() % 2 != 0) {
    if (error) *error = "UTF-16 text has an odd number of bytes";
    return false;
  }
  for (size_t i = 0; i < in.size(); i += 2) {
    uint32_t u = static_cast<unsigned char>(in[i]) | (static_cast<unsigned char>(in[i + 1]) << 8);
    if (u >= 0xD800 && u <= 0xDBFF) {
      uint32_t low = 0;
      if (i + 3 < in.size())
        low = static_cast<unsigned char>(in[i + 2]) | (static_cast<unsigned char>(in[i + 3]) << 8);
      if (low < 0xDC00 || low > 0xDFFF) {
        if (error) *error = "unpaired UTF-16 surrogate at byte " + std::to_string(i);
        out->clear();
        return false;
      }
      u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      if (error) *error = "unpaired UTF-16 surrogate at byte " + std::to_string(i);
      out->clear();
      return false;
    }
    AppendUtf8(u, out);
  }
  return true;
}

bool Utf16Codec::FromUtf8(std::string_view in, std::string* out, std::string* error) {
  out->clear();
  size_t i = 0;
  while (i < in.size()) {
    uint32_t cp = 0;
    size_t at = i;
    if (!NextUtf8(in, &i, &cp)) {
      if (error) *error = "invalid UTF-8 at byte " + std::to_string(at);
      out->clear();
      return false;
    }
    AppendUtf16(cp, out);
  }
  return true;
}

bool Utf16Codec::IsUtf8(std::string_view bytes) {
  size_t i = 0;
  uint32_t cp = 0;
  while (i < bytes.size())
    if (!NextUtf8(bytes, &i, &cp)) return false;
  return true;
}

}  // namespace tools
