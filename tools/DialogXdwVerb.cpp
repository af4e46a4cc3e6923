#include "tools/DialogXdwVerb.h"

#include "quorprn/QuorPrn.h"
#include "tools/DialogModule.h"
#include "tools/DialogVerb.h"
#include "tools/TerminalText.h"
#include "tools/XdwVerbs.h"

namespace tools {

void DialogXdwVerb::Register(CLI::App& app, CommandContext& ctx) {
  CLI::App* xdw = DialogVerb(app)->add_subcommand(
      "xdw", "the DocuWorks output dialog; prints the result and the stored settings afterwards");
  xdw->add_option("SYSTEM", system_, "system name")->required();
  xdw->add_option("JOB", job_, "job name")->required();
  xdw->add_flag("--customer-folder", customerFolder_, "show the check box for a folder per customer");
  xdw->add_option("--help-id", helpId_, "help context number that F1 shows");
  xdw->callback([this, &ctx] { ctx.Select([this](CommandContext& c) { return Open(c); }); });
}

int DialogXdwVerb::Open(CommandContext& ctx) {
  const std::string system = TerminalText::ToLibrary(system_, "the system name");
  const std::string job = TerminalText::ToLibrary(job_, "the job name");
  const int32_t result =
      DialogModule::Get().xdwOutputDlgOpen(system.c_str(), job.c_str(), customerFolder_ ? 1 : 0, helpId_);
  const int status = ctx.out.Result(result);
  if (result == QUOR_PRN_SUCCESS || result == QUOR_PRN_CANCEL) {
    CQuorPrnXdwInfo xdw;
    xdw.Initialize(system, job, "", "", "");
    XdwVerbs::Describe(ctx, xdw.GetOutputInfo(""));
  }
  return status;
}

}  // namespace tools
