// Chooses the hive that every registry-key object works on, once per process:
// explicitly through UseHive/UseFile (hosts, tests, the command's --registry),
// else the location named by QUORPRN_REGISTRY, else
// /var/lib/quorprn/registry.db. A location is a PostgreSQL connection URI
// (postgresql://... or postgres://..., the office-wide hive) or else the path
// of a SQLite hive file. A hive that cannot be opened yields a hive that
// fails every operation with a code other than kNotFound and a message naming
// the file or server and the cause; it never turns into an empty registry.
#pragma once

#include <memory>
#include <string>

#include "platform/registry/RegistryHive.h"

namespace registry {

class Registry {
 public:
  static constexpr const char* kDefaultFolder = "/var/lib/quorprn";
  static constexpr const char* kDefaultPath = "/var/lib/quorprn/registry.db";

  static void UseHive(std::shared_ptr<RegistryHive> hive);
  // Opens the hive at `location`: the server a connection URI names, else
  // the SQLite file (created when needed). Never null.
  static std::shared_ptr<RegistryHive> Open(const std::string& location);
  // UseHive(Open(location)).
  static void UseFile(const std::string& location);
  // The hive in use; chosen from the environment on first use.
  static std::shared_ptr<RegistryHive> Current();
  // Forgets the choice, so that the next Current() decides again.
  static void Reset();
};

}  // namespace registry
