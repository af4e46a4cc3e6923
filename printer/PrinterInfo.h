// One printer of the process-wide printer list: the six texts taken from the
// spooler's level-2 enumeration entry, all code page 932. Plain data; the list
// (CQuorPrnPrinterInfoManager) owns every instance.
#pragma once

#include <string>

struct PrinterInfo {
  std::string printerName;  // pPrinterName
  std::string statusText;   // the Status bits as text (GetStatusText)
  std::string driverName;   // pDriverName
  std::string location;     // pLocation
  std::string comment;      // pComment
  std::string portName;     // pPortName
};
