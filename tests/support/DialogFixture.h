// The set-up every dialog test starts from: a fresh in-memory hive and a
// virtual spooler with named printers, the printer caches and list emptied,
// and the process-wide choices undone afterwards, so no test sees the
// machine's printers, registry or another test's leftovers.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/registry/MemoryHive.h"
#include "platform/spooler/VirtualSpooler.h"
#include "tests/support/DialogDriver.h"

namespace uitest {

class DialogFixture : public ::testing::Test {
 protected:
  // Printers "Printer A" (the default) and "Printer B".
  void SetUp() override;
  void TearDown() override;

  // Replaces the spooler with printers of these names (code page 932), each
  // with papers A4 (9), A3 (8), B5 (13) and bins "Auto Select" (7),
  // "Tray 1" (1); defaultPrinter "" leaves the system without a default.
  void UsePrinters(const std::vector<std::string>& names, const std::string& defaultPrinter);
  // Replaces the spooler with a virtual spooler document (UTF-8 JSON).
  void UseSpoolerJson(const std::string& json);

  std::shared_ptr<registry::MemoryHive> hive;
  std::shared_ptr<spooler::VirtualSpooler> spooler;
};

}  // namespace uitest
