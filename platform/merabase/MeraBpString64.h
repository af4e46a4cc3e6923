// The line coding of encoded form template files (".TPTX"): every line is the
// standard base64 (RFC 4648 alphabet, '=' padding, no line breaks) of the
// plain line's code page 932 bytes. Pure functions on bytes: no state, no
// allocation beyond the result, nothing throws for bad input.
#pragma once

#include <string>

// Decodes one line. Returns false and leaves `decoded` empty when `encoded` is
// not canonical base64: a character outside the alphabet (also whitespace or a
// line end), a length that is not a multiple of four, '=' anywhere but one or
// two at the end, or padding bits that are not zero. An empty line decodes to
// an empty text. `decoded` must not be null.
bool MeraBpStringDecode64(const std::string& encoded, std::string* decoded);

// The same, for callers that need no verdict: an invalid line gives an empty
// text, indistinguishable from an empty line.
std::string MeraBpStringDecode64(const std::string& encoded);

// Encodes arbitrary bytes (NUL included); MeraBpStringDecode64 gives them back.
std::string MeraBpStringEncode64(const std::string& plain);
