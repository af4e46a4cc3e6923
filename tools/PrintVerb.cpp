#include "tools/PrintVerb.h"

#include <filesystem>
#include <fstream>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/PrintJobs.h"
#include "quorprn/QuorPrn.h"
#include "tools/CommandError.h"
#include "tools/CupsOptionText.h"
#include "tools/RecordFormat.h"
#include "tools/ResultMeaning.h"
#include "tools/TerminalText.h"

namespace tools {
namespace {

// The document's type from its first bytes: the print server passes it on
// unconverted to a queue that takes it as it is, so a wrong guess here would
// reach the printer as garbage.
std::string DocumentFormat(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CommandError(CommandError::kUsage, "FILE: cannot read " + path);
  std::string head(4096, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  if (head.rfind("%PDF-", 0) == 0) return "application/pdf";
  if (head.rfind("%!", 0) == 0) return "application/postscript";
  if (!head.empty() && head.find('\0') == std::string::npos) return "text/plain";
  throw CommandError(CommandError::kUsage, "FILE: " + path + " is not a PDF, PostScript or text document");
}

}  // namespace

void PrintVerb::Register(CLI::App& app, CommandContext& ctx) {
  CLI::App* print = app.add_subcommand(
      "print", "print FILE (PDF, PostScript or text) with the settings a host gets for the form, through CUPS");
  print->add_option("SYSTEM", system_, "system name")->required();
  print->add_option("JOB", job_, "job name")->required();
  print->add_option("SET", set_, "printer set number (0-99)")->required();
  print->add_option("TEMPLATE", template_, "form template file (.TPT or .TPTX)")->required();
  print->add_option("FORM", form_, "form name")->required();
  print->add_option("FILE", file_, "the document to print")->required();
  print->add_option("--copies", copies_, "number of copies (1-999)")->check(CLI::Range(1, 999));
  print->add_option("--title", title_, "the job's name (default: the file's name)");
  print->callback([this, &ctx] { ctx.Select([this](CommandContext& c) { return Print(c); }); });
}

int PrintVerb::Print(CommandContext& ctx) {
  std::string system = TerminalText::ToLibrary(system_, "the system name");
  std::string job = TerminalText::ToLibrary(job_, "the job name");
  std::string path = TerminalText::ToLibrary(template_, "the template path");
  std::string form = TerminalText::ToLibrary(form_, "the form name");
  std::string title = title_.empty()
                          ? mbcs::Cp932Converter::FromUtf8Lossy(std::filesystem::path(file_).filename().string())
                          : TerminalText::ToLibrary(title_, "the title");
  std::string format = DocumentFormat(file_);

  CQuorPrnPrinterAccess access;
  QUOR_PRN_PRINTER_INFO_TYPE printer;
  QUOR_PRN_FORM_INFO_TYPE formRecord;
  QUOR_PRN_COLOR_INFO_TYPE color;
  int32_t code = access.GetPrinterInfoEx(system.c_str(), job.c_str(), set_, path.c_str(), form.c_str(), &printer,
                                         &formRecord, /*useTemplate=*/0, &color, nullptr);
  auto& d = ctx.out.Data();
  d["Printer"] = RecordFormat::Printer(printer);
  d["Form"] = RecordFormat::Form(formRecord);
  if (code != QUOR_PRN_SUCCESS && !QuorPrnIsFallback(code)) {
    ArgumentCheck args;
    args.Name("the system name", system).Name("the job name", job).Set(set_);
    args.Name("the template path", path).Name("the form name", form);
    int status = ctx.Answer(code, ResultMeaning::Sense::Lookup, args);
    ctx.out.Problem("not printed: the settings lookup failed");
    return status;
  }

  std::vector<QUOR_PRN_CUPS_OPTION_TYPE> options;
  int32_t optionsCode = QuorPrnGetCupsOptions(path.c_str(), &printer, &formRecord, &color, &options);
  d["cupsOptions"] = CupsOptionText::Json(options);
  if (optionsCode != QUOR_PRN_SUCCESS) {
    int status = ctx.out.Result(optionsCode);
    ctx.out.Problem("not printed on \"" + TerminalText::ToTerminal(printer.PrinterName) +
                    "\": the stored settings cannot be turned into job options");
    return status;
  }

  spooler::JobRequest request;
  request.printer = printer.PrinterName;
  request.file = file_;
  request.format = format;
  request.title = title;
  request.copies = copies_;
  for (const auto& o : options) request.options.emplace_back(o.Name, o.Value);
  int jobId = 0;
  std::string error;
  if (spooler::PrintJobs::Submit(request, &jobId, &error) != spooler::JobStatus::kOk)
    throw CommandError(CommandError::kFailure, "not printed: " + TerminalText::ToTerminal(error));

  // The lookup's code says whether (and which) fallback chose the settings.
  int status = ctx.out.Result(code);
  d["job"] = jobId;
  ctx.out.Text("printer:  " + TerminalText::ToTerminal(printer.PrinterName));
  ctx.out.Text("options:  " + CupsOptionText::LpWords(options));
  ctx.out.Text("job id:   " + std::to_string(jobId));
  if (QuorPrnIsFallback(code))
    ctx.out.Problem("printed with a fallback: " + std::to_string(code) + " (" + ResultMeaning::Of(code) + ")");
  return status;
}

}  // namespace tools
