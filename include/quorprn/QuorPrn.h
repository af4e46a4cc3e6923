// The one header a host includes: the settings records and result codes, the
// exported classes and the entry points, and the print-library types that
// they take (the device-settings holder, the DocuWorks output description and
// switch).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "meraprn/CMeraPrnXdwOutputInfo.h"
#include "meraprn/CPrnDevMode.h"
#include "meraprn/CPrnDoc.h"
#include "quorprn/CQuorPrnPrinterAccess.h"
#include "quorprn/CQuorPrnPrinterRedirectManager.h"
#include "quorprn/CQuorPrnXdwInfo.h"
#include "quorprn/QuorPrnExport.h"
#include "quorprn/QuorPrnRecords.h"
#include "quorprn/QuorPrnResult.h"

// One CUPS job option: what `lp -o Name=Value` takes. UTF-8 (keywords and
// numbers only).
struct QUOR_PRN_CUPS_OPTION_TYPE {
  std::string Name;
  std::string Value;
};

// Turns the records of a settings lookup into the options of a CUPS print job
// on the printer that the printer record names, so that the job comes out on
// the form's paper, from its bin, in its orientation and colour treatment:
//   media                  the printer's own keyword for the form's paper
//                          number (the exact reverse of how the spooler
//                          numbered its papers); none for paper -1 (the
//                          printer's default); for 256 a custom size
//                          "custom_WxLmm_WxLmm" from the template paper's
//                          width and length, shorter side first;
//   media-source           the printer's keyword for the form's bin; none for
//                          bin 0 and for a printer that reports no bins;
//   orientation-requested  3 (portrait) or 4 (landscape), from the template
//                          paper; none for a free or printer-chosen paper
//                          whose section gives no size;
//   print-color-mode       monochrome for a colour-print flag of 0, color for
//                          1 when the printer offers colour (else none); none
//                          without a colour record;
//   print-scaling          fit when the form fits to the paper, else none.
// Offsets, scales and the width and height changes are left to the host: they
// change what it draws, not the job.
// The template paper is read from the form's section in `templatePath` (the
// file the lookup was given, the form named by the form record): a lookup
// that used stored settings does not read the file, so GetPaperSize may still
// hold another form's paper.
// `color` may be null; `options` is emptied first and owned by the caller.
// Asks the print system (may block for its bounded wait). Returns
//   1    the options are complete;
//   192  a paper or bin that the printer no longer offers (or a custom size
//        that it cannot take) was left out, never replaced by a guess; told
//        once per process on standard error; the other options are filled;
//   110  a null record or options pointer, an empty template path, printer
//        or form name;
//   130  the template file or the form's section could not be read;
//   150  the printer is not (or no longer) there;
//   113  the print system failed to answer;
//   190  the printer is not a CUPS queue (the spooler makes no print jobs);
//   191  the printer is a raw queue (it takes no paper, bin or colour).
QUORPRN_API int32_t QuorPrnGetCupsOptions(const char* templatePath, const QUOR_PRN_PRINTER_INFO_TYPE* printer,
                                          const QUOR_PRN_FORM_INFO_TYPE* form, const QUOR_PRN_COLOR_INFO_TYPE* color,
                                          std::vector<QUOR_PRN_CUPS_OPTION_TYPE>* options);

// Opens the printer dialog of printer set `setNo` (0-99) of `system` and `job`
// (non-empty code page 932 texts) and runs it modally on the calling (GUI)
// thread; `withColour` non-zero adds the colour choice. On confirm `devMode`
// (borrowed, required) receives the device settings chosen in the printer's
// property sheet, or is emptied when none were. `helpId` is the help context
// that F1 shows. Returns 1 confirmed, 2 cancelled, 110 bad argument (nothing
// happens), 114 no display to show the dialog on (QUOR_PRN_ERR_DISPLAY), 150
// no printer to offer, or the settings store's code when the stored set or
// printer cannot be read.
extern "C" QUORPRN_API int32_t QuorPrnPrinterDlgOpen(const char* system, const char* job, uint32_t setNo,
                                                     CPrnDevMode* devMode, uint32_t helpId, int32_t withColour);

// The DocuWorks output dialog for the settings of `system` and `job` (code
// page 932): print type, binder colour and destination, stored when the user
// confirms. `showCustomerFolder` 0 hides the choice of a folder per customer;
// `helpId` is the help context number that F1 shows. Modal, on the calling
// (GUI) thread. Returns 1 when closed by confirming (also when the settings
// could not be written), 2 when cancelled, 110 when `system` or `job` is
// missing or empty (nothing shown), 114 when there is no display.
extern "C" QUORPRN_API int32_t QuorPrnXdwOutputDlgOpen(const char* system, const char* job,
                                                       int32_t showCustomerFolder, int32_t helpId);
