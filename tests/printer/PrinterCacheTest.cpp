// The process-wide caches and the spooler queries behind them: what is asked
// of the spooler once, what is asked again, and what a failure leaves cached.
#include <string>

#include "platform/mbcs/Cp932Converter.h"
#include "printer/CQuorPrnBinNameMap.h"
#include "printer/CQuorPrnPaperMap.h"
#include "printer/CQuorPrnPaperNameMap.h"
#include "printer/CQuorPrnPrinterInfoMap.h"
#include "tests/printer/PrinterAccessFixture.h"

using VS = spooler::VirtualSpooler;

namespace {

class PrinterCaches : public PrinterAccessTest {
 protected:
  void SetUp() override {
    PrinterAccessTest::SetUp();
    access = std::make_unique<CQuorPrnPrinterAccess>();
    peer = std::make_unique<CQuorPrnPrinterAccessTestPeer>(*access);
    vs->ResetCalls();
  }
  std::unique_ptr<CQuorPrnPrinterAccess> access;
  std::unique_ptr<CQuorPrnPrinterAccessTestPeer> peer;
};

TEST_F(PrinterCaches, InformationBlockIsReadOnceUntilRefresh) {
  PRINTER_INFO_2A* first = nullptr;
  PRINTER_INFO_2A* second = nullptr;
  ASSERT_EQ(peer->PrinterInfo("Laser", &first), 1);
  ASSERT_EQ(peer->PrinterInfo("Laser", &second), 1);
  EXPECT_EQ(first, second);
  EXPECT_EQ(Calls("Laser", VS::kOpen), 1);
  EXPECT_STREQ(first->pPortName, "lpt1:");
  ASSERT_NE(first->pDevMode, nullptr);
  EXPECT_EQ(first->pDevMode->dmDefaultSource, 7);

  // A second instance shares the cache.
  CQuorPrnPrinterAccess other;
  CQuorPrnPrinterAccessTestPeer otherPeer(other);
  ASSERT_EQ(otherPeer.PrinterInfo("Laser", &second), 1);
  EXPECT_EQ(Calls("Laser", VS::kOpen), 1);

  CQuorPrnPrinterAccess::CacheRefresh();
  EXPECT_TRUE(CQuorPrnPrinterAccess::m_CachePrinterInfo.empty());
  ASSERT_EQ(peer->PrinterInfo("Laser", &second), 1);
  EXPECT_EQ(Calls("Laser", VS::kOpen), 2);
  EXPECT_EQ(CQuorPrnPrinterAccess::m_CachePrinterInfo.size(), 1u);
  EXPECT_STREQ(second->pPrinterName, "Laser");
}

TEST_F(PrinterCaches, FailedInformationQueriesCacheNothing) {
  PRINTER_INFO_2A* info = nullptr;
  EXPECT_EQ(peer->PrinterInfo("BadOpen", &info), 150);
  EXPECT_EQ(peer->PrinterInfo("Nobody", &info), 150);
  EXPECT_EQ(peer->PrinterInfo("laser", &info), 150);  // names are case-sensitive keys
  EXPECT_EQ(peer->PrinterInfo("BadInfo", &info), 113);
  EXPECT_TRUE(CQuorPrnPrinterAccess::m_CachePrinterInfo.empty());
  EXPECT_EQ(peer->PrinterInfo("BadInfo", &info), 113);
  EXPECT_EQ(Calls("BadInfo", VS::kOpen), 2);
}

TEST(PrinterCacheKeys, NameAndNumberDecideEqualityAndHash) {
  EXPECT_EQ(QuorPrnPrinterNumberHash("", 42), 42u);
  EXPECT_EQ(QuorPrnPrinterNumberHash("", -1), 0xFFFFFFFFu);
  EXPECT_EQ(QuorPrnPrinterNumberHash("Ab", 9), (65u * 33u + 98u) * 33u + 9u);
  // Bytes count as signed: a double-byte lead byte lowers the hash.
  EXPECT_EQ(QuorPrnPrinterNumberHash("\x82", 0), static_cast<uint32_t>(-126) * 33u);
  EXPECT_FALSE((PaperKey{"Laser", 9} == PaperKey{"laser", 9}));
  EXPECT_FALSE((PaperKey{"Laser", 9} == PaperKey{"Laser", 8}));
  EXPECT_TRUE((BinName{"Laser", 7} == BinName{"Laser", 7}));
  EXPECT_GE(CQuorPrnPaperMap().bucket_count(), 59u);
  EXPECT_GE(CQuorPrnBinNameMap().bucket_count(), 29u);
}

TEST_F(PrinterCaches, PaperNamesAreAskedOncePerPrinterAndNumber) {
  std::string name = "stale text";
  ASSERT_EQ(peer->PrinterPaperName("Laser", 9, name), 1);
  EXPECT_EQ(name, "A4 Plain");  // listed twice: the last entry wins
  EXPECT_EQ(Calls("Laser", VS::kPaperNames), 2);  // the count, then the list
  // The driver is asked with a block read afresh, never the cached one.
  EXPECT_EQ(Calls("Laser", VS::kOpen), 1);
  EXPECT_TRUE(CQuorPrnPrinterAccess::m_CachePrinterInfo.empty());

  name = "stale text";
  ASSERT_EQ(peer->PrinterPaperName("Laser", 11, name), 1);
  EXPECT_EQ(name, "");  // not listed: no name, and not the caller's old text
  EXPECT_EQ(Calls("Laser", VS::kPaperNames), 4);

  name = "other";
  ASSERT_EQ(peer->PrinterPaperName("Laser", 11, name), 1);
  EXPECT_EQ(name, "");
  ASSERT_EQ(peer->PrinterPaperName("Laser", 9, name), 1);
  EXPECT_EQ(name, "A4 Plain");
  EXPECT_EQ(Calls("Laser", VS::kPaperNames), 4);
  EXPECT_EQ(Calls("Laser", VS::kOpen), 2);

  // Failures cache nothing: the next call asks again.
  EXPECT_EQ(peer->PrinterPaperName("BadPapers", 9, name), 113);
  EXPECT_EQ(peer->PrinterPaperName("BadPapers", 9, name), 113);
  EXPECT_EQ(Calls("BadPapers", VS::kPaperNames), 2);
  EXPECT_EQ(peer->PrinterPaperName("BadOpen", 9, name), 113);
  EXPECT_EQ(CQuorPrnPrinterAccess::m_CachePaperNameMap.size(), 2u);
}

TEST_F(PrinterCaches, PaperCacheKeepsItsRecordEvenAfterAFailedNameQuery) {
  std::string text, name;
  ASSERT_EQ(peer->Paper("Laser", 13, text, name), 1);
  EXPECT_EQ(text, "13");
  EXPECT_EQ(name, "B5 (JIS)");

  EXPECT_EQ(peer->Paper("BadPapers", 9, text, name), 113);
  EXPECT_EQ(text, "9");
  EXPECT_EQ(name, "");
  EXPECT_EQ(peer->Paper("BadPapers", 9, text, name), 1);
  EXPECT_EQ(text, "9");
  EXPECT_EQ(name, "");
  EXPECT_EQ(Calls("BadPapers", VS::kPaperNames), 1);

  // The paper number of the printer's own paper is kept as negative text.
  EXPECT_EQ(peer->Paper("Laser", -1, text, name), 1);
  EXPECT_EQ(text, "-1");
}

TEST_F(PrinterCaches, UserDefinedPaperIsNamedFromTheInstanceSizeWithoutTheDriver) {
  std::string text, name;
  peer->SetPaperSize(1820, 2570);
  ASSERT_EQ(peer->Paper("Laser", 256, text, name), 1);
  EXPECT_EQ(text, "256");
  EXPECT_EQ(name, mbcs::Cp932("標準のサイズ(182.0x257.0mm)"));
  EXPECT_EQ(vs->TotalCalls(VS::kOpen), 0);
  EXPECT_EQ(vs->TotalCalls(VS::kPaperNames), 0);

  // The key holds no size: another size on the same printer gets the first
  // name until the caches are refreshed.
  peer->SetPaperSize(2100, 2970);
  ASSERT_EQ(peer->Paper("Laser", 256, text, name), 1);
  EXPECT_EQ(name, mbcs::Cp932("標準のサイズ(182.0x257.0mm)"));
  ASSERT_EQ(peer->Paper("Colour", 256, text, name), 1);
  EXPECT_EQ(name, mbcs::Cp932("標準のサイズ(210.0x297.0mm)"));
  CQuorPrnPrinterAccess::CacheRefresh();
  peer->SetPaperSize(55, 1005);
  ASSERT_EQ(peer->Paper("Laser", 256, text, name), 1);
  EXPECT_EQ(name, mbcs::Cp932("標準のサイズ(005.5x100.5mm)"));
}

TEST_F(PrinterCaches, BinNamesFallBackToTheDefaultSourceAndReuseTheBlock) {
  std::string name = "stale";
  ASSERT_EQ(peer->BinName("Laser", 2, name), 1);
  EXPECT_EQ(name, "Tray 2");
  ASSERT_EQ(peer->BinName("Laser", 5, name), 1);
  EXPECT_EQ(name, "Auto Select");  // no bin 5: the default source (7)
  ASSERT_EQ(peer->BinName("Laser", 0, name), 1);
  EXPECT_EQ(name, "Auto Select");
  EXPECT_EQ(Calls("Laser", VS::kOpen), 1);
  EXPECT_EQ(Calls("Laser", VS::kBins), 6);  // count and list, for three numbers
  ASSERT_EQ(peer->BinName("Laser", 5, name), 1);
  EXPECT_EQ(Calls("Laser", VS::kBins), 6);

  // Neither the bin nor the default source: an empty name, cached.
  ASSERT_EQ(peer->BinName("Trays", 3, name), 1);
  EXPECT_EQ(name, "");
  ASSERT_EQ(peer->BinName("Trays", 3, name), 1);
  EXPECT_EQ(Calls("Trays", VS::kBins), 2);
  EXPECT_EQ(CQuorPrnPrinterAccess::m_CacheBinNameMap.count(BinName{"Trays", 3}), 1u);
}

TEST_F(PrinterCaches, InconsistentOrFailedBinQueriesCacheNothing) {
  std::string name = "x";
  EXPECT_EQ(peer->BinName("Mismatch", 1, name), 113);
  EXPECT_EQ(name, "");
  EXPECT_EQ(peer->BinName("Mismatch", 1, name), 113);
  EXPECT_EQ(Calls("Mismatch", VS::kBinNames), 2);
  EXPECT_EQ(peer->BinName("BadBins", 1, name), 113);
  EXPECT_EQ(peer->BinName("BadOpen", 1, name), 113);
  EXPECT_TRUE(CQuorPrnPrinterAccess::m_CacheBinNameMap.empty());
}

TEST_F(PrinterCaches, PropertyPaperComesFromTheHolderElseThePrinter) {
  DEVMODEA dm{};
  dm.dmSize = sizeof dm;
  dm.dmPaperSize = 13;
  CPrnDevMode holder;
  holder.SetDevMode(&dm, sizeof dm);
  int32_t paper = 0;
  ASSERT_EQ(peer->PropertyPaperNo("BadOpen", &holder, &paper), 1);
  EXPECT_EQ(paper, 13);
  EXPECT_EQ(vs->TotalCalls(VS::kOpen), 0);

  CPrnDevMode empty;
  ASSERT_EQ(peer->PropertyPaperNo("Colour", &empty, &paper), 1);
  EXPECT_EQ(paper, 8);
  ASSERT_EQ(peer->PropertyPaperNo("Laser", nullptr, &paper), 1);
  EXPECT_EQ(paper, 9);
  EXPECT_EQ(peer->PropertyPaperNo("BadOpen", nullptr, &paper), 113);
  EXPECT_EQ(peer->PropertyPaperNo("BadInfo", nullptr, &paper), 113);
}

TEST_F(PrinterCaches, DefaultPrinterIsRememberedUntilRefresh) {
  std::string name;
  ASSERT_EQ(peer->DefaultOsPrinter(name), 1);
  EXPECT_EQ(name, "Laser");
  EXPECT_EQ(CQuorPrnPrinterAccess::m_CachePrinterName, "Laser");
  CQuorPrnPrinterAccess::CacheRefresh();
  EXPECT_EQ(CQuorPrnPrinterAccess::m_CachePrinterName, "");

  UseSpooler(R"({"printers": [{"name": "Solo", "port": "p"}]})");
  name = "kept";
  EXPECT_EQ(peer->DefaultOsPrinter(name), 150);
  EXPECT_EQ(name, "kept");
  EXPECT_EQ(CQuorPrnPrinterAccess::m_CachePrinterName, "");
}

}  // namespace
