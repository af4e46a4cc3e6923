#include "tools/LookupVerbs.h"

#include <cstring>

#include "quorprn/CQuorPrnPrinterAccess.h"
#include "quorprn/QuorPrn.h"
#include "tools/CommandError.h"
#include "tools/CupsOptionText.h"
#include "tools/RecordFormat.h"
#include "tools/ResultMeaning.h"
#include "tools/TerminalText.h"

namespace tools {

void LookupVerbs::Register(CLI::App& app, CommandContext& ctx) {
  CLI::App* lookup = app.add_subcommand(
      "lookup", "the settings a host gets for a form (GetPrinterInfoEx) and the template's paper (GetPaperSize)");
  lookup->add_option("SYSTEM", system_, "system name")->required();
  lookup->add_option("JOB", job_, "job name")->required();
  lookup->add_option("SET", set_, "printer set number (0-99)")->required();
  lookup->add_option("TEMPLATE", template_, "form template file (.TPT or .TPTX)")->required();
  lookup->add_option("FORM", form_, "form name")->required();
  lookup->add_flag("--use-template", useTemplate_, "take paper number and name from the template even when stored");
  lookup->add_option("--devmode-paper", devPaper_, "paper number of the device settings handed in");
  lookup->add_option("--devmode-bin", devBin_, "paper source of the device settings handed in");
  lookup->add_flag("--lp", lp_, "print only the CUPS job options for the answer, as -o words for lp");
  lookup->callback([this, &ctx, lookup] {
    hasDevPaper_ = lookup->count("--devmode-paper") > 0;
    hasDevBin_ = lookup->count("--devmode-bin") > 0;
    ctx.Select([this](CommandContext& c) { return Lookup(c); });
  });

  CLI::App* def = app.add_subcommand("default", "the printer and colours of a set's current printer (GetPrinterDefault)");
  def->add_option("SYSTEM", system_, "system name")->required();
  def->add_option("JOB", job_, "job name")->required();
  def->add_option("SET", set_, "printer set number (0-99)")->required();
  def->callback([this, &ctx] { ctx.Select([this](CommandContext& c) { return Default(c); }); });
}

int LookupVerbs::Lookup(CommandContext& ctx) {
  std::string system = TerminalText::ToLibrary(system_, "the system name");
  std::string job = TerminalText::ToLibrary(job_, "the job name");
  std::string path = TerminalText::ToLibrary(template_, "the template path");
  std::string form = TerminalText::ToLibrary(form_, "the form name");

  // The holder a printer dialog would have filled for the host.
  CPrnDevMode holder;
  if (hasDevPaper_ || hasDevBin_) {
    DEVMODEA dm;
    std::memset(&dm, 0, sizeof dm);
    dm.dmSize = sizeof dm;
    if (hasDevPaper_) dm.dmFields |= DM_PAPERSIZE, dm.dmPaperSize = static_cast<int16_t>(devPaper_);
    if (hasDevBin_) dm.dmFields |= DM_DEFAULTSOURCE, dm.dmDefaultSource = static_cast<int16_t>(devBin_);
    holder.SetDevMode(&dm, sizeof dm);
  }

  CQuorPrnPrinterAccess access;
  QUOR_PRN_PRINTER_INFO_TYPE printer;
  QUOR_PRN_FORM_INFO_TYPE formRecord;
  QUOR_PRN_COLOR_INFO_TYPE color;
  int32_t code = access.GetPrinterInfoEx(system.c_str(), job.c_str(), set_, path.c_str(), form.c_str(), &printer,
                                         &formRecord, useTemplate_ ? 1 : 0, &color,
                                         hasDevPaper_ || hasDevBin_ ? &holder : nullptr);
  if (lp_ && !ctx.out.json()) return LpWords(ctx, path, printer, formRecord, color, code);
  int32_t paperNo = 0, portrait = 0, width = 0, length = 0;
  access.GetPaperSize(&paperNo, &portrait, &width, &length);

  ArgumentCheck args;
  args.Name("the system name", system).Name("the job name", job).Set(set_);
  args.Name("the template path", path).Name("the form name", form);
  int status = ctx.Answer(code, ResultMeaning::Sense::Lookup, args);
  auto& d = ctx.out.Data();
  d["Printer"] = RecordFormat::Printer(printer);
  d["Form"] = RecordFormat::Form(formRecord);
  d["Color"] = RecordFormat::Color(color);
  d["PaperSize"] = {{"PaperNo", paperNo}, {"Portrait", portrait}, {"Width", width}, {"Length", length}};
  ctx.out.Text("printer:  " + RecordFormat::PrinterLine(printer));
  ctx.out.Text("form:     " + RecordFormat::FormLine(formRecord));
  ctx.out.Text("colour:   " + RecordFormat::ColorLine(color.ColorPrint, color.Mode, color.Palette));
  ctx.out.Text("template paper: " + std::to_string(paperNo) + (portrait ? " portrait " : " landscape ") +
               std::to_string(width) + " x " + std::to_string(length) + " (0.1 mm)");
  // The job options belong to every complete answer in JSON; only --lp, which
  // asked for them, fails when they cannot be made.
  if (ctx.out.json() && (code == QUOR_PRN_SUCCESS || QuorPrnIsFallback(code))) {
    std::vector<QUOR_PRN_CUPS_OPTION_TYPE> options;
    int32_t optionsCode = QuorPrnGetCupsOptions(path.c_str(), &printer, &formRecord, &color, &options);
    d["cupsOptionsResult"] = optionsCode;
    d["cupsOptions"] = CupsOptionText::Json(options);
    if (lp_ && optionsCode != QUOR_PRN_SUCCESS) status = CommandError::kFailure;
  }
  return status;
}

// Only the words go to standard output, so that `lp $(quorprn lookup ... --lp)`
// works; the lookup's result, when it is not plain success, goes to standard
// error.
int LookupVerbs::LpWords(CommandContext& ctx, const std::string& templatePath,
                         const QUOR_PRN_PRINTER_INFO_TYPE& printer, const QUOR_PRN_FORM_INFO_TYPE& form,
                         const QUOR_PRN_COLOR_INFO_TYPE& color, int32_t code) {
  int status = ResultMeaning::ExitStatus(code);
  if (code != QUOR_PRN_SUCCESS)
    ctx.out.Problem("result " + std::to_string(code) + " (" + ResultMeaning::Of(code) + ")");
  if (code != QUOR_PRN_SUCCESS && !QuorPrnIsFallback(code)) return status;
  std::vector<QUOR_PRN_CUPS_OPTION_TYPE> options;
  int32_t optionsCode = QuorPrnGetCupsOptions(templatePath.c_str(), &printer, &form, &color, &options);
  if (optionsCode != QUOR_PRN_SUCCESS) {
    ctx.out.Problem("job options: result " + std::to_string(optionsCode) + " (" + ResultMeaning::Of(optionsCode) +
                    ")");
    status = CommandError::kFailure;
  }
  // A partial set is still worth showing: it names everything but the part
  // that was left out.
  if (optionsCode == QUOR_PRN_SUCCESS || optionsCode == QUOR_PRN_LEFT_OUT)
    ctx.out.Text(CupsOptionText::LpWords(options));
  return status;
}

int LookupVerbs::Default(CommandContext& ctx) {
  std::string system = TerminalText::ToLibrary(system_, "the system name");
  std::string job = TerminalText::ToLibrary(job_, "the job name");
  CQuorPrnPrinterAccess access;
  QUOR_PRN_PRINTER_INFO_TYPE printer;
  QUOR_PRN_COLOR_INFO_TYPE color;
  int32_t code = access.GetPrinterDefault(system.c_str(), job.c_str(), set_, &printer, &color);
  ArgumentCheck args;
  args.Name("the system name", system).Name("the job name", job).Set(set_);
  int status = ctx.Answer(code, ResultMeaning::Sense::Lookup, args);
  ctx.out.Data()["Printer"] = RecordFormat::Printer(printer);
  ctx.out.Data()["Color"] = RecordFormat::Color(color);
  ctx.out.Text("printer:  " + RecordFormat::PrinterLine(printer));
  ctx.out.Text("colour:   " + RecordFormat::ColorLine(color.ColorPrint, color.Mode, color.Palette));
  return status;
}

}  // namespace tools
