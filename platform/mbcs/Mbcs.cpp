// Byte-level code page 932 helpers. Nothing here allocates more than the copy
// it returns, and nothing reads past the end of a text that ends in a lone lead
// byte.
#include "platform/mbcs/Mbcs.h"

namespace mbcs {
namespace {

// One character starting at text[i]: its code and its length in bytes.
struct Char {
  unsigned code;
  size_t length;
};

Char CharAt(std::string_view text, size_t i) {
  unsigned char b = static_cast<unsigned char>(text[i]);
  if (IsLeadByte(b) && i + 1 < text.size()) {
    return {(static_cast<unsigned>(b) << 8) | static_cast<unsigned char>(text[i + 1]), 2};
  }
  return {b, 1};
}

unsigned UpperCode(unsigned code) {
  if (code >= 'a' && code <= 'z') return code - 0x20;
  // Full-width ａ (0x8281) to ｚ (0x829A) map onto Ａ (0x8260) to Ｚ (0x8279).
  if (code >= 0x8281 && code <= 0x829A) return code - 0x21;
  return code;
}

template <bool kFold>
int CompareImpl(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    Char ca = CharAt(a, i), cb = CharAt(b, j);
    unsigned x = kFold ? UpperCode(ca.code) : ca.code;
    unsigned y = kFold ? UpperCode(cb.code) : cb.code;
    if (x != y) return x < y ? -1 : 1;
    i += ca.length;
    j += cb.length;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

}  // namespace

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string ToUpper(std::string_view text) {
  std::string out(text);
  ToUpperInPlace(out.data(), out.size());
  return out;
}

void ToUpperInPlace(char* text, size_t size) {
  // Names are folded for every registry look-up, and most are plain ASCII:
  // single bytes are decided here without building a character.
  for (size_t i = 0; i < size; ++i) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (b < 0x81) {
      if (b >= 'a' && b <= 'z') text[i] = static_cast<char>(b - 0x20);
      continue;
    }
    Char c = CharAt(std::string_view(text, size), i);
    if (c.length == 2) {
      unsigned up = UpperCode(c.code);
      if (up != c.code) text[i + 1] = static_cast<char>(up & 0xFF);
      ++i;
    }
  }
}

int Compare(std::string_view a, std::string_view b) { return CompareImpl<false>(a, b); }

int CompareNoCase(std::string_view a, std::string_view b) { return CompareImpl<true>(a, b); }

}  // namespace mbcs
