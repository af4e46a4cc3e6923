// Code page 932 helpers on arbitrary bytes: upper-casing never changes the
// length or a byte inside a double-byte character, comparison is a total
// order consistent with equality, and conversion either fails cleanly or
// round-trips.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/mbcs/Mbcs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string in(reinterpret_cast<const char*>(data), size);
  std::string upper = mbcs::ToUpper(in);
  if (upper.size() != in.size()) std::abort();
  if (mbcs::CompareNoCase(in, upper) != 0) std::abort();
  if (mbcs::Compare(upper, mbcs::ToUpper(upper)) != 0) std::abort();

  size_t half = size / 2;
  std::string a = in.substr(0, half), b = in.substr(half);
  int ab = mbcs::Compare(a, b), ba = mbcs::Compare(b, a);
  if ((ab < 0) != (ba > 0) || (ab == 0) != (ba == 0)) std::abort();
  if ((ab == 0) != (a == b)) std::abort();

  std::string utf8, back, err;
  if (mbcs::Cp932Converter::ToUtf8(in, &utf8, &err)) {
    if (!mbcs::Cp932Converter::FromUtf8(utf8, &back, &err)) std::abort();
    // Several code page 932 codes share one Unicode character (NEC and IBM
    // duplicates), so only the converted text must survive a second trip.
    std::string utf8Again;
    if (!mbcs::Cp932Converter::ToUtf8(back, &utf8Again, &err) || utf8Again != utf8) std::abort();
  }
  mbcs::Cp932Converter::FromUtf8(in, &back, &err);
  mbcs::Cp932Converter::ToUtf8Lossy(in);
  return 0;
}
