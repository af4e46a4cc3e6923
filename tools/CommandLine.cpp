// CLI11 parses; the chosen verb runs only after the whole line parsed, so a
// usage error never leaves half a change behind.
#include "tools/CommandLine.h"

#include <iostream>
#include <memory>
#include <vector>

#include "tools/CommandError.h"
#include "tools/DialogPrinterVerb.h"
#include "tools/DialogXdwVerb.h"
#include "tools/HiveVerbs.h"
#include "tools/LookupVerbs.h"
#include "tools/PrintVerb.h"
#include "tools/PrinterVerbs.h"
#include "tools/RedirectVerbs.h"
#include "tools/RegVerbs.h"
#include "tools/ShowVerb.h"
#include "tools/StoreVerbs.h"
#include "tools/TemplateVerbs.h"
#include "tools/VerbGroup.h"
#include "tools/XdwVerbs.h"

namespace tools {

int CommandLine::Run(int argc, char** argv) {
  CommandContext ctx;
  CLI::App app{
      "quorprn - print settings of the QuorPrn library: printers, stored settings, lookups,\n"
      "DocuWorks output settings, form templates and .reg import/export.\n"
      "Exit status: 0 success (result 1), 10 complete answer from fallbacks (140-143),\n"
      "2 usage error, 1 any other failure.",
      "quorprn"};
  app.set_version_flag("--version", QUORPRN_VERSION);
  app.require_subcommand(1);
  app.fallthrough();
  app.add_option("--registry", ctx.registryPath,
                 "settings hive: a file, or a postgresql:// URI of the office-wide hive (default: $QUORPRN_REGISTRY\n"
                 "or the machine's file)");
  app.add_option("--spooler", ctx.spooler, "\"cups\" or a JSON file describing virtual printers");
  app.add_flag("--json", ctx.json, "print one JSON object instead of text");
  app.add_option("--redirect-port", ctx.redirectPorts, "port pattern marking a redirected printer, as a host sets it");
  app.add_option("--redirect-remove", ctx.redirectRemoves, "pattern removed from redirected printer names");

  std::vector<std::unique_ptr<VerbGroup>> groups;
  groups.push_back(std::make_unique<PrinterVerbs>());
  groups.push_back(std::make_unique<LookupVerbs>());
  groups.push_back(std::make_unique<PrintVerb>());
  groups.push_back(std::make_unique<ShowVerb>());
  groups.push_back(std::make_unique<StoreVerbs>());
  groups.push_back(std::make_unique<RedirectVerbs>());
  groups.push_back(std::make_unique<XdwVerbs>());
  groups.push_back(std::make_unique<TemplateVerbs>());
  groups.push_back(std::make_unique<RegVerbs>());
  groups.push_back(std::make_unique<HiveVerbs>());
  groups.push_back(std::make_unique<DialogPrinterVerb>());
  groups.push_back(std::make_unique<DialogXdwVerb>());
  for (auto& g : groups) g->Register(app, ctx);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    ctx.out.SetJson(ctx.json);
    int status = ctx.out.Fail(CommandError::kUsage, std::string(e.what()) + " (see quorprn --help)");
    ctx.out.Flush();
    return status;
  }

  int status = 1;
  try {
    ctx.ApplyGlobalOptions();
    if (!ctx.HasAction()) throw CommandError(CommandError::kUsage, "a command is needed (see quorprn --help)");
    status = ctx.RunAction();
  } catch (const CommandError& e) {
    status = ctx.out.Fail(e.status(), e.what());
  } catch (const std::exception& e) {
    status = ctx.out.Fail(CommandError::kFailure, e.what());
  }
  ctx.out.Flush();
  return status;
}

}  // namespace tools
