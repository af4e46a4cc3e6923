// The machine-wide hive in one SQLite file. Every write is one transaction,
// durable when it returns; several processes may share the file.
#pragma once

#include <memory>
#include <string>

#include "platform/registry/RegistryHive.h"

namespace registry {

// Opens or creates the hive file. Never returns null: a file that cannot be
// opened gives a hive whose every operation fails with kCannotOpen (or
// kAccessDenied) and a message naming the file and the cause.
std::shared_ptr<RegistryHive> OpenSqliteHive(const std::string& path);

}  // namespace registry
