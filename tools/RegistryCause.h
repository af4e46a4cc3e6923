// Why the last registry operation of the calling thread failed, as the
// registry component recorded it (its code and message), for a verb to show
// next to the library's result code. The library's codes say only which step
// failed; the administrator also needs "file is not a database" or "read-only
// for this user".
#pragma once

#include <cstdint>
#include <string>

namespace tools {

class RegistryCause {
 public:
  // Forgets the thread's last failure, so that an earlier one is not taken
  // for the cause of the next.
  static void Clear();
  // "registry: CODE: message" for the last failure; empty when none was
  // recorded or when it was only an absent key or value.
  static std::string Last();
  // The same, but only for the result codes that a failing registry
  // operation produces (120, 122, 160 to 163, 170 to 173).
  static std::string For(int32_t code);
};

}  // namespace tools
