// Process-wide DocuWorks output switch and printer name. Like the rest of the
// library's process-wide state it is meant for the host's one GUI thread.
#include "meraprn/CPrnDoc.h"

namespace {
int g_xdwOutput = 0;
std::string& XdwPrinterName() {
  static std::string name = "DocuWorks Printer";
  return name;
}
}  // namespace

void CPrnDoc::EnableXdwOutputPrint(int flag) { g_xdwOutput = flag; }
int CPrnDoc::IsEnableXdwOutputPrint() { return g_xdwOutput; }
std::string CPrnDoc::GetXdwPrinterName() { return XdwPrinterName(); }
void CPrnDoc::SetXdwPrinterName(const std::string& name) { XdwPrinterName() = name; }
