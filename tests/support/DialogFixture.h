// The set-up every dialog test starts from: the sandbox (a fresh in-memory
// hive, process-wide choices undone afterwards) with a virtual spooler of
// named printers.
#pragma once

#include <string>
#include <vector>

#include "tests/support/DialogDriver.h"
#include "tests/support/Sandbox.h"

namespace uitest {

class DialogFixture : public testsupport::Sandbox {
 protected:
  // Printers "Printer A" (the default) and "Printer B".
  void SetUp() override;

  // Replaces the spooler with printers of these names (code page 932), each
  // with papers A4 (9), A3 (8), B5 (13) and bins "Auto Select" (7),
  // "Tray 1" (1); defaultPrinter "" leaves the system without a default.
  void UsePrinters(const std::vector<std::string>& names, const std::string& defaultPrinter);
  // Replaces the spooler with a virtual spooler document (UTF-8 JSON).
  void UseSpoolerJson(const std::string& json) { UseSpooler(json); }
};

}  // namespace uitest
