// Writes a key of a hive, with everything below it, as a regedit export that
// RegFileReader reads back to the same keys and values: version 5 (UTF-16LE
// with a byte-order mark, the default) or REGEDIT4 (code page 932). Only
// reads the hive. An item that the chosen format cannot carry (a name that is
// not valid code page 932 in a version 5 file, a name with a line break) is
// left out and named in the report, never written mangled.
#pragma once

#include <string>
#include <vector>

#include "platform/registry/RegistryHive.h"
#include "tools/RegDocument.h"

namespace tools {

struct RegExportReport {
  int keys = 0;
  int values = 0;
  std::vector<std::string> problems;  // UTF-8, one per item left out
  registry::RegError hiveError;       // set when Export returns false
};

class RegFileWriter {
 public:
  // `path` is relative to HKEY_LOCAL_MACHINE; "" exports the whole hive.
  // False when the key does not exist or the hive fails.
  static bool Export(registry::RegistryHive& hive, const std::string& path, RegFormat format, std::string* out,
                     RegExportReport* report);
};

}  // namespace tools
