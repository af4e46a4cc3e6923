// iconv-backed conversion. Each thread keeps one conversion descriptor per
// direction: opening one costs more than converting a typical name.
#include "platform/mbcs/Cp932Converter.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iconv.h>

namespace mbcs {
namespace {

class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (valid()) iconv_close(cd_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

iconv_t Descriptor(bool toUtf8) {
  thread_local IconvHandle to("UTF-8", "CP932");
  thread_local IconvHandle from("CP932", "UTF-8");
  IconvHandle& h = toUtf8 ? to : from;
  return h.valid() ? h.get() : reinterpret_cast<iconv_t>(-1);
}

// Converts `in`; on an invalid sequence either fails or, when `replacement` is
// given, emits it and skips one input byte.
bool Convert(bool toUtf8, std::string_view in, std::string* out, std::string* error,
             const char* replacement) {
  out->clear();
  iconv_t cd = Descriptor(toUtf8);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    if (error) *error = "the C library has no CP932 converter (iconv)";
    return false;
  }
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  const char* const begin = in.data();
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buffer[1024];
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out->append(buffer, dst - buffer);
    if (rc != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    size_t offset = static_cast<size_t>(src - begin);
    if (replacement) {
      out->append(replacement);
      ++src;
      --srcLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      continue;
    }
    if (error) {
      char msg[160];
      unsigned byte = static_cast<unsigned char>(*src);
      if (errno == EINVAL) {
        std::snprintf(msg, sizeof msg, "incomplete character at the end of the text (byte %zu, 0x%02X)",
                      offset, byte);
      } else {
        std::snprintf(msg, sizeof msg, "%s at byte %zu (0x%02X)",
                      toUtf8 ? "not valid code page 932" : "not representable in code page 932 or not valid UTF-8",
                      offset, byte);
      }
      *error = msg;
    }
    out->clear();
    return false;
  }
  // Flush any shift state (none for these encodings, but cheap and correct).
  char* dst = buffer;
  size_t dstLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &dst, &dstLeft);
  out->append(buffer, dst - buffer);
  return true;
}

}  // namespace

bool Cp932Converter::ToUtf8(std::string_view cp932, std::string* out, std::string* error) {
  return Convert(true, cp932, out, error, nullptr);
}

bool Cp932Converter::FromUtf8(std::string_view utf8, std::string* out, std::string* error) {
  return Convert(false, utf8, out, error, nullptr);
}

std::string Cp932Converter::ToUtf8Lossy(std::string_view cp932) {
  std::string out;
  Convert(true, cp932, &out, nullptr, "\xEF\xBF\xBD");
  return out;
}

std::string Cp932Converter::FromUtf8Lossy(std::string_view utf8) {
  std::string out;
  Convert(false, utf8, &out, nullptr, "?");
  return out;
}

std::string Cp932(std::string_view utf8Literal) {
  std::string out, error;
  if (!Cp932Converter::FromUtf8(utf8Literal, &out, &error)) {
    std::fprintf(stderr, "quorprn: internal text cannot be converted: %s\n", error.c_str());
    std::abort();
  }
  return out;
}

}  // namespace mbcs
