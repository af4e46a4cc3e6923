// Placeholder until the SQLite hive lands: every file hive is unusable.
#include "platform/registry/SqliteHive.h"

#include "platform/registry/FailedHive.h"

namespace registry {

std::shared_ptr<RegistryHive> OpenSqliteHive(const std::string& path) {
  return std::make_shared<FailedHive>(RegError{kCannotOpen, path + ": the SQLite hive is not built yet"});
}

}  // namespace registry
