// The process-wide printer list: enumeration order, the name index with
// duplicate and vanished printers, failed and growing enumerations, and the
// status texts with and without a translation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "platform/spooler/WinSpool.h"
#include "printer/CQuorPrnPrinterInfoManager.h"
#include "tests/platform/spooler/GrowingSpooler.h"
#include "tests/support/Sandbox.h"

using Mgr = CQuorPrnPrinterInfoManager;
using spooler::VirtualSpooler;
using Names = std::vector<std::string>;

class CQuorPrnPrinterInfoManagerTestPeer {
 public:
  // Back to the state of a freshly loaded library.
  static void Unload() {
    Mgr::m_cPrinterList.clear();
    Mgr::m_cPrinterIndex.clear();
    Mgr::m_bLoaded = false;
  }
};

namespace {

class PrinterList : public ::testing::Test {
 protected:
  void SetUp() override { CQuorPrnPrinterInfoManagerTestPeer::Unload(); }
  void TearDown() override {
    CQuorPrnPrinterInfoManagerTestPeer::Unload();
    spooler::Spooler::Reset();
  }
  void Use(const std::string& json) { vs = testsupport::UseSpooler(json); }
  int Enumerations() const { return vs->Calls("", VirtualSpooler::kEnum); }
  std::shared_ptr<VirtualSpooler> vs;
};

const char* kThree = R"({"printers": [
  {"name": "Dup", "port": "first", "driver": "D1", "location": "L1", "comment": "C1", "status": 0},
  {"name": "経理", "port": "lpt1:", "status": 136},
  {"name": "Dup", "port": "second", "status": 1}]})";

}  // namespace

TEST_F(PrinterList, LoadsOnFirstUseInOrderWithTheLastDuplicateIndexedAndRefreshForgetsVanishedPrinters) {
  Use(kThree);
  EXPECT_EQ(Mgr::GetPrinterCount(), 3);
  EXPECT_EQ(Enumerations(), 2);  // the size query and the fill
  const PrinterInfo* first = Mgr::GetPrinterAt(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(Names({first->printerName, first->driverName, first->location, first->comment, first->portName,
                   first->statusText}),
            Names({"Dup", "D1", "L1", "C1", "first", mbcs::Cp932("準備完了")}));
  EXPECT_EQ(Mgr::GetPrinterAt(1)->statusText, mbcs::Cp932("紙詰まり"));
  EXPECT_EQ(Mgr::GetPrinterAt(-1), nullptr);
  EXPECT_EQ(Mgr::GetPrinterAt(3), nullptr);

  ASSERT_NE(Mgr::FindPrinter("Dup"), nullptr);
  EXPECT_EQ(Mgr::FindPrinter("Dup")->portName, "second");
  EXPECT_EQ(Mgr::GetPrinterIndex("Dup"), 2);
  EXPECT_EQ(Mgr::GetPrinterIndex(mbcs::Cp932("経理")), 1);
  EXPECT_EQ(Mgr::FindPrinter("dup"), nullptr);  // exact case
  EXPECT_EQ(Mgr::GetPrinterIndex("dup"), -1);

  Names names = {"stale", "entries"};
  Mgr::GetPrinterNames(names);
  EXPECT_EQ(names, Names({"Dup", mbcs::Cp932("経理"), "Dup"}));

  // A refresh replaces the list and forgets vanished printers.
  ASSERT_EQ(Mgr::RefreshPrinters(), 1);
  ASSERT_NE(Mgr::FindPrinter(mbcs::Cp932("経理")), nullptr);
  Use(R"({"printers": [{"name": "Dup", "port": "only"}]})");
  EXPECT_EQ(Mgr::GetPrinterCount(), 3);  // no refresh yet: the old list stands
  ASSERT_EQ(Mgr::RefreshPrinters(), 1);
  EXPECT_EQ(Mgr::GetPrinterCount(), 1);
  EXPECT_EQ(Mgr::FindPrinter(mbcs::Cp932("経理")), nullptr);
  EXPECT_EQ(Mgr::GetPrinterIndex(mbcs::Cp932("経理")), -1);
  EXPECT_EQ(Mgr::FindPrinter("Dup")->portName, "only");
  EXPECT_EQ(Mgr::GetPrinterIndex("Dup"), 0);

  Use(R"({"printers": []})");
  EXPECT_EQ(Mgr::RefreshPrinters(), 1);  // an empty list is no failure
  EXPECT_EQ(Mgr::GetPrinterCount(), 0);
}

TEST_F(PrinterList, FailedEnumerationEmptiesTheListAndIsRetriedButAGrowingOneIsNoFailure) {
  Use(R"({"printers": [{"name": "A"}, {"name": "B", "fail": ["enum"]}]})");
  EXPECT_EQ(Mgr::RefreshPrinters(), 0);
  EXPECT_EQ(Mgr::GetPrinterCount(), 0);
  EXPECT_EQ(Mgr::FindPrinter("A"), nullptr);
  // Never loaded: each use asks the spooler again.
  int before = Enumerations();
  Mgr::GetPrinterCount();
  EXPECT_EQ(Enumerations(), before + 1);

  Use(kThree);
  ASSERT_EQ(Mgr::RefreshPrinters(), 1);
  Use(R"({"printers": [{"name": "A", "fail": ["enum"]}]})");
  EXPECT_EQ(Mgr::RefreshPrinters(), 0);
  EXPECT_EQ(Mgr::GetPrinterCount(), 0);
  EXPECT_EQ(Enumerations(), 1);  // loaded once: an empty list is not asked again

  // A printer added between the size query and the fill.
  spooler::Spooler::UseBackend(std::make_shared<GrowingSpooler>(1));
  EXPECT_EQ(Mgr::RefreshPrinters(), 1);
  EXPECT_EQ(Mgr::GetPrinterCount(), 2);
}

TEST(PrinterStatusText, LowestKnownBitDecidesInTheLocalesLanguage) {
  EXPECT_EQ(Mgr::GetStatusText(0), mbcs::Cp932("準備完了"));
  EXPECT_EQ(Mgr::GetStatusText(PRINTER_STATUS_PAPER_JAM | PRINTER_STATUS_OFFLINE), mbcs::Cp932("紙詰まり"));
  EXPECT_EQ(Mgr::GetStatusText(PRINTER_STATUS_ERROR), mbcs::Cp932("エラー"));
  EXPECT_EQ(Mgr::GetStatusText(PRINTER_STATUS_TONER_LOW), mbcs::Cp932("トナー残量: 少"));
  EXPECT_EQ(Mgr::GetStatusText(PRINTER_STATUS_POWER_SAVE), mbcs::Cp932("省電力モード"));
  EXPECT_EQ(Mgr::GetStatusText(0x2000000), "");
  EXPECT_EQ(Mgr::GetStatusText(0x80000000u | PRINTER_STATUS_POWER_SAVE), mbcs::Cp932("省電力モード"));

  // Every status has an English text under an English locale.
  setenv("QUORPRN_LOCALE_DIR", QUORPRN_SOURCE_DIR "/resources/locale", 1);
  setenv("LANG", "en_GB.UTF-8", 1);
  EXPECT_EQ(Mgr::GetStatusText(0), "Ready");
  EXPECT_EQ(Mgr::GetStatusText(PRINTER_STATUS_ERROR), "Error");  // the key without its P
  EXPECT_EQ(Mgr::GetStatusText(PRINTER_STATUS_PAPER_JAM | PRINTER_STATUS_OFFLINE), "Paper jam");
  for (int bit = 0; bit <= 24; ++bit) {
    std::string text = Mgr::GetStatusText(uint32_t{1} << bit);
    EXPECT_FALSE(text.empty()) << bit;
    for (unsigned char c : text) EXPECT_LT(c, 0x80) << "bit " << bit << " fell back to the Japanese text";
  }
  setenv("LANG", "C.UTF-8", 1);
  EXPECT_EQ(Mgr::GetStatusText(0), mbcs::Cp932("準備完了"));
}
