#include "tools/CommandContext.h"

#include <filesystem>

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryError.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "quorprn/CQuorPrnPrinterRedirectManager.h"
#include "quorprn/QuorPrnResult.h"
#include "tools/CommandError.h"
#include "tools/RegistryCause.h"
#include "tools/TerminalText.h"

namespace tools {

CommandContext::~CommandContext() { registry::SetErrorSink({}); }

void CommandContext::ApplyGlobalOptions() {
  out.SetJson(json);
  registry::SetErrorSink([this](const std::string& line) { out.ReportLine(line); });
  if (!registryPath.empty()) registry::Registry::UseFile(registryPath);
  if (spooler == "cups") {
    spooler::Spooler::UseCups();
  } else if (!spooler.empty()) {
    // The virtual spooler turns an unreadable file into an empty printer
    // list; a mistyped path should say so instead of "no printer installed".
    std::error_code ec;
    if (!std::filesystem::is_regular_file(spooler, ec))
      throw CommandError(CommandError::kUsage, "--spooler: no such file: " + spooler);
    // Its load failure is shown by the verbs that need the printers, once.
    spooler::Spooler::UseBackend(spooler::VirtualSpooler::FromFile(spooler, /*report=*/false));
  }
  // A host sets these once at start; the command does the same for the one
  // verb it runs, so stored redirect names resolve as they would in the host.
  std::vector<std::string> ports, removes;
  for (const auto& p : redirectPorts) ports.push_back(TerminalText::ToLibrary(p, "--redirect-port"));
  for (const auto& p : redirectRemoves) removes.push_back(TerminalText::ToLibrary(p, "--redirect-remove"));
  CQuorPrnPrinterRedirectManager::SetRedirectPrinterPortList(ports);
  CQuorPrnPrinterRedirectManager::SetRedirectPrinterRemovePatternList(removes);
}

int CommandContext::RunAction() {
  if (readsPrinters_) {
    std::string why = spooler::Spooler::Current()->LoadError();
    if (!why.empty()) throw CommandError(CommandError::kFailure, "the printers cannot be listed: " + why);
  }
  RegistryCause::Clear();
  return action_(*this);
}

int CommandContext::Answer(int32_t code, ResultMeaning::Sense sense, const ArgumentCheck& args) {
  std::string why = code == QUOR_PRN_ERR_ARGUMENT ? args.Why() : RegistryCause::For(code);
  return out.Result(code, sense, why);
}

}  // namespace tools
