// libpq, loaded when the first PostgreSQL hive opens instead of with the
// library: with its TLS, Kerberos and LDAP libraries it would cost every
// process that starts the library about half a millisecond, most of which
// never open anything but a hive file. The hive calls libpq's functions by
// their own names; LibPq.cpp defines them (hidden) to forward to the loaded
// library.
#pragma once

#include <string>

namespace registry {

class LibPq {
 public:
  // Loads libpq on the first call; later calls give the same answer. False
  // with the loader's reason when it cannot; libpq's functions must not be
  // called then.
  static bool Load(std::string* why);
};

}  // namespace registry
