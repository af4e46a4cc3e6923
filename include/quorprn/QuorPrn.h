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

// The DocuWorks output dialog for the settings of `system` and `job` (code
// page 932): print type, binder colour and destination, stored when the user
// confirms. `showCustomerFolder` 0 hides the choice of a folder per customer;
// `helpId` is the help context number that F1 shows. Modal, on the calling
// (GUI) thread. Returns 1 when closed by confirming (also when the settings
// could not be written), 2 when cancelled, 110 when `system` or `job` is
// missing or empty (nothing shown), 114 when there is no display.
QUORPRN_API int32_t QuorPrnXdwOutputDlgOpen(const char* system, const char* job, int32_t showCustomerFolder,
                                           int32_t helpId);

}  // extern "C"
