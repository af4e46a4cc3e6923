// The one header a host includes: the settings records and result codes, the
// exported classes and the entry points, and the print-library types that
// they take (the device-settings holder, the DocuWorks output description and
// switch).
#pragma once

#include <cstdint>

#include "meraprn/CMeraPrnXdwOutputInfo.h"
#include "meraprn/CPrnDevMode.h"
#include "meraprn/CPrnDoc.h"
#include "quorprn/CQuorPrnPrinterAccess.h"
#include "quorprn/CQuorPrnPrinterRedirectManager.h"
#include "quorprn/CQuorPrnXdwInfo.h"
#include "quorprn/QuorPrnExport.h"
#include "quorprn/QuorPrnRecords.h"
#include "quorprn/QuorPrnResult.h"

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
