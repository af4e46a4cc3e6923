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
using A = CQuorPrnPrinterAccess;

namespace {

using PrinterCaches = PrinterAccessTest;

TEST_F(PrinterCaches, InformationBlockIsReadOnceUntilRefreshAndFailuresCacheNothing) {
  PRINTER_INFO_2A *first = nullptr, *again = nullptr;
  ASSERT_EQ(Peer().PrinterInfo("Laser", &first), 1);
  A other;  // instances share the cache
  ASSERT_EQ(CQuorPrnPrinterAccessTestPeer(other).PrinterInfo("Laser", &again), 1);
  EXPECT_EQ(first, again);
  EXPECT_EQ(Calls("Laser", VS::kOpen), 1);
  EXPECT_STREQ(first->pPortName, "lpt1:");

  A::CacheRefresh();
  ASSERT_EQ(Peer().PrinterInfo("Laser", &again), 1);
  EXPECT_EQ(Calls("Laser", VS::kOpen), 2);
  EXPECT_EQ(A::m_CachePrinterInfo.size(), 1u);

  EXPECT_EQ(Peer().PrinterInfo("BadOpen", &first), 150);
  EXPECT_EQ(Peer().PrinterInfo("laser", &first), 150);  // names are case-sensitive keys
  EXPECT_EQ(Peer().PrinterInfo("BadInfo", &first), 113);
  EXPECT_EQ(Peer().PrinterInfo("BadInfo", &first), 113);
  EXPECT_EQ(Calls("BadInfo", VS::kOpen), 2);
  EXPECT_EQ(A::m_CachePrinterInfo.size(), 1u);
}

// Each cache is checked on its own: a refresh that forgot any one of them
// would keep answering a printer's old papers or bins until the process ends.
TEST_F(PrinterCaches, RefreshEmptiesEveryCacheAndTheNextQueryAsksTheSpoolerAgain) {
  PRINTER_INFO_2A* info = nullptr;
  std::string name;
  ASSERT_EQ(Peer().PrinterInfo("Colour", &info), 1);
  ASSERT_EQ(Peer().DefaultOsPrinter(name), 1);
  ASSERT_EQ(Peer().Paper("Laser", 13), "1 13 B5 (JIS)");
  ASSERT_EQ(Peer().BinName("Laser", 2), "1 Tray 2");
  ASSERT_FALSE(A::m_CachePrinterInfo.empty());
  ASSERT_FALSE(A::m_CachePrinterName.empty());
  ASSERT_FALSE(A::m_CachePaperMap.empty());
  ASSERT_FALSE(A::m_CachePaperNameMap.empty());
  ASSERT_FALSE(A::m_CacheBinNameMap.empty());
  const int papers = Calls("Laser", VS::kPaperNames), bins = Calls("Laser", VS::kBins);

  A::CacheRefresh();
  EXPECT_TRUE(A::m_CachePrinterInfo.empty());
  EXPECT_TRUE(A::m_CachePrinterName.empty());
  EXPECT_TRUE(A::m_CachePaperMap.empty());
  EXPECT_TRUE(A::m_CachePaperNameMap.empty());
  EXPECT_TRUE(A::m_CacheBinNameMap.empty());
  EXPECT_EQ(Peer().Paper("Laser", 13), "1 13 B5 (JIS)");
  EXPECT_EQ(Peer().BinName("Laser", 2), "1 Tray 2");
  EXPECT_GT(Calls("Laser", VS::kPaperNames), papers);
  EXPECT_GT(Calls("Laser", VS::kBins), bins);
}

TEST(PrinterCacheKeys, NameAndNumberDecideEqualityAndHash) {
  EXPECT_EQ(QuorPrnPrinterNumberHash("", 42), 42u);
  EXPECT_EQ(QuorPrnPrinterNumberHash("Ab", -1), (65u * 33u + 98u) * 33u - 1u);
  EXPECT_EQ(QuorPrnPrinterNumberHash("\x82", 0), static_cast<uint32_t>(-126) * 33u);  // signed bytes
  EXPECT_FALSE((PaperKey{"Laser", 9} == PaperKey{"laser", 9}));
  EXPECT_FALSE((BinName{"Laser", 9} == BinName{"Laser", 8}));
  EXPECT_GE(CQuorPrnPaperMap().bucket_count(), 59u);
}

TEST_F(PrinterCaches, PaperNamesAreAskedOnceAndAFailedNameQueryOnlyOnce) {
  // A user-defined paper is named from the instance's size, without the driver.
  const std::string name = mbcs::Cp932("標準のサイズ");
  Peer().SetPaperSize(1820, 2570);
  EXPECT_EQ(Peer().Paper("Laser", 256), "1 256 " + name + "(182.0x257.0mm)");
  EXPECT_EQ(vs->TotalCalls(VS::kOpen), 0);
  // The key holds no size: the first name stays until the caches are refreshed.
  Peer().SetPaperSize(55, 1005);
  EXPECT_EQ(Peer().Paper("Laser", 256), "1 256 " + name + "(182.0x257.0mm)");
  EXPECT_EQ(Peer().Paper("Colour", 256), "1 256 " + name + "(005.5x100.5mm)");

  EXPECT_EQ(Peer().PaperName("Laser", 9), "1 A4 Plain");  // listed twice: the last entry wins
  EXPECT_EQ(Peer().PaperName("Laser", 11), "1 ");         // not listed: empty, not the caller's text
  EXPECT_EQ(Peer().PaperName("Laser", 11, "other"), "1 ");
  EXPECT_EQ(Peer().PaperName("Laser", 9), "1 A4 Plain");
  EXPECT_EQ(Calls("Laser", VS::kPaperNames), 4);  // count and list, twice
  // Each query reads a fresh block, never the cached one.
  EXPECT_EQ(Calls("Laser", VS::kOpen), 2);
  EXPECT_TRUE(A::m_CachePrinterInfo.empty());

  EXPECT_EQ(Peer().PaperName("BadPapers", 9), "113 stale");
  EXPECT_EQ(Peer().PaperName("BadOpen", 9), "113 stale");
  EXPECT_EQ(A::m_CachePaperNameMap.size(), 2u);
  // The paper cache keeps its record after a failed name query.
  EXPECT_EQ(Peer().Paper("BadPapers", 9), "113 9 ");
  EXPECT_EQ(Peer().Paper("BadPapers", 9), "1 9 ");
  EXPECT_EQ(Calls("BadPapers", VS::kPaperNames), 2);
  EXPECT_EQ(Peer().Paper("Laser", 13), "1 13 B5 (JIS)");
  EXPECT_EQ(Peer().Paper("Laser", -1), "1 -1 ");
}

TEST_F(PrinterCaches, BinNamesFallBackToTheDefaultSourceAndCountsMustAgree) {
  EXPECT_EQ(Peer().BinName("Laser", 2), "1 Tray 2");
  EXPECT_EQ(Peer().BinName("Laser", 5), "1 Auto Select");  // no bin 5: the default source (7)
  EXPECT_EQ(Peer().BinName("Laser", 5), "1 Auto Select");
  EXPECT_EQ(Calls("Laser", VS::kOpen), 1);  // the cached block serves every bin
  EXPECT_EQ(Calls("Laser", VS::kBins), 4);
  EXPECT_EQ(Peer().BinName("Trays", 3), "1 ");  // neither bin nor default source: cached empty
  EXPECT_EQ(Peer().BinName("Trays", 3), "1 ");
  EXPECT_EQ(Calls("Trays", VS::kBins), 2);

  EXPECT_EQ(Peer().BinName("Mismatch", 1), "113 ");
  EXPECT_EQ(Peer().BinName("Mismatch", 1), "113 ");
  EXPECT_EQ(Calls("Mismatch", VS::kBinNames), 2);
  EXPECT_EQ(Peer().BinName("BadBins", 1), "113 ");
  EXPECT_EQ(Peer().BinName("BadOpen", 1), "113 ");
  EXPECT_EQ(A::m_CacheBinNameMap.size(), 3u);
}

TEST_F(PrinterCaches, PropertyPaperAndDefaultPrinter) {
  CPrnDevMode holder = Holder(13), empty;
  EXPECT_EQ(Peer().PropertyPaper("BadOpen", &holder), "1 13");
  EXPECT_EQ(Peer().PropertyPaper("Colour", &empty), "1 8");
  EXPECT_EQ(Peer().PropertyPaper("BadInfo", nullptr), "113 0");

  std::string name;
  ASSERT_EQ(Peer().DefaultOsPrinter(name), 1);
  EXPECT_EQ(A::m_CachePrinterName, "Laser");
  A::CacheRefresh();
  EXPECT_EQ(A::m_CachePrinterName, "");
  UseSpooler(R"({"printers": [{"name": "Solo", "port": "p"}]})");
  EXPECT_EQ(Peer().DefaultOsPrinter(name), 150);
  EXPECT_EQ(A::m_CachePrinterName, "");
}

}  // namespace
