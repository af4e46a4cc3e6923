// The one header a host includes: the settings records and result codes, the
// exported classes and the entry points, and the print-library types that
// they take (the device-settings holder, the DocuWorks output description and
// switch).
#pragma once

#include "meraprn/CMeraPrnXdwOutputInfo.h"
#include "meraprn/CPrnDevMode.h"
#include "meraprn/CPrnDoc.h"
#include "quorprn/CQuorPrnPrinterAccess.h"
#include "quorprn/CQuorPrnPrinterRedirectManager.h"
#include "quorprn/CQuorPrnXdwInfo.h"
#include "quorprn/QuorPrnRecords.h"
#include "quorprn/QuorPrnResult.h"
