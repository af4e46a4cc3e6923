// Code page 932 text helpers that the library needs from the platform runtime:
// the lead-byte test, upper-casing and comparison. They work on raw bytes and
// never fail: a lone lead byte at the end of a text is kept as a single byte.
// Conversion to and from UTF-8 lives in Cp932Converter.
#pragma once

#include <string>
#include <string_view>

namespace mbcs {

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool IsLeadByte(unsigned char byte);

// Upper-cases ASCII letters and the full-width Latin letters (８２８１-８２９Ａ
// become ８２６０-８２７９); bytes inside other double-byte characters never
// change, so a trail byte that looks like 'a' stays as it is.
std::string ToUpper(std::string_view text);
// The same, in place: callers that fold a name for every look-up fold it into
// a buffer of their own instead of allocating a copy.
void ToUpperInPlace(char* text, size_t size);

// Compares character by character: single-byte characters order below every
// double-byte character, double-byte ones by their 16-bit code. Returns <0, 0
// or >0 like strcmp. A lone trailing lead byte counts as a single byte.
int Compare(std::string_view a, std::string_view b);

// Compare(ToUpper(a), ToUpper(b)) without building the copies.
int CompareNoCase(std::string_view a, std::string_view b);

}  // namespace mbcs
