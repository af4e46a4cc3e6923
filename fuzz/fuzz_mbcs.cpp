// Code page 932 helpers on arbitrary bytes: upper-casing never changes the
// length or a byte inside a double-byte character, comparison is a total
// order consistent with equality, and conversion either fails cleanly or
// round-trips. The DocuWorks file-name cleaning leaves a text that is a
// sequence of whole characters without any character a file name may not
// hold, and cleaning it again changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/mbcs/Mbcs.h"
#include "quorprn/CQuorPrnXdwInfo.h"

class CQuorPrnXdwInfoTestPeer {
 public:
  static std::string Clean(const std::string& text) { return CQuorPrnXdwInfo::ProhibitCutString(text); }
};

namespace {

bool IsTrail(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

void CheckCleanName(const std::string& in) {
  std::string clean = CQuorPrnXdwInfoTestPeer::Clean(in);
  if (clean.size() > in.size()) std::abort();
  for (size_t i = 0; i < clean.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(clean[i]);
    if (mbcs::IsLeadByte(b)) {
      if (i + 1 >= clean.size() || !IsTrail(static_cast<unsigned char>(clean[i + 1]))) std::abort();
      ++i;
    } else if (std::string_view("\\/:*?<>|\"").find(static_cast<char>(b)) != std::string_view::npos) {
      std::abort();
    }
  }
  if (CQuorPrnXdwInfoTestPeer::Clean(clean) != clean) std::abort();
}

}  // namespace

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
  CheckCleanName(in);
  return 0;
}
