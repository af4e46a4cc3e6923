// Printers, colours and presets come through the settings store, so the tree
// shows what the library itself reads; the set list and the forms are listed
// from the hive because the store reads forms one at a time by name.
#include "tools/ShowVerb.h"

#include <cstdio>

#include "platform/registry/MeraRegKey.h"
#include "platform/registry/RegistryError.h"
#include "quorprn/QuorPrnResult.h"
#include "store/CQuorPrnSettingStore.h"
#include "tools/RecordFormat.h"
#include "tools/ResultMeaning.h"
#include "tools/TerminalText.h"

namespace tools {
namespace {

std::string U(const std::string& cp932) { return TerminalText::ToTerminal(cp932); }

std::string PrintKey(const std::string& system, const std::string& job) {
  return "SOFTWARE\\Olvanet\\Sarvo\\" + system + "\\" + job + "\\Print";
}

// A key that does not exist has no subkeys. False when the hive cannot say:
// an unreadable hive must not look like one with nothing stored.
bool SubKeys(const std::string& path, std::vector<std::string>* names) {
  names->clear();
  auto key = MeraNewRegKey();
  if (!key->OpenKey(HKEY_LOCAL_MACHINE, path, 0)) return registry::LastErrorCode() == registry::kNotFound;
  return key->EnumKeys(*names) != 0;
}

QUOR_PRN_FORM_INFO_TYPE ReadForm(const std::string& path, const std::string& name) {
  QUOR_PRN_FORM_INFO_TYPE f;
  f.FormName = name;
  auto key = MeraNewRegKey();
  if (!key->OpenKey(HKEY_LOCAL_MACHINE, path, 0)) return f;
  key->GetText("Bin", f.Bin);
  key->GetText("PaperName", f.PaperName);
  key->GetText("PaperSize", f.PaperSize);
  key->GetNumber("PaperSizeFit", f.PaperSizeFit);
  key->GetNumber("OffsetX", f.OffsetX);
  key->GetNumber("OffsetY", f.OffsetY);
  key->GetNumber("Width", f.Width);
  key->GetNumber("Height", f.Height);
  key->GetNumber("WidthHeightFix", f.WidthHeightFix);
  return f;
}

}  // namespace

void ShowVerb::Register(CLI::App& app, CommandContext& ctx) {
  CLI::App* show = app.add_subcommand("show", "the stored printer sets of a system and job as a tree");
  show->add_option("SYSTEM", system_, "system name")->required();
  show->add_option("JOB", job_, "job name")->required();
  show->add_option("SET", set_, "only this printer set (0-99)");
  show->callback([this, &ctx, show] {
    hasSet_ = show->count("SET") > 0;
    ctx.Select([this](CommandContext& c) { return Show(c); });
  });
}

int ShowVerb::Show(CommandContext& ctx) {
  std::string system = TerminalText::ToLibrary(system_, "the system name");
  std::string job = TerminalText::ToLibrary(job_, "the job name");
  ArgumentCheck args;
  args.Name("the system name", system).Name("the job name", job).Set(hasSet_ ? set_ : 0);
  if (!args.Why().empty()) return ctx.Answer(QUOR_PRN_ERR_ARGUMENT, ResultMeaning::Sense::Stored, args);
  std::vector<uint32_t> sets;
  if (hasSet_) {
    sets.push_back(set_);
  } else {
    std::vector<std::string> names;
    if (!SubKeys(PrintKey(system, job), &names))
      return ctx.Answer(QUOR_PRN_ERR_READ_SET, ResultMeaning::Sense::Stored, args);
    for (const auto& name : names) {
      unsigned n = 0;
      char rest = 0;
      if (name.size() == 12 && std::sscanf(name.c_str(), "PrinterSet%2u%c", &n, &rest) == 1) sets.push_back(n);
    }
  }
  auto& list = ctx.out.Data()["Sets"] = nlohmann::json::array();
  int32_t worst = sets.empty() ? QUOR_PRN_NO_PRINTER_SET : QUOR_PRN_SUCCESS;
  if (sets.empty()) ctx.out.Text(system_ + " / " + job_ + ": no printer set is stored");
  for (uint32_t n : sets) {
    nlohmann::json set;
    int32_t code = ShowSet(ctx, system, job, n, &set);
    list.push_back(set);
    if (code != QUOR_PRN_SUCCESS && worst == QUOR_PRN_SUCCESS) worst = code;
  }
  // After a read failure the colours would only repeat it.
  if (worst == QUOR_PRN_SUCCESS || QuorPrnIsFallback(worst)) ShowColors(ctx, system, job);
  return ctx.Answer(worst, ResultMeaning::Sense::Stored, args);
}

int32_t ShowVerb::ShowSet(CommandContext& ctx, const std::string& system, const std::string& job, uint32_t n,
                          nlohmann::json* out) {
  CQuorPrnSettingStore store;
  int32_t code = store.LoadPrinterSet(system.c_str(), job.c_str(), n);
  char setName[16];
  std::snprintf(setName, sizeof setName, "PrinterSet%02u", n);
  (*out)["Set"] = n;
  (*out)["Result"] = code;
  if (code != QUOR_PRN_SUCCESS && code != QUOR_PRN_NO_CURRENT_PRINTER) {
    ctx.out.Text(std::string(setName) + ": " + std::to_string(code) + " (" +
                 ResultMeaning::Of(code, ResultMeaning::Sense::Stored) + ")");
    store.ClosePrinterSet();
    return code;
  }
  std::string current;
  store.GetCurrentPrinter(current);
  (*out)["CurrentPrinter"] = U(current);
  ctx.out.Text(std::string(setName) + "  current printer: " + (current.empty() ? "(none)" : U(current)));
  auto& printers = (*out)["Printers"] = nlohmann::json::array();
  std::string setKey = PrintKey(system, job) + "\\" + setName;
  for (const auto& p : store.Printers()) {
    QUOR_PRN_PRINTER_INFO_TYPE rec;
    rec.PrinterName = p->Name;
    rec.OffsetX = p->OffsetX;
    rec.OffsetY = p->OffsetY;
    rec.ScaleX = p->ScaleX;
    rec.ScaleY = p->ScaleY;
    rec.ScaleFix = p->ScaleFix;
    nlohmann::json pj = RecordFormat::Printer(rec);
    pj["ColorPrint"] = p->ColorPrint;
    pj["Mode"] = p->ColorMode;
    pj["Palette"] = RecordFormat::PaletteJson(p->ColorPalette);
    ctx.out.Text("  printer " + RecordFormat::PrinterLine(rec));
    ctx.out.Text("    " + RecordFormat::ColorLine(p->ColorPrint, p->ColorMode, p->ColorPalette));
    pj["Forms"] = nlohmann::json::array();
    std::string formKey = setKey + "\\" + CQuorPrnSettingStore::ToKeyName(p->Name) + "\\Form";
    std::vector<std::string> formNames;
    if (!SubKeys(formKey, &formNames)) code = QUOR_PRN_ERR_READ_FORM;
    for (const auto& formName : formNames) {
      QUOR_PRN_FORM_INFO_TYPE f = ReadForm(formKey + "\\" + formName, formName);
      pj["Forms"].push_back(RecordFormat::Form(f));
      ctx.out.Text("    form " + RecordFormat::FormLine(f));
    }
    printers.push_back(pj);
  }
  store.ClosePrinterSet();
  return code;
}

void ShowVerb::ShowColors(CommandContext& ctx, const std::string& system, const std::string& job) {
  CQuorPrnSettingStore store;
  // Any operation that takes system and job sets the store's base key.
  std::string ignored;
  store.ReadCurrentPrinter(system.c_str(), job.c_str(), 0, ignored);
  std::vector<std::string> valueNames, displayNames;
  auto& names = ctx.out.Data()["ColorNames"] = nlohmann::json::array();
  if (store.GetColorNames(valueNames, displayNames) == QUOR_PRN_SUCCESS && !valueNames.empty()) {
    std::string line = "colour names:";
    for (size_t i = 0; i < valueNames.size() && i < displayNames.size(); ++i) {
      names.push_back({{"Name", U(valueNames[i])}, {"Text", U(displayNames[i])}});
      line += " " + U(valueNames[i]) + "=" + U(displayNames[i]);
    }
    ctx.out.Text(line);
  }
  auto& presets = ctx.out.Data()["Presets"] = nlohmann::json::array();
  std::vector<std::string> presetNames;
  store.GetColorPresetNames(presetNames);
  for (int32_t i = 0; i <= static_cast<int32_t>(presetNames.size()); ++i) {
    // Reading the default palette through the store creates its key when it
    // is missing; show must not write, so absent keys are skipped first.
    char leaf[16];
    std::snprintf(leaf, sizeof leaf, i == 0 ? "Default" : "Preset%02d", i);
    if (!MeraNewRegKey()->OpenKey(HKEY_LOCAL_MACHINE, PrintKey(system, job) + "\\Colors\\" + leaf, 0)) continue;
    CQuorPrnSettingStore::Palette palette;
    std::string name;
    if (store.GetColorPreset(i, palette, name) != QUOR_PRN_SUCCESS) continue;
    std::string label = i == 0 ? "default colours" : "preset " + std::to_string(i) + " \"" + U(name) + "\"";
    presets.push_back({{"Number", i}, {"Name", U(name)}, {"Palette", RecordFormat::PaletteJson(palette)}});
    std::string line = label + ":";
    for (const auto& e : palette)
      if (e) line += " " + U(e->Name) + "=" + RecordFormat::ColorHex(e->Color);
    ctx.out.Text(line);
  }
}

}  // namespace tools
