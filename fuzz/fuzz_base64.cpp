// Base64 line coding on arbitrary bytes: a line that decodes re-encodes to
// itself (only canonical lines are accepted), and every byte string survives
// encoding and decoding.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/merabase/MeraBpString64.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string in(reinterpret_cast<const char*>(data), size);
  std::string decoded;
  if (MeraBpStringDecode64(in, &decoded) && MeraBpStringEncode64(decoded) != in) std::abort();
  if (!MeraBpStringDecode64(MeraBpStringEncode64(in), &decoded) || decoded != in) std::abort();
  return 0;
}
