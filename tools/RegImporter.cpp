// The reader builds the whole document before the hive is touched, so that a
// refused file never opens a transaction at all.
#include "tools/RegImporter.h"

#include "tools/RegFileReader.h"

namespace tools {

RegImportResult RegImporter::Import(std::string_view bytes, registry::RegistryHive& hive,
                                    RegImportReport* report) {
  *report = RegImportReport();
  RegDocument doc;
  bool recognised = RegFileReader::Read(bytes, &doc);
  report->format = doc.format;
  report->encoding = doc.encoding;
  report->problems = doc.problems;
  if (!recognised) return RegImportResult::NotRegFile;

  RegImportReport counts;
  auto body = [&](registry::RegError* err) {
    counts = RegImportReport();
    for (const RegEntry& e : doc.entries) {
      registry::RegError local;
      switch (e.kind) {
        case RegEntry::CreateKey:
          // The root always exists and cannot be created.
          if (!e.path.empty() && !hive.CreateKey(e.path, &local)) break;
          ++counts.keysCreated;
          continue;
        case RegEntry::DeleteKey:
          if (!hive.DeleteTree(e.path, &local)) break;
          ++counts.keysDeleted;
          continue;
        case RegEntry::SetValue:
          if (!hive.SetValue(e.path, e.name, e.value, &local)) break;
          ++counts.valuesSet;
          continue;
        case RegEntry::DeleteValue:
          if (!hive.DeleteValue(e.path, e.name, &local)) {
            // Deleting what is not there is what the line asked for.
            if (local.code == registry::kNotFound) continue;
            break;
          }
          ++counts.valuesDeleted;
          continue;
      }
      local.message = "line " + std::to_string(e.line) + ": " + local.message;
      *err = local;
      return false;
    }
    return true;
  };
  registry::RegError err;
  if (!hive.Transaction(body, &err)) {
    report->hiveError = err.code.empty() ? registry::RegError{registry::kFailed, "the hive refused the import"} : err;
    return RegImportResult::HiveFailed;
  }
  report->keysCreated = counts.keysCreated;
  report->keysDeleted = counts.keysDeleted;
  report->valuesSet = counts.valuesSet;
  report->valuesDeleted = counts.valuesDeleted;
  return report->problems.empty() ? RegImportResult::Imported : RegImportResult::ImportedWithProblems;
}

}  // namespace tools
