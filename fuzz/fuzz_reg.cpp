// Any bytes as a .reg file, into an in-memory hive: the import must not crash
// or run away with memory. Whatever imports is exported in both formats and
// imported again into a fresh hive: unless the export named an item it had to
// leave out, the two hives hold the same keys and values, and the re-import
// raises no problem. A failed check prints both hives.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/registry/MemoryHive.h"
#include "tools/RegFileWriter.h"
#include "tools/RegImporter.h"

namespace {

void Fail(const char* what, const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::fprintf(stderr, "%s\n", what);
  for (const auto& l : a) std::fprintf(stderr, "  first:  %s\n", l.c_str());
  for (const auto& l : b) std::fprintf(stderr, "  second: %s\n", l.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  registry::MemoryHive hive;
  tools::RegImportReport report;
  tools::RegImportResult result = tools::RegImporter::Import(bytes, hive, &report);
  if (result == tools::RegImportResult::HiveFailed) std::abort();  // the in-memory hive never fails
  if (result == tools::RegImportResult::NotRegFile) {
    if (!hive.Dump().empty() && hive.Dump() != registry::MemoryHive().Dump()) std::abort();
    return 0;
  }

  const std::vector<std::string> first = hive.Dump();
  for (tools::RegFormat format : {tools::RegFormat::Version5, tools::RegFormat::Regedit4}) {
    std::string exported;
    tools::RegExportReport exportReport;
    if (!tools::RegFileWriter::Export(hive, "", format, &exported, &exportReport)) std::abort();
    registry::MemoryHive again;
    tools::RegImportReport againReport;
    tools::RegImportResult againResult = tools::RegImporter::Import(exported, again, &againReport);
    if (!exportReport.problems.empty()) continue;
    if (againResult != tools::RegImportResult::Imported) {
      std::vector<std::string> why;
      for (const auto& p : againReport.problems) why.push_back(std::to_string(p.line) + ": " + p.message);
      Fail("the export does not import cleanly", first, why);
    }
    if (again.Dump() != first) Fail("the round trip changed the hive", first, again.Dump());
  }
  return 0;
}
