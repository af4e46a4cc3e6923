// A minimal host: stores a printer and a form for its own system and job,
// asks the library which settings to print a form with, and removes what it
// stored; then it offers its user the printer dialog. It chooses no hive and
// no printers itself: the library follows QUORPRN_REGISTRY and
// QUORPRN_SPOOLER, as in any host process. Exits 0 when every answer was the
// expected one.
#include <cstdio>
#include <cstring>

#include "quorprn/QuorPrn.h"

namespace {

int Check(const char* what, int32_t got, int32_t want) {
  std::printf("%-22s %d%s\n", what, got, got == want ? "" : "  (unexpected)");
  return got == want ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: quorprn_host PRINTER TEMPLATE.TPT\n");
    return 2;
  }
  const char* printerName = argv[1];
  const char* templatePath = argv[2];
  const char* system = "HostExample";
  const char* job = "Daily";

  CQuorPrnPrinterAccess access;
  int failures = 0;
  failures += Check("RegCreatePrinterSet", access.RegCreatePrinterSet(system, job, 3), QUOR_PRN_SUCCESS);

  QUOR_PRN_PRINTER_INFO_TYPE printer;
  printer.PrinterName = printerName;
  printer.OffsetX = 25;
  printer.ScaleX = 950;
  failures += Check("RegCreatePrinter", access.RegCreatePrinter(system, job, 3, printer, nullptr), QUOR_PRN_SUCCESS);

  QUOR_PRN_FORM_INFO_TYPE form;
  form.FormName = "Invoice";
  form.PaperSize = "9";
  form.Bin = "0";
  failures += Check("RegCreateForm", access.RegCreateForm(system, job, 3, printerName, form), QUOR_PRN_SUCCESS);

  // No "CurrentPrinter" was stored: the lookup falls back to the default
  // printer and says so with 141, while still filling every record.
  QUOR_PRN_PRINTER_INFO_TYPE outPrinter;
  QUOR_PRN_FORM_INFO_TYPE outForm;
  QUOR_PRN_COLOR_INFO_TYPE outColor;
  int32_t code = access.GetPrinterInfoEx(system, job, 3, templatePath, "Invoice", &outPrinter, &outForm, 0,
                                         &outColor, nullptr);
  std::printf("lookup: printer \"%s\", paper %s \"%s\", bin %s\n", outPrinter.PrinterName.c_str(),
              outForm.PaperSize.c_str(), outForm.PaperName.c_str(), outForm.Bin.c_str());
  failures += Check("GetPrinterInfoEx", QuorPrnIsFallback(code) || code == QUOR_PRN_SUCCESS, 1);

  // The job options for that answer: a CUPS queue gets its keywords, a
  // virtual printer (the demo's) is no CUPS queue and says so with 190.
  std::vector<QUOR_PRN_CUPS_OPTION_TYPE> options;
  code = QuorPrnGetCupsOptions(templatePath, &outPrinter, &outForm, &outColor, &options);
  for (const auto& o : options) std::printf("job option: %s=%s\n", o.Name.c_str(), o.Value.c_str());
  failures += Check("QuorPrnGetCupsOptions", code == QUOR_PRN_SUCCESS || code == QUOR_PRN_ERR_NO_JOBS, 1);

  // The printer dialog. A bad argument is refused before anything happens;
  // without a display (a service, a terminal session) the library answers
  // QUOR_PRN_ERR_DISPLAY instead of showing anything, and the host carries on
  // with the settings it has.
  CPrnDevMode devMode;
  failures += Check("QuorPrnPrinterDlgOpen", QuorPrnPrinterDlgOpen("", job, 3, &devMode, 0, 0), QUOR_PRN_ERR_ARGUMENT);
  code = QuorPrnPrinterDlgOpen(system, job, 3, &devMode, /*helpId=*/0, /*withColour=*/1);
  if (code == QUOR_PRN_ERR_DISPLAY) {
    std::printf("printer dialog: no display, settings kept as they are\n");
  } else {
    DEVMODEA* chosen = nullptr;
    const int32_t size = devMode.GetDevMode(chosen);
    std::printf("printer dialog: %d, %s\n", code, size > 0 ? "printer properties chosen" : "no printer properties");
    failures += Check("QuorPrnPrinterDlgOpen", code == QUOR_PRN_SUCCESS || code == QUOR_PRN_CANCEL, 1);
  }

  failures += Check("RegDeletePrinterSet", access.RegDeletePrinterSet(system, job, 3), QUOR_PRN_SUCCESS);
  return failures == 0 ? 0 : 1;
}
