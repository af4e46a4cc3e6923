// Any bytes as a .reg file: the import must not crash or run away with
// memory, and whatever it imported must come back unchanged through an
// export and a second import, in both formats.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/registry/MemoryHive.h"
#include "tools/RegFileWriter.h"
#include "tools/RegImporter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  registry::MemoryHive hive;
  tools::RegImportReport report;
  if (tools::RegImporter::Import(bytes, hive, &report) == tools::RegImportResult::NotRegFile) return 0;
  for (tools::RegFormat format : {tools::RegFormat::Version5, tools::RegFormat::Regedit4}) {
    std::string file;
    tools::RegExportReport exported;
    if (!tools::RegFileWriter::Export(hive, "", format, &file, &exported)) std::abort();
    if (!exported.problems.empty()) continue;  // items the format cannot carry are named, not written
    registry::MemoryHive copy;
    if (tools::RegImporter::Import(file, copy, &report) != tools::RegImportResult::Imported) std::abort();
    if (copy.Dump() != hive.Dump()) std::abort();
  }
  return 0;
}
