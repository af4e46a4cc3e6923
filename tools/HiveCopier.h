// Copies a whole hive into another of any kind (SQLite file, server, memory):
// every key with its values, names and data as bytes, in one transaction on
// the target, so that an interrupted copy leaves the target as it was. Only
// reads the source. Holds no state between calls.
#pragma once

#include "platform/registry/RegistryHive.h"

namespace tools {

struct HiveCopyReport {
  int keys = 0;    // below the root
  int values = 0;  // the root's own included
  registry::RegError error;  // set when Copy returns false
  bool fromSource = false;   // the error is the source's
};

class HiveCopier {
 public:
  // An empty target is filled; one that holds anything is refused (kInvalid)
  // unless `replace`, which empties it first in the same transaction.
  static bool Copy(registry::RegistryHive& from, registry::RegistryHive& to, bool replace, HiveCopyReport* report);
};

}  // namespace tools
