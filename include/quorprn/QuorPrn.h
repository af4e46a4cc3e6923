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

extern "C" {

// Opens the form dialog, in which a user sets how form `formName` (read from
// the template file `formFile`) prints on the current printer of printer set
// `setNo` (0-99) of `system` and `job`: paper size, fit to paper, paper
// source, offsets and the width and height change. `formTitle` (may be null)
// is shown as the form's title; a non-zero `standardPapersOnly` lists only
// the standard paper sizes; `helpId` is the help context number of F1.
// Texts are NUL-terminated code page 932. Runs modally on the calling (GUI)
// thread. Answers 1 confirmed (the form's settings are written), 2 cancelled
// (nothing is written), 110 for an empty system, job, form name or template
// or a set above 99, 114 without a display, 150 without a default printer,
// 130 when the template cannot be read for the form, 113 when the printer's
// papers or bins cannot be had, or the settings store's code when the form's
// stored settings cannot be read.
QUORPRN_API int32_t QuorPrnFormDlgOpen(const char* system, const char* job, uint32_t setNo, const char* formName,
                                       const char* formFile, const char* formTitle, int32_t standardPapersOnly,
                                       uint32_t helpId);

}  // extern "C"
