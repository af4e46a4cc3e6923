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
namespace {

// CLI11 takes a value of a repeatable option that starts with '[' and ends
// with ']' for a list and splits it at commas, so the regular expression
// "[0-9]" would arrive as "0-9". Every occurrence of such an option takes
// exactly one value here, which turns that splitting off; the values then
// reach the verbs as typed. Positionals are left alone: a list of them needs
// the setting to take more than one value.
void KeepValuesAsTyped(CLI::App& app) {
  for (CLI::Option* opt : app.get_options())
    if (!opt->get_positional()) opt->allow_extra_args(false);
  for (CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; })) KeepValuesAsTyped(*sub);
}

// CLI11 reads "--name=" with nothing after the "=" as "--name" and takes the
// next argument for the value, so "--registry= show ..." would open a hive
// named "show". The empty value is meant: it is handed over as one.
std::vector<std::string> EmptyValuesKept(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  for (size_t i = 1; i < args.size() && args[i] != "--"; ++i) {
    const std::string& a = args[i];
    if (a.size() > 3 && a.compare(0, 2, "--") == 0 && a.back() == '=' && a.find('=') == a.size() - 1) {
      args[i].pop_back();
      args.insert(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::string());
      ++i;
    }
  }
  return args;
}

}  // namespace

int CommandLine::Run(int argc, char** argv) {
  CommandContext ctx;
  CLI::App app{
      "quorprn - print settings of the QuorPrn library: printers, stored settings, lookups,\n"
      "DocuWorks output settings, form templates and .reg import/export.\n"
      "Exit status: 0 success (result 1), 10 complete answer from fallbacks or nothing stored (140-143),\n"
      "2 usage error, 1 any other failure; a refused argument is named and a registry failure adds\n"
      "the registry's cause (with --json: \"error\"). Values are taken as typed; --opt=-VALUE for a leading dash.",
      "quorprn"};
  app.set_version_flag("--version", QUORPRN_VERSION);
  app.require_subcommand(1);
  app.fallthrough();
  // An unset shell variable expands to nothing; falling back to another hive
  // then would change settings the administrator never meant to touch.
  const CLI::Validator notEmpty(
      [](std::string& value) { return value.empty() ? std::string("must not be empty") : std::string(); }, "");
  app.add_option("--registry", ctx.registryPath,
                 "settings hive, not empty: a file, or a postgresql:// URI of the office-wide hive (default:\n"
                 "$QUORPRN_REGISTRY or the machine's file)")
      ->check(notEmpty);
  app.add_option("--spooler", ctx.spooler,
                 "\"cups\" or a JSON file describing virtual printers; a broken file fails the verbs that need "
                 "printers")
      ->check(notEmpty);
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
  KeepValuesAsTyped(app);

  std::vector<std::string> args = EmptyValuesKept(argc, argv);
  std::vector<char*> argp;
  for (auto& a : args) argp.push_back(a.data());
  try {
    app.parse(static_cast<int>(argp.size()), argp.data());
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
