#include "tools/CommandContext.h"

#include <filesystem>

#include "platform/registry/Registry.h"
#include "platform/spooler/Spooler.h"
#include "tools/CommandError.h"

namespace tools {

void CommandContext::ApplyGlobalOptions() {
  out.SetJson(json);
  if (!registryPath.empty()) registry::Registry::UseFile(registryPath);
  if (spooler == "cups") {
    spooler::Spooler::UseCups();
  } else if (!spooler.empty()) {
    // The virtual spooler turns an unreadable file into an empty printer
    // list; a mistyped path should say so instead of "no printer installed".
    std::error_code ec;
    if (!std::filesystem::is_regular_file(spooler, ec))
      throw CommandError(CommandError::kUsage, "--spooler: no such file: " + spooler);
    spooler::Spooler::UseJsonFile(spooler);
  }
}

}  // namespace tools
