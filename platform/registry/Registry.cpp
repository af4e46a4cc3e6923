// The process's choice of hive. Guarded by a mutex because the concurrency
// tests and hosts with worker threads may ask for it from several threads.
#include "platform/registry/Registry.h"

#include <sys/stat.h>

#include <cstdlib>
#include <mutex>

#include "platform/registry/PgHive.h"
#include "platform/registry/SqliteHive.h"

namespace registry {
namespace {
std::mutex g_mutex;
std::shared_ptr<RegistryHive> g_hive;
}  // namespace

void Registry::UseHive(std::shared_ptr<RegistryHive> hive) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_hive = std::move(hive);
}

std::shared_ptr<RegistryHive> Registry::Open(const std::string& location) {
  return IsPgUri(location) ? OpenPgHive(location) : OpenSqliteHive(location);
}

void Registry::UseFile(const std::string& location) { UseHive(Open(location)); }

std::shared_ptr<RegistryHive> Registry::Current() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_hive) {
    const char* env = std::getenv("QUORPRN_REGISTRY");
    if (env && *env) {
      g_hive = Open(env);
    } else {
      // The machine-wide folder is made on first use when this process may;
      // otherwise opening the file reports why.
      ::mkdir(kDefaultFolder, 0755);
      g_hive = OpenSqliteHive(kDefaultPath);
    }
  }
  return g_hive;
}

void Registry::Reset() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_hive.reset();
}

}  // namespace registry
