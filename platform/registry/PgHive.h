// The office-wide hive on a PostgreSQL server: every desktop of an office
// reads the settings an administrator keeps in one database. Chosen by a
// libpq connection URI (postgresql://... or postgres://...); credentials come
// only through libpq's own means (the URI, the password file, service files,
// the PG* environment). The server's result codes and libpq stay behind this
// header: callers see only the codes of RegistryError.h, and no message ever
// carries the password (MaskPgUri).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/registry/RegistryHive.h"

namespace registry {

struct PgHiveOptions {
  // Seconds a connection attempt may take, unless the URI or PGCONNECT_TIMEOUT
  // sets its own.
  int connectTimeoutS = 5;
  // Applied when neither the URI, the role nor the server sets a statement
  // timeout, so that a held lock never hangs a desktop.
  int statementTimeoutMs = 10000;
  // A cached key is trusted without asking the server for this long when no
  // change notification arrived; after that the next open checks the hive's
  // change counter (one round trip).
  int recheckMs = 100;
  // After a failed connection attempt, operations fail at once with the same
  // cause for this long instead of each waiting for the server again.
  int retryAfterMs = 1000;
};

// True for a libpq connection URI; anything else names a hive file.
bool IsPgUri(const std::string& location);

// The URI with its password (user:password@ or password=...) replaced by
// "***", for every place where a URI is shown.
std::string MaskPgUri(const std::string& uri);

// `text` with every connection URI in it masked as MaskPgUri does, for
// messages that may quote what a user typed (a misplaced option value).
std::string MaskPgUrisIn(const std::string& text);

// A hive on the server that `uri` names. Never returns null: it connects at
// once, and when the server cannot be used every operation fails with a code
// of its own (kUnreachable, kCannotOpen, kAccessDenied) and a message naming
// the server and libpq's cause, retrying the connection as described above.
// A database without the hive's tables is kCannotOpen, telling to run
// `quorprn hive init`. Must not be carried across fork().
std::shared_ptr<RegistryHive> OpenPgHive(const std::string& uri, const PgHiveOptions& options = {});

// Creates the hive's schema (tables, change counter, triggers) in the
// database `uri` names; running it again changes nothing. False with the
// cause in `err`.
bool InitPgHive(const std::string& uri, RegError* err);

// Server round trips (connections, statements) a hive from OpenPgHive has
// made so far; -1 for any other hive. For benchmarks and tests.
int64_t PgHiveRoundTrips(const RegistryHive& hive);

}  // namespace registry
