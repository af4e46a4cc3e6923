#include "tools/CommandContext.h"

#include <filesystem>

#include "platform/registry/Registry.h"
#include "quorprn/CQuorPrnPrinterRedirectManager.h"
#include "platform/spooler/Spooler.h"
#include "tools/CommandError.h"
#include "tools/TerminalText.h"

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
  // A host sets these once at start; the command does the same for the one
  // verb it runs, so stored redirect names resolve as they would in the host.
  std::vector<std::string> ports, removes;
  for (const auto& p : redirectPorts) ports.push_back(TerminalText::ToLibrary(p, "--redirect-port"));
  for (const auto& p : redirectRemoves) removes.push_back(TerminalText::ToLibrary(p, "--redirect-remove"));
  CQuorPrnPrinterRedirectManager::SetRedirectPrinterPortList(ports);
  CQuorPrnPrinterRedirectManager::SetRedirectPrinterRemovePatternList(removes);
}

}  // namespace tools
