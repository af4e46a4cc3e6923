#include "tools/HiveVerbs.h"

#include <filesystem>

#include "platform/registry/PgHive.h"
#include "platform/registry/Registry.h"
#include "tools/CommandError.h"
#include "tools/HiveCopier.h"
#include "tools/TerminalText.h"

namespace tools {
namespace {

std::string Shown(const std::string& location) {
  return registry::IsPgUri(location) ? registry::MaskPgUri(location) : location;
}

std::string Failure(const registry::RegError& error) {
  return error.code + ": " + TerminalText::ToTerminal(error.message);
}

}  // namespace

void HiveVerbs::Register(CLI::App& app, CommandContext& ctx) {
  CLI::App* hive = app.add_subcommand("hive", "set up and copy whole settings hives (files or servers)");
  hive->require_subcommand(1);

  CLI::App* init = hive->add_subcommand(
      "init",
      "create the settings hive's tables in the PostgreSQL database that URI names (an administrator runs\n"
      "this once; running it again changes nothing), or create a hive file");
  init->add_option("URI", initLocation_, "postgresql://USER@HOST/DATABASE, or a file path")->required();
  init->callback([this, &ctx] {
    ctx.Select([this](CommandContext& c) { return Init(c); }, /*readsPrinters=*/false);
  });

  CLI::App* copy = hive->add_subcommand(
      "copy",
      "copy every key and value of the hive FROM into the hive TO (files or postgresql:// URIs) in one\n"
      "transaction on TO; TO must be empty unless --replace");
  copy->add_option("FROM", from_, "the hive to read")->required();
  copy->add_option("TO", to_, "the hive to fill")->required();
  copy->add_flag("--replace", replace_, "empty TO first (in the same transaction)");
  copy->callback([this, &ctx] {
    ctx.Select([this](CommandContext& c) { return Copy(c); }, /*readsPrinters=*/false);
  });
}

int HiveVerbs::Init(CommandContext& ctx) {
  registry::RegError err;
  std::string shown = Shown(initLocation_);
  if (registry::IsPgUri(initLocation_)) {
    if (!registry::InitPgHive(initLocation_, &err)) return ctx.out.Fail(CommandError::kFailure, Failure(err));
  } else {
    // Opening a file hive creates its tables; reading the root proves it.
    registry::KeySnapshot root;
    if (!registry::Registry::Open(initLocation_)->ReadKey("", false, &root, &err))
      return ctx.out.Fail(CommandError::kFailure, Failure(err));
  }
  ctx.out.Data()["hive"] = shown;
  ctx.out.Text("the settings hive at " + shown + " is ready");
  return ctx.out.Success();
}

int HiveVerbs::Copy(CommandContext& ctx) {
  std::error_code ec;
  // Opening a file that is not there would create an empty hive and copy
  // nothing: a mistyped source must say so.
  if (!registry::IsPgUri(from_) && !std::filesystem::is_regular_file(from_, ec))
    throw CommandError(CommandError::kFailure, "no such hive file: " + from_);
  auto from = registry::Registry::Open(from_);
  auto to = registry::Registry::Open(to_);
  HiveCopyReport report;
  if (!HiveCopier::Copy(*from, *to, replace_, &report)) {
    return ctx.out.Fail(CommandError::kFailure, std::string(report.fromSource ? "cannot read " : "cannot copy into ") +
                                                    Shown(report.fromSource ? from_ : to_) +
                                                    " (nothing was changed): " + Failure(report.error));
  }
  auto& data = ctx.out.Data();
  data["from"] = Shown(from_);
  data["to"] = Shown(to_);
  data["keys"] = report.keys;
  data["values"] = report.values;
  ctx.out.Text("copied " + std::to_string(report.keys) + " keys and " + std::to_string(report.values) +
               " values from " + Shown(from_) + " to " + Shown(to_));
  return ctx.out.Success();
}

}  // namespace tools
