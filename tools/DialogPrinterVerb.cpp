#include "tools/DialogPrinterVerb.h"

#include "quorprn/QuorPrn.h"
#include "tools/DialogModule.h"
#include "tools/DialogVerb.h"
#include "tools/TerminalText.h"

namespace tools {

void DialogPrinterVerb::Register(CLI::App& app, CommandContext& ctx) {
  CLI::App* printer = DialogVerb(app)->add_subcommand(
      "printer", "choose the current printer of a printer set, its offsets, scale and properties");
  printer->add_option("SYSTEM", system_, "system name")->required();
  printer->add_option("JOB", job_, "job name")->required();
  printer->add_option("SET", set_, "printer set, 0-99")->required();
  printer->add_flag("--colour,--color", colour_, "with the choice of monochrome or colour output");
  printer->add_option("--help-id", helpId_, "help context number that F1 shows");
  printer->callback([this, &ctx] { ctx.Select([this](CommandContext& c) { return Run(c); }); });
}

int DialogPrinterVerb::Run(CommandContext& ctx) {
  const std::string system = TerminalText::ToLibrary(system_, "the system name");
  const std::string job = TerminalText::ToLibrary(job_, "the job name");
  CPrnDevMode holder;
  const int32_t code =
      DialogModule::Get().printerDlgOpen(system.c_str(), job.c_str(), set_, &holder, helpId_, colour_ ? 1 : 0);
  if (code == QUOR_PRN_ERR_DISPLAY) {
    ctx.out.Problem("no display to show the dialog on (DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is needed)");
  }
  const int status = ctx.out.Result(code);
  if (code != QUOR_PRN_SUCCESS) return status;

  DEVMODEA* block = nullptr;
  auto& d = ctx.out.Data();
  if (holder.GetDevMode(block) == 0 || block == nullptr) {
    d["devMode"] = nullptr;
    ctx.out.Text("device settings: none chosen (the printer's own apply)");
    return status;
  }
  d["devMode"] = {
      {"paper", block->dmPaperSize}, {"bin", block->dmDefaultSource}, {"orientation", block->dmOrientation}};
  ctx.out.Text("paper:       " + std::to_string(block->dmPaperSize));
  ctx.out.Text("bin:         " + std::to_string(block->dmDefaultSource));
  ctx.out.Text("orientation: " + std::to_string(block->dmOrientation) +
               (block->dmOrientation == DMORIENT_LANDSCAPE ? " (landscape)" : " (portrait)"));
  return status;
}

}  // namespace tools
