// The machine-wide hive in one SQLite file. Every write is one transaction,
// durable when it returns; several processes may share the file. SQLite's own
// result codes stay behind this header: callers only ever see the codes of
// RegistryError.h.
#pragma once

#include <memory>
#include <string>

#include "platform/registry/RegistryHive.h"

namespace registry {

struct SqliteHiveOptions {
  // How long an operation waits for another process's lock before it fails
  // with kBusy.
  int busyTimeoutMs = 5000;
};

// Opens or creates the hive file. Never returns null: a file that cannot be
// opened gives a hive whose every operation fails with kCannotOpen (or
// kAccessDenied, kReadFailed) and a message naming the file and the cause.
// A file the caller may read but not write opens read-only: reads work,
// writes fail with kAccessDenied.
std::shared_ptr<RegistryHive> OpenSqliteHive(const std::string& path, const SqliteHiveOptions& options = {});

// Runs the storage engine's integrity check on the hive file, read-only.
// True when the file is sound; `report` receives the engine's findings or
// why the file could not be checked.
bool CheckSqliteHive(const std::string& path, std::string* report);

}  // namespace registry
