// Chooses the hive that every registry-key object works on, once per process:
// explicitly through UseHive/UseFile (hosts, tests, the command's --registry),
// else the file named by QUORPRN_REGISTRY, else /var/lib/quorprn/registry.db.
// A hive file that cannot be opened yields a hive that fails every operation
// with kCannotOpen and a message naming the file and the cause; it never turns
// into an empty registry.
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
  // Opens (creating when needed) the SQLite hive at `path`.
  static void UseFile(const std::string& path);
  // The hive in use; chosen from the environment on first use.
  static std::shared_ptr<RegistryHive> Current();
  // Forgets the choice, so that the next Current() decides again.
  static void Reset();
};

}  // namespace registry
