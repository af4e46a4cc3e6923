#include "tools/DialogFormVerb.h"

#include "quorprn/QuorPrn.h"
#include "tools/DialogModule.h"
#include "tools/DialogVerb.h"
#include "tools/RecordFormat.h"
#include "tools/TerminalText.h"

namespace tools {

void DialogFormVerb::Register(CLI::App& app, CommandContext& ctx) {
  CLI::App* form = DialogVerb(app)->add_subcommand(
      "form", "the form dialog: paper, paper source, fit, offsets and size of one form on the set's printer");
  form->add_option("SYSTEM", system_, "system name")->required();
  form->add_option("JOB", job_, "job name")->required();
  form->add_option("SET", set_, "printer set number (0-99)")->required();
  form->add_option("TEMPLATE", template_, "form template file (.TPT or .TPTX)")->required();
  form->add_option("FORM", form_, "form name")->required();
  form->add_option("--title", title_, "the form's title shown in the dialog (default: the form name)");
  form->add_flag("--standard-papers", standardPapers_, "list only the standard paper sizes");
  form->add_option("--help-id", helpId_, "help context number that F1 shows");
  form->callback([this, &ctx] { ctx.Select([this](CommandContext& c) { return Run(c); }); });
}

int DialogFormVerb::Run(CommandContext& ctx) {
  const std::string system = TerminalText::ToLibrary(system_, "the system name");
  const std::string job = TerminalText::ToLibrary(job_, "the job name");
  const std::string path = TerminalText::ToLibrary(template_, "the template path");
  const std::string form = TerminalText::ToLibrary(form_, "the form name");
  const std::string title = title_.empty() ? form : TerminalText::ToLibrary(title_, "the title");

  const int32_t code = DialogModule::Get().formDlgOpen(system.c_str(), job.c_str(), set_, form.c_str(), path.c_str(),
                                                       title.c_str(), standardPapers_ ? 1 : 0, helpId_);
  if (code == QUOR_PRN_ERR_DISPLAY) {
    ctx.out.Problem("no display to show the dialog on (DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is needed)");
  }
  const int status = ctx.out.Result(code);
  if (code != QUOR_PRN_SUCCESS) return status;

  // What a host gets for the form from now on.
  CQuorPrnPrinterAccess access;
  QUOR_PRN_PRINTER_INFO_TYPE printer;
  QUOR_PRN_FORM_INFO_TYPE stored;
  access.GetPrinterInfo(system.c_str(), job.c_str(), set_, path.c_str(), form.c_str(), &printer, &stored,
                        /*color=*/nullptr, /*devMode=*/nullptr);
  ctx.out.Data()["Printer"] = RecordFormat::Printer(printer);
  ctx.out.Data()["Form"] = RecordFormat::Form(stored);
  ctx.out.Text("printer:  " + RecordFormat::PrinterLine(printer));
  ctx.out.Text("form:     " + RecordFormat::FormLine(stored));
  return status;
}

}  // namespace tools
