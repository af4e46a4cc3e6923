// The printer-access class: the process-wide caches and the spooler queries
// behind them (what is asked once, what again, what a failure leaves cached),
// and the settings lookup: which source wins (stored settings, the template
// file, the printer), the codes that say what was missing, and what the
// spooler is asked. Stored settings are written straight into the hive.
#include <string>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/WinSpool.h"
#include "printer/CQuorPrnBinNameMap.h"
#include "printer/CQuorPrnPaperMap.h"
#include "printer/CQuorPrnPaperNameMap.h"
#include "printer/CQuorPrnPrinterInfoMap.h"
#include "quorprn/CQuorPrnPrinterAccess.h"
#include "tests/support/Sandbox.h"

class CQuorPrnPrinterAccessTestPeer {
 public:
  explicit CQuorPrnPrinterAccessTestPeer(CQuorPrnPrinterAccess& access) : a_(access) {}

  int32_t PrinterInfo(const char* printer, PRINTER_INFO_2A** out) { return a_._getPrinterInfo(printer, out); }
  int32_t DefaultOsPrinter(std::string& name) { return a_._getDefaultOsPrinter(name); }
  // The property query answered as "rc paper".
  std::string PropertyPaper(const char* printer, CPrnDevMode* holder) {
    int32_t paperNo = 0;
    int32_t rc = a_._getPropertyPaperNo(printer, holder, &paperNo);
    return std::to_string(rc) + " " + std::to_string(paperNo);
  }
  // The name queries, answered as "rc text".
  std::string PaperName(const char* printer, int32_t paperNo, std::string name = "stale") {
    int32_t rc = a_._getPrinterPaperName(printer, paperNo, name);
    return std::to_string(rc) + " " + name;
  }
  std::string Paper(const char* printer, int32_t paperNo) {
    std::string text, name;
    int32_t rc = a_._getPaper(printer, paperNo, text, name);
    return std::to_string(rc) + " " + text + " " + name;
  }
  std::string BinName(const char* printer, int32_t binNo) {
    std::string name = "stale";
    int32_t rc = a_._getBinName(printer, binNo, name);
    return std::to_string(rc) + " " + name;
  }
  void SetPaperSize(int32_t width, int32_t length) {
    a_.m_paperWidth = width;
    a_.m_paperLength = length;
  }
  int32_t UseStored() const { return a_.m_useStored; }
  int32_t PrinterUsable() const { return a_.m_printerUsable; }

 private:
  CQuorPrnPrinterAccess& a_;
};

// Printers of every shape the tests need. "Laser" lists A4 twice and is the
// default; "Trays" has a default source it does not list; "Mismatch" names
// fewer bins than it has; the "Bad..." printers fail one query each.
inline const char* kTestSpooler = R"json({"default": "Laser", "printers": [
  {"name": "Laser", "port": "lpt1:", "devmode": {"paper": 9, "bin": 7},
   "papers": [[9, "A4"], [8, "A3"], [13, "B5 (JIS)"], [9, "A4 Plain"]],
   "bins": [[7, "Auto Select"], [1, "Tray 1"], [2, "Tray 2"]]},
  {"name": "Colour", "port": "ipp://c", "devmode": {"paper": 8, "bin": 4},
   "papers": [[9, "A4"], [8, "A3"]], "bins": [[1, "Upper"], [4, "Manual Feed"]]},
  {"name": "Trays", "port": "t", "devmode": {"bin": 99}, "bins": [[1, "Upper"]]},
  {"name": "Mismatch", "port": "m", "bins": [[1, "A"], [2, "B"], [3, "C"]], "binNames": ["A", "B"]},
  {"name": "BadPapers", "port": "p", "papers": [[9, "A4"]], "fail": ["paperNames"]},
  {"name": "BadBins", "port": "p", "papers": [[9, "A4"]], "bins": [[1, "Upper"]], "fail": ["bins"]},
  {"name": "BadInfo", "port": "p", "fail": ["getPrinter"]},
  {"name": "BadOpen", "port": "p", "fail": ["open"]}]})json";

// A devmode holder asking for `paper` from `source`.
inline CPrnDevMode Holder(int16_t paper, int16_t source = 0) {
  DEVMODEA dm{};
  dm.dmSize = sizeof dm;
  dm.dmPaperSize = paper;
  dm.dmDefaultSource = source;
  CPrnDevMode holder;
  holder.SetDevMode(&dm, sizeof dm);
  return holder;
}

namespace {

using VS = spooler::VirtualSpooler;
using A = CQuorPrnPrinterAccess;
using testsupport::Seed;

class PrinterAccessTest : public testsupport::Sandbox {
 protected:
  void SetUp() override {
    Sandbox::SetUp();
    UseSpooler(kTestSpooler);
    access = std::make_unique<CQuorPrnPrinterAccess>();
    vs->ResetCalls();
  }
  int Calls(const std::string& printer, const char* kind) const { return vs->Calls(printer, kind); }
  CQuorPrnPrinterAccessTestPeer Peer() { return CQuorPrnPrinterAccessTestPeer(*access); }

  std::unique_ptr<CQuorPrnPrinterAccess> access;
};

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

// Keys that ignored the letter case or the number would mix two printers' or
// two papers' cached answers.
TEST(PrinterCacheKeys, NameAndNumberDecideEquality) {
  EXPECT_FALSE((PaperKey{"Laser", 9} == PaperKey{"laser", 9}));
  EXPECT_FALSE((BinName{"Laser", 9} == BinName{"Laser", 8}));
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

const std::string kBase = "SOFTWARE\\Olvanet\\Sarvo\\SYS\\JOB";
const std::string kSet = kBase + "\\Print\\PrinterSet03";
const std::string kFree = mbcs::Cp932("標準のサイズ(100.0x150.0mm)");

class Lookup : public PrinterAccessTest {
 protected:
  static void StorePrinter(const std::string& printer, int32_t offsetX, bool current = true) {
    if (current) Seed(kSet, {{"CurrentPrinter", printer}});
    Seed(kSet + "\\" + printer, {{"OffsetX", offsetX}});
  }
  static void StoreForm(const std::string& printer, const std::string& form, const std::string& paper,
                        const std::string& bin) {
    Seed(kSet + "\\" + printer + "\\Form\\" + form,
         {{"PaperSize", paper}, {"PaperName", "stored name"}, {"Bin", bin}, {"OffsetX", 25}});
  }
  // "rc printer offsetX | paper number, name | bin number, name | form offsetX"
  std::string Get(const char* form, int32_t useTemplate = 0, CPrnDevMode* holder = nullptr, uint32_t setNo = 3,
                  std::string path = std::string(QUORPRN_TEST_DATA) + "/templates/forms.TPT") {
    int32_t rc = access->GetPrinterInfoEx("SYS", "JOB", setNo, path.c_str(), form, &printer, &formInfo, useTemplate,
                                          &color, holder);
    return std::to_string(rc) + " " + printer.PrinterName + " " + std::to_string(printer.OffsetX) + " | " +
           formInfo.PaperSize + ", " + formInfo.PaperName + " | " + formInfo.Bin + ", " + formInfo.BinName + " | " +
           std::to_string(formInfo.OffsetX);
  }
  std::vector<int32_t> PaperSize() {
    std::vector<int32_t> v(4);
    access->GetPaperSize(&v[0], &v[1], &v[2], &v[3]);
    return v;
  }

  QUOR_PRN_PRINTER_INFO_TYPE printer;
  QUOR_PRN_FORM_INFO_TYPE formInfo;
  QUOR_PRN_COLOR_INFO_TYPE color;
};

TEST_F(Lookup, ArgumentAndPrinterFailuresStopEarly) {
  EXPECT_EQ(access->GetPrinterDefault("SYS", "JOB", 100, &printer, &color), 110);
  EXPECT_EQ(Peer().PrinterUsable(), 0);
  EXPECT_EQ(Get("ORDER", 0, nullptr, 100).substr(0, 4), "110 ");
  EXPECT_EQ(Get("").substr(0, 4), "110 ");
  StorePrinter("Laser", 5);
  StoreForm("Laser", "ORDER", "9", "1");
  EXPECT_EQ(Get("ORDER", 0, nullptr, 3, "").substr(0, 4), "110 ");  // even when the file is not needed
  EXPECT_EQ(Get("OTHER", 0, nullptr, 3, "/nonexistent/forms.TPT"), "130 Laser 5 | ,  | ,  | 0");

  UseSpooler(R"({"printers": [{"name": "Solo", "port": "p"}]})");
  registry::Registry::UseHive(std::make_shared<registry::MemoryHive>());
  EXPECT_EQ(Get("ORDER").substr(0, 5), "150  ");  // no default printer to fall back on
  EXPECT_EQ(Peer().PrinterUsable(), 0);
  UseSpooler(R"({"default": "Solo", "printers": []})");
  EXPECT_EQ(Get("ORDER").substr(0, 5), "150  ");  // no printer at all
}

TEST_F(Lookup, StoredPrinterColoursAndFormWinOverTheTemplate) {
  StorePrinter("Colour", 15);
  Seed(kSet + "\\Colour\\Colors", {{"ColorPrint", 1}});
  auto palette = MeraNewRegKey();
  ASSERT_TRUE(palette->CreateKey(HKEY_LOCAL_MACHINE, kBase + "\\Print\\Colors\\Default"));
  for (int i = 1; i <= 16; ++i) palette->SetNumber("C0" + std::to_string(10 + i), i);
  StoreForm("Colour", "ORDER", "8", "4");
  EXPECT_EQ(Get("ORDER"), "1 Colour 15 | 8, stored name | 4, Manual Feed | 25");
  EXPECT_EQ(color.ColorPrint, 1);
  ASSERT_EQ(color.Palette.size(), 16u);
  EXPECT_EQ(color.Palette[15]->Color, 16);
  EXPECT_EQ(PaperSize(), (std::vector<int32_t>{9, 1, 0, 0}));  // no template was read

  // The use-template flag takes only the paper from the file.
  StoreForm("Colour", "INVOICE", "8", "1");
  EXPECT_EQ(Get("INVOICE", 1), "1 Colour 15 | 256, " + kFree + " | 1, Upper | 25");
  EXPECT_EQ(PaperSize(), (std::vector<int32_t>{256, 1, 1000, 1500}));
}

TEST_F(Lookup, MissingStoredEntriesFallBackToTemplateAndPrinter) {
  // A current printer no longer installed: the default printer's entry counts.
  StorePrinter("Gone", 40);
  EXPECT_EQ(Get("ORDER"), "142 Laser 0 | 13, B5 (JIS) | 0, Auto Select | 0");
  StorePrinter("Laser", 30, false);
  StoreForm("Laser", "ORDER", "9", "2");
  EXPECT_EQ(Get("ORDER"), "1 Laser 30 | 9, stored name | 2, Tray 2 | 25");
  // A form without an entry: the template stands in, no stored bin is used.
  EXPECT_EQ(Get("LETTER"), "143 Laser 30 | 45,  | 0, Auto Select | 0");
  EXPECT_EQ(Peer().UseStored(), 0);
}

TEST_F(Lookup, PrintersOwnPaperAndEmptyBinFollowTheHolderOrThePrinter) {
  StorePrinter("Colour", 0);
  StoreForm("Colour", "ORDER", "-1", "");
  CPrnDevMode holder = Holder(9, 1);
  EXPECT_EQ(Get("ORDER", 0, &holder), "1 Colour 0 | -1, A4 | 1, Upper | 25");
  EXPECT_EQ(Get("ORDER"), "1 Colour 0 | -1, A3 | 0, Manual Feed | 25");  // Colour's own: A3, bin 4
  // A template naming the printer's own paper: the instance keeps -1.
  EXPECT_EQ(Get("LABEL"), "143 Colour 0 | 8, A3 | 0, Manual Feed | 0");
  EXPECT_EQ(PaperSize(), (std::vector<int32_t>{-1, 0, 2000, 1000}));
  // A stored bin wins over the holder; a bin the printer lacks takes the
  // default source's name.
  StoreForm("Colour", "ORDER", "9", "3");
  EXPECT_EQ(Get("ORDER", 0, &holder), "1 Colour 0 | 9, stored name | 3, Manual Feed | 25");
}

TEST_F(Lookup, WithoutAStoredSetTheDefaultPrinterAndTemplateStandInAskingTheSpoolerOnce) {
  // No stored bin and no holder: bin 0, named after the default source.
  EXPECT_EQ(Get("ORDER"), "140 Laser 0 | 13, B5 (JIS) | 0, Auto Select | 0");
  EXPECT_EQ(PaperSize(), (std::vector<int32_t>{13, 0, 0, 0}));
  // One information block (for the bin), one fresh read for the paper names,
  // and one count-and-list per query.
  EXPECT_EQ(Calls("Laser", VS::kOpen), 2);
  EXPECT_EQ(Calls("Laser", VS::kPaperNames), 2);
  EXPECT_EQ(Calls("Laser", VS::kBins) + Calls("Laser", VS::kBinNames), 4);
  EXPECT_EQ(vs->TotalCalls(VS::kDefault), 1);
  access = std::make_unique<CQuorPrnPrinterAccess>();  // a new instance shares the caches
  vs->ResetCalls();
  ASSERT_EQ(Get("ORDER"), "140 Laser 0 | 13, B5 (JIS) | 0, Auto Select | 0");
  for (const char* kind :
       {VS::kOpen, VS::kGetPrinter, VS::kPapers, VS::kPaperNames, VS::kBins, VS::kBinNames, VS::kEnum, VS::kDefault})
    EXPECT_EQ(vs->TotalCalls(kind), 0) << kind;

  Seed(kSet);  // a set without a current printer
  EXPECT_EQ(Get("INVOICE"), "141 Laser 0 | 256, " + kFree + " | 0, Auto Select | 0");
  EXPECT_EQ(PaperSize(), (std::vector<int32_t>{256, 1, 1000, 1500}));
  EXPECT_EQ(vs->TotalCalls(VS::kDefault), 0);  // the default printer is remembered
}

TEST_F(Lookup, StoreAndSpoolerFailuresAreReportedWithTheirCodes) {
  StorePrinter("BadBins", 0);
  hive->InjectFault({registry::RegOp::OpenKey, kSet, "", "ECR051", "disk read error", false});
  EXPECT_EQ(Get("ORDER"), "160  0 | ,  | ,  | 0");
  EXPECT_EQ(Peer().PrinterUsable(), 0);
  hive->InjectFault({registry::RegOp::GetText, kSet, "CurrentPrinter", "ECR051", "disk read error", false});
  EXPECT_EQ(Get("ORDER").substr(0, 4), "161 ");
  // Bins that cannot be listed fail once the paper is filled.
  EXPECT_EQ(Get("ORDER"), "113 BadBins 0 | 13,  | ,  | 0");
}

}  // namespace
