#include "tools/StoreVerbs.h"

#include <cctype>

#include "printer/CQuorPrnPrinterInfoManager.h"
#include "quorprn/CQuorPrnPrinterAccess.h"
#include "quorprn/CQuorPrnPrinterRedirectManager.h"
#include "store/CQuorPrnSettingStore.h"
#include "tools/CommandError.h"
#include "tools/NearestNames.h"
#include "tools/RecordFormat.h"
#include "tools/TerminalText.h"

namespace tools {

CLI::App* StoreVerbs::Add(CLI::App& app, CommandContext& ctx, const char* name, const char* help, Op op,
                          bool printer, bool form) {
  // Only the verbs that name a printer turn it into its stored name, which
  // asks the printer list.
  const bool readsPrinters = printer;
  CLI::App* sub = app.add_subcommand(name, help);
  sub->add_option("SYSTEM", system_, "system name")->required();
  sub->add_option("JOB", job_, "job name")->required();
  sub->add_option("SET", set_, "printer set number (0-99)")->required();
  if (printer) sub->add_option("PRINTER", printerName_, "printer name as installed")->required();
  if (form) sub->add_option("FORM", formName_, "form name")->required();
  sub->callback([this, &ctx, op, sub, readsPrinters] {
    // Each verb has only some of the options; asking for another one throws.
    auto given = [sub](const char* name) {
      const CLI::Option* o = sub->get_option_no_throw(name);
      return o && o->count() > 0;
    };
    hasPaper_ = given("--paper");
    hasColor_ = given("--color-print") || given("--mode") || given("--color");
    ctx.Select([this, op](CommandContext& c) { return Run(c, op); }, readsPrinters);
  });
  return sub;
}

void StoreVerbs::Register(CLI::App& app, CommandContext& ctx) {
  Add(app, ctx, "create-set", "create a printer set (no current printer yet)", Op::CreateSet, false, false);
  Add(app, ctx, "delete-set", "delete a printer set with all its printers and forms", Op::DeleteSet, false, false);
  Add(app, ctx, "delete-printer", "delete a stored printer with its forms and colours", Op::DeletePrinter, true, false);
  Add(app, ctx, "delete-form", "delete one stored form of a printer", Op::DeleteForm, true, true);
  Add(app, ctx, "select",
      "make PRINTER the set's current printer; a name no installed printer has is refused with the nearest "
      "installed names",
      Op::Select, true, false)
      ->add_flag("--force", force_, "store PRINTER even though no installed printer has that name (yet)");

  CLI::App* cp = Add(app, ctx, "create-printer",
                     "store a printer's offsets, scales and (with any colour option) colours; the current printer "
                     "is not changed",
                     Op::CreatePrinter, true, false);
  cp->add_option("--offset-x", printer_.OffsetX, "horizontal offset, 0.1 mm");
  cp->add_option("--offset-y", printer_.OffsetY, "vertical offset, 0.1 mm");
  cp->add_option("--scale-x", printer_.ScaleX, "horizontal scale, 0.1 % (1000 = 100 %)");
  cp->add_option("--scale-y", printer_.ScaleY, "vertical scale, 0.1 %");
  cp->add_option("--scale-fix", printer_.ScaleFix, "1: keep both scales equal")->check(CLI::Range(0, 1));
  cp->add_option("--color-print", colorPrint_, "1: print in colour")->check(CLI::Range(0, 1));
  cp->add_option("--mode", mode_, "colour mode: negative own palette, 0 default colours, 1-99 preset");
  cp->add_option("--color", colors_, "palette entry C001=0xBBGGRR (repeatable; for an own palette)");

  CLI::App* cf = Add(app, ctx, "create-form", "store a form of a printer (creating the keys above it)",
                     Op::CreateForm, true, true);
  cf->add_option("--paper", paper_, "paper number (-1 the printer's own, 256 user-defined, 9 A4, ...)");
  cf->add_option("--paper-name", paperName_, "paper name as the driver names it");
  cf->add_option("--bin", bin_, "paper source number (0 or empty: none)");
  cf->add_option("--fit", form_.PaperSizeFit, "1: fit to the paper")->check(CLI::Range(0, 1));
  cf->add_option("--offset-x", form_.OffsetX, "horizontal offset, 0.1 mm");
  cf->add_option("--offset-y", form_.OffsetY, "vertical offset, 0.1 mm");
  cf->add_option("--width", form_.Width, "user-defined paper width, 0.1 mm");
  cf->add_option("--height", form_.Height, "user-defined paper height, 0.1 mm");
  cf->add_option("--wh-fix", form_.WidthHeightFix, "1: keep width and height")->check(CLI::Range(0, 1));
}

void StoreVerbs::ParseColor(const std::string& text, std::string* name, int32_t* color) {
  auto bad = [&text] {
    return CommandError(CommandError::kUsage, "--color \"" + text + "\": expected C001=0xBBGGRR (C001 to C999)");
  };
  size_t eq = text.find('=');
  if (eq != 4 || text[0] != 'C' || !std::isdigit(static_cast<unsigned char>(text[1])) ||
      !std::isdigit(static_cast<unsigned char>(text[2])) || !std::isdigit(static_cast<unsigned char>(text[3])) ||
      text.compare(0, 4, "C000") == 0)
    throw bad();
  std::string value = text.substr(eq + 1);
  size_t used = 0;
  unsigned long v = 0;
  try {
    v = std::stoul(value, &used, 0);
  } catch (const std::exception&) {
    throw bad();
  }
  if (used != value.size() || v > 0xFFFFFF || value.empty() || value[0] == '-') throw bad();
  *name = text.substr(0, 4);
  *color = static_cast<int32_t>(v);
}

int StoreVerbs::Run(CommandContext& ctx, Op op) {
  std::string system = TerminalText::ToLibrary(system_, "the system name");
  std::string job = TerminalText::ToLibrary(job_, "the job name");
  std::string printerName = TerminalText::ToLibrary(printerName_, "the printer name");
  std::string formName = TerminalText::ToLibrary(formName_, "the form name");
  ArgumentCheck args;
  args.Name("the system name", system).Name("the job name", job).Set(set_);
  if (op != Op::CreateSet && op != Op::DeleteSet) args.Name("the printer name", printerName);
  if (op == Op::CreateForm || op == Op::DeleteForm) args.Name("the form name", formName);
  if (op == Op::Select && !force_ && args.Why().empty()) RefuseUninstalled(ctx, printerName);
  CQuorPrnPrinterAccess access;
  int32_t code = 0;
  switch (op) {
    case Op::CreateSet:
      code = access.RegCreatePrinterSet(system.c_str(), job.c_str(), set_);
      break;
    case Op::DeleteSet:
      code = access.RegDeletePrinterSet(system.c_str(), job.c_str(), set_);
      break;
    case Op::DeletePrinter:
      code = access.RegDeletePrinter(system.c_str(), job.c_str(), set_, printerName.c_str());
      break;
    case Op::DeleteForm:
      code = access.RegDeleteForm(system.c_str(), job.c_str(), set_, printerName.c_str(), formName.c_str());
      break;
    case Op::Select: {
      CQuorPrnSettingStore store;
      code = store.SelectPrinter(system.c_str(), job.c_str(), set_, printerName.c_str());
      break;
    }
    case Op::CreatePrinter: {
      printer_.PrinterName = printerName;
      QUOR_PRN_COLOR_INFO_TYPE color;
      color.ColorPrint = colorPrint_;
      color.Mode = mode_;
      for (const auto& c : colors_) {
        auto entry = std::make_unique<MERA_PRN_COLOR_PALETTE_TYPE>();
        ParseColor(c, &entry->Name, &entry->Color);
        color.Palette.push_back(std::move(entry));
      }
      code = access.RegCreatePrinter(system.c_str(), job.c_str(), set_, printer_, hasColor_ ? &color : nullptr);
      ctx.out.Data()["Printer"] = RecordFormat::Printer(printer_);
      if (hasColor_) ctx.out.Data()["Color"] = RecordFormat::Color(color);
      break;
    }
    case Op::CreateForm: {
      form_.FormName = formName;
      form_.PaperSize = hasPaper_ ? std::to_string(paper_) : "";
      form_.PaperName = TerminalText::ToLibrary(paperName_, "the paper name");
      form_.Bin = bin_;
      code = access.RegCreateForm(system.c_str(), job.c_str(), set_, printerName.c_str(), form_);
      ctx.out.Data()["Form"] = RecordFormat::Form(form_);
      break;
    }
  }
  return ctx.Answer(code, ResultMeaning::Sense::Stored, args);
}

// A typo would otherwise replace the stored current printer with a name that
// no lookup can use; the stored name of a redirected printer counts as its
// installed printer's.
void StoreVerbs::RefuseUninstalled(CommandContext& ctx, const std::string& name) {
  if (!CQuorPrnPrinterInfoManager::RefreshPrinters())
    throw CommandError(CommandError::kFailure,
                       "the installed printers cannot be listed; --force stores the name without checking");
  if (CQuorPrnPrinterInfoManager::FindPrinter(name) ||
      CQuorPrnPrinterInfoManager::FindPrinter(CQuorPrnPrinterRedirectManager::GetRealPrinterName(name.c_str())))
    return;
  std::vector<std::string> installed;
  CQuorPrnPrinterInfoManager::GetPrinterNames(installed);
  for (auto& n : installed) n = TerminalText::ToTerminal(n);
  std::vector<std::string> nearest = NearestNames::Of(printerName_, installed);
  std::string message = "no installed printer is named \"" + printerName_ + "\"";
  if (nearest.empty()) {
    message += "; no printer is installed";
  } else {
    message += "; nearest:";
    for (size_t i = 0; i < nearest.size(); ++i) message += (i ? ", \"" : " \"") + nearest[i] + "\"";
  }
  message += " (--force stores it anyway)";
  ctx.out.Data()["nearest"] = nearest;
  throw CommandError(CommandError::kFailure, message);
}

}  // namespace tools
