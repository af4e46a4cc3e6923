#include "tools/RegVerbs.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/registry/Registry.h"
#include "tools/CommandError.h"
#include "tools/OutputFile.h"
#include "tools/RegFileReader.h"
#include "tools/RegFileWriter.h"
#include "tools/RegImporter.h"
#include "tools/TerminalText.h"

namespace tools {
namespace {

const char* FormatName(RegFormat f) {
  switch (f) {
    case RegFormat::Version5: return "version 5";
    case RegFormat::Regedit4: return "REGEDIT4";
    default: return "unknown";
  }
}

// The size is checked before reading so that a huge file is refused without
// being loaded.
std::string ReadWholeFile(const std::string& path) {
  std::error_code ec;
  auto size = std::filesystem::file_size(path, ec);
  if (ec) throw CommandError(CommandError::kFailure, path + ": " + ec.message());
  if (size > RegFileReader::kMaxFileBytes)
    throw CommandError(CommandError::kFailure, path + ": larger than " +
                                                   std::to_string(RegFileReader::kMaxFileBytes) + " bytes; nothing imported");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CommandError(CommandError::kFailure, path + ": cannot be opened");
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// Accepts a key with or without its root, as administrators copy it from
// regedit's address bar.
std::string KeyBelowRoot(const std::string& key) {
  size_t slash = key.find('\\');
  std::string first = key.substr(0, slash);
  if (EqualsNoCase(first, "HKEY_LOCAL_MACHINE") || EqualsNoCase(first, "HKLM"))
    return slash == std::string::npos ? "" : key.substr(slash + 1);
  if (first.rfind("HKEY_", 0) == 0 || EqualsNoCase(first, "HKCU"))
    throw CommandError(CommandError::kUsage, "only HKEY_LOCAL_MACHINE is kept in the settings hive");
  return key;
}

}  // namespace

void RegVerbs::Register(CLI::App& app, CommandContext& ctx) {
  CLI::App* reg = app.add_subcommand("reg", "import and export regedit (.reg) files");
  reg->require_subcommand(1);

  CLI::App* imp = reg->add_subcommand(
      "import",
      "apply a .reg file (\"Windows Registry Editor Version 5.00\" in UTF-16LE or UTF-8, or REGEDIT4 in\n"
      "code page 932 or UTF-8) to the hive as one transaction. Lines that cannot be used are reported with\n"
      "their number and skipped (exit status 1); a file that is not a .reg file changes nothing.");
  imp->add_option("FILE", importFile_, "the .reg file")->required();
  imp->callback([this, &ctx] { ctx.Select([this](CommandContext& c) { return Import(c); }, /*readsPrinters=*/false); });

  CLI::App* exp = reg->add_subcommand(
      "export", "write KEY (default: the whole hive) with everything below it as a .reg file");
  exp->add_option("KEY", exportKey_, "key below HKEY_LOCAL_MACHINE, e.g. SOFTWARE\\Olvanet\\Sarvo");
  exp->add_option("-o,--output", exportFile_, "file to write (default: standard output)");
  exp->add_option("--format", exportFormat_, "5: UTF-16LE \"Version 5.00\" (default); 4: REGEDIT4 in code page 932")
      ->check(CLI::IsMember({4, 5}));
  exp->callback([this, &ctx] { ctx.Select([this](CommandContext& c) { return Export(c); }, /*readsPrinters=*/false); });
}

int RegVerbs::Import(CommandContext& ctx) {
  std::string bytes = ReadWholeFile(importFile_);
  auto hive = registry::Registry::Current();
  RegImportReport report;
  RegImportResult result = RegImporter::Import(bytes, *hive, &report);

  auto& data = ctx.out.Data();
  data["file"] = importFile_;
  data["format"] = FormatName(report.format);
  data["encoding"] = report.encoding;
  data["problems"] = nlohmann::json::array();
  for (const auto& p : report.problems) {
    data["problems"].push_back({{"line", p.line}, {"message", p.message}});
    if (!ctx.json) std::cerr << importFile_ << ":" << p.line << ": " << p.message << '\n';
  }
  switch (result) {
    case RegImportResult::NotRegFile:
      return ctx.out.Fail(CommandError::kFailure, importFile_ + ": not a .reg file; nothing was imported");
    case RegImportResult::HiveFailed:
      return ctx.out.Fail(CommandError::kFailure, importFile_ + ": the hive failed (" + report.hiveError.code + ": " +
                                                      report.hiveError.message + "); nothing was imported");
    case RegImportResult::Imported:
    case RegImportResult::ImportedWithProblems:
      break;
  }
  data["keysCreated"] = report.keysCreated;
  data["keysDeleted"] = report.keysDeleted;
  data["valuesSet"] = report.valuesSet;
  data["valuesDeleted"] = report.valuesDeleted;
  ctx.out.Text("imported " + importFile_ + " (" + FormatName(report.format) + ", " + report.encoding + "): " +
               std::to_string(report.keysCreated) + " keys, " + std::to_string(report.valuesSet) + " values set, " +
               std::to_string(report.valuesDeleted) + " values and " + std::to_string(report.keysDeleted) +
               " keys deleted");
  if (result == RegImportResult::Imported) return ctx.out.Success();
  std::string message = std::to_string(report.problems.size()) + " line(s) skipped; the rest was imported";
  data["result"] = 0;
  data["meaning"] = message;
  if (!ctx.json) std::cerr << "quorprn: " << message << '\n';
  return CommandError::kFailure;
}

int RegVerbs::Export(CommandContext& ctx) {
  if (ctx.json && exportFile_.empty())
    throw CommandError(CommandError::kUsage, "reg export with --json needs -o FILE");
  std::string key = KeyBelowRoot(TerminalText::ToLibrary(exportKey_, "the key"));
  auto hive = registry::Registry::Current();
  std::string text;
  RegExportReport report;
  RegFormat format = exportFormat_ == 4 ? RegFormat::Regedit4 : RegFormat::Version5;
  if (!RegFileWriter::Export(*hive, key, format, &text, &report))
    return ctx.out.Fail(CommandError::kFailure, "cannot export \"" + exportKey_ + "\": " + report.hiveError.code + ": " +
                                                     TerminalText::ToTerminal(report.hiveError.message));
  if (exportFile_.empty()) {
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  } else {
    OutputFile::Replace(exportFile_, text);
    ctx.out.Text("exported " + std::to_string(report.keys) + " keys, " + std::to_string(report.values) +
                 " values to " + exportFile_);
  }
  auto& data = ctx.out.Data();
  data["keys"] = report.keys;
  data["values"] = report.values;
  data["problems"] = nlohmann::json::array();
  for (const auto& p : report.problems) ctx.out.Problem(p);
  if (!report.problems.empty()) {
    data["result"] = 0;
    data["meaning"] = std::to_string(report.problems.size()) + " item(s) left out";
    return CommandError::kFailure;
  }
  return ctx.out.Success();
}

}  // namespace tools
