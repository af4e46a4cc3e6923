#include "tools/XdwVerbs.h"

#include "quorprn/CQuorPrnXdwInfo.h"
#include "tools/CommandError.h"
#include "tools/RegistryCause.h"
#include "tools/TerminalText.h"

namespace tools {
namespace {

std::string U(const std::string& cp932) { return TerminalText::ToTerminal(cp932); }

std::string WriteFailure(const std::string& what) {
  std::string cause = RegistryCause::Last();
  return cause.empty() ? what : what + ": " + cause;
}

}  // namespace

void XdwVerbs::Describe(CommandContext& ctx, const CMeraPrnXdwOutputInfo& info) {
  auto& d = ctx.out.Data();
  d["PrintType"] = static_cast<int>(info.GetPrintType());
  d["ColorType"] = static_cast<int>(info.GetColorType());
  d["OutputType"] = static_cast<int>(info.GetOutputType());
  d["FolderPath"] = U(info.GetFolderPath());
  d["InputFolder"] = U(info.GetInputFolder());
  d["OutputFolder"] = U(info.GetOutputFolder());
  d["FileName"] = U(info.GetFileName());
  static const char* const kPrint[] = {"separate documents", "one combined document", "a binder document"};
  static const char* const kOutput[] = {"the folder", "a customer folder below the folder",
                                        "a named file in the input folder"};
  int pt = info.GetPrintType(), ot = info.GetOutputType();
  ctx.out.Text("print type:    " + std::to_string(pt) + (pt >= 0 && pt <= 2 ? std::string(" (") + kPrint[pt] + ")" : ""));
  ctx.out.Text("binder colour: " + std::to_string(info.GetColorType()));
  ctx.out.Text("output type:   " + std::to_string(ot) + (ot >= 0 && ot <= 2 ? std::string(" (") + kOutput[ot] + ")" : ""));
  ctx.out.Text("folder:        " + U(info.GetFolderPath()));
  ctx.out.Text("input folder:  " + U(info.GetInputFolder()));
  ctx.out.Text("output folder: " + U(info.GetOutputFolder()));
  if (!info.GetFileName().empty()) ctx.out.Text("file name:     " + U(info.GetFileName()));
}

void XdwVerbs::Register(CLI::App& app, CommandContext& ctx) {
  CLI::App* xdw = app.add_subcommand("xdw", "DocuWorks output settings of a system and job");
  xdw->require_subcommand(1);

  CLI::App* show = xdw->add_subcommand("show", "the stored settings as the library reads them");
  show->add_option("SYSTEM", system_, "system name")->required();
  show->add_option("JOB", job_, "job name")->required();
  show->add_option("--file", file_, "file name to clean and show");
  show->add_option("--customer", customer_, "the two parts of the customer folder name")->expected(2);
  show->callback([this, &ctx] {
    ctx.Select([this](CommandContext& c) { return Show(c); }, /*readsPrinters=*/false);
  });

  CLI::App* set =
      xdw->add_subcommand("set", "write only the values given; the others stay exactly as stored, or absent");
  set->add_option("SYSTEM", system_, "system name")->required();
  set->add_option("JOB", job_, "job name")->required();
  set->add_option("--print-type", printType_, "0 separate, 1 combined, 2 binder")->check(CLI::Range(0, 2));
  set->add_option("--color", color_, "binder colour 0-16 (0 standard)")->check(CLI::Range(0, 16));
  set->add_option("--output-type", outputType_, "0 folder, 1 customer folder, 2 named file in the input folder")
      ->check(CLI::Range(0, 2));
  set->add_option("--folder", folder_, "output folder");
  set->callback([this, &ctx, set] {
    folderGiven_ = set->count("--folder") > 0;
    ctx.Select([this](CommandContext& c) { return Set(c); }, /*readsPrinters=*/false);
  });

  CLI::App* in = xdw->add_subcommand("input-folder", "store the input folder (used by output type 2)");
  in->add_option("SYSTEM", system_, "system name")->required();
  in->add_option("JOB", job_, "job name")->required();
  in->add_option("PATH", inputFolder_, "folder")->required();
  in->callback([this, &ctx] {
    ctx.Select([this](CommandContext& c) { return InputFolder(c); }, /*readsPrinters=*/false);
  });
}

int XdwVerbs::Show(CommandContext& ctx) {
  CQuorPrnXdwInfo xdw;
  std::string p1 = customer_.size() == 2 ? TerminalText::ToLibrary(customer_[0], "the customer folder part") : "";
  std::string p2 = customer_.size() == 2 ? TerminalText::ToLibrary(customer_[1], "the customer folder part") : "";
  xdw.Initialize(TerminalText::ToLibrary(system_, "the system name"), TerminalText::ToLibrary(job_, "the job name"),
                 p1, p2, "");
  Describe(ctx, xdw.GetOutputInfo(TerminalText::ToLibrary(file_, "the file name")));
  return ctx.out.Success();
}

int XdwVerbs::Set(CommandContext& ctx) {
  CQuorPrnXdwInfo xdw;
  xdw.Initialize(TerminalText::ToLibrary(system_, "the system name"), TerminalText::ToLibrary(job_, "the job name"),
                 "", "", "");
  // Only what was given is written: what GetOutputInfo answers for the rest
  // is not what is stored (defaults, a backslash added to the folder).
  std::string folder = folderGiven_ ? TerminalText::ToLibrary(folder_, "the folder") : "";
  if (!xdw.UpdateRegistryValues(printType_ >= 0 ? &printType_ : nullptr, color_ >= 0 ? &color_ : nullptr,
                                outputType_ >= 0 ? &outputType_ : nullptr, folderGiven_ ? &folder : nullptr))
    return ctx.out.Fail(CommandError::kFailure, WriteFailure("the settings could not be written"));
  Describe(ctx, xdw.GetOutputInfo(""));
  return ctx.out.Success();
}

int XdwVerbs::InputFolder(CommandContext& ctx) {
  CQuorPrnXdwInfo xdw;
  xdw.Initialize(TerminalText::ToLibrary(system_, "the system name"), TerminalText::ToLibrary(job_, "the job name"),
                 "", "", "");
  if (!xdw.UpdateRegistryInputFolder(TerminalText::ToLibrary(inputFolder_, "the folder")))
    return ctx.out.Fail(CommandError::kFailure, WriteFailure("the input folder could not be written"));
  Describe(ctx, xdw.GetOutputInfo(""));
  return ctx.out.Success();
}

}  // namespace tools
