// Applies a .reg file to a hive as one transaction: either every usable line
// of the file takes effect or, when the hive fails, none does. Lines the
// reader could not use are reported and skipped (as regedit does); a file
// that is not a .reg file changes nothing. Holds no state between calls.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/RegistryHive.h"
#include "tools/RegDocument.h"

namespace tools {

struct RegImportReport {
  RegFormat format = RegFormat::Unknown;
  std::string encoding;
  int keysCreated = 0;
  int keysDeleted = 0;
  int valuesSet = 0;
  int valuesDeleted = 0;
  std::vector<RegProblem> problems;
  registry::RegError hiveError;  // set when the result is HiveFailed
};

enum class RegImportResult {
  Imported,              // every line taken
  ImportedWithProblems,  // the usable lines taken, the others in `problems`
  NotRegFile,            // nothing changed
  HiveFailed,            // nothing changed: the transaction was rolled back
};

class RegImporter {
 public:
  static RegImportResult Import(std::string_view bytes, registry::RegistryHive& hive, RegImportReport* report);
};

}  // namespace tools
