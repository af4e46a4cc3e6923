// The print library's process-wide DocuWorks output state: whether printing
// goes to DocuWorks documents instead of paper, and the name of the printer
// that stands for DocuWorks output. Shared by every caller in the process.
#pragma once

#include <string>

#include "meraprn/MeraPrnExport.h"

class MERAPRN_API CPrnDoc {
 public:
  static void EnableXdwOutputPrint(int flag);
  static int IsEnableXdwOutputPrint();
  // The DocuWorks printer's name (code page 932); "DocuWorks Printer" until
  // SetXdwPrinterName changes it.
  static std::string GetXdwPrinterName();
  static void SetXdwPrinterName(const std::string& name);
};
