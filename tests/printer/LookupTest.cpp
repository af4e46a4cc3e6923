// The settings lookup: which source wins (stored settings, the template file,
// the printer), the codes that say what was missing, and what the spooler is
// asked. Stored settings are written straight into the in-memory hive.
#include <string>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/registry/MeraRegKey.h"
#include "tests/printer/PrinterAccessFixture.h"

using VS = spooler::VirtualSpooler;

namespace {

const std::string kBase = "SOFTWARE\\Olvanet\\Sarvo\\SYS\\JOB";
const std::string kSet = kBase + "\\Print\\PrinterSet03";

std::string Templates() { return std::string(QUORPRN_TEST_DATA) + "/templates/forms.TPT"; }

class Lookup : public PrinterAccessTest {
 protected:
  void SetUp() override {
    PrinterAccessTest::SetUp();
    access = std::make_unique<CQuorPrnPrinterAccess>();
    vs->ResetCalls();
  }

  static MeraPtr<CMeraRegKey> Key(const std::string& path) {
    auto key = MeraNewRegKey();
    EXPECT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, path)) << path;
    return key;
  }
  static void StoreCurrent(const std::string& printer) { Key(kSet)->SetText("CurrentPrinter", printer); }
  static void StorePrinter(const std::string& printer, int32_t offsetX, int32_t scaleX) {
    auto key = Key(kSet + "\\" + printer);
    key->SetNumber("OffsetX", offsetX);
    key->SetNumber("ScaleX", scaleX);
  }
  static void StoreForm(const std::string& printer, const std::string& form, const std::string& paper,
                        const std::string& paperName, const std::string& bin) {
    auto key = Key(kSet + "\\" + printer + "\\Form\\" + form);
    key->SetText("PaperSize", paper);
    key->SetText("PaperName", paperName);
    key->SetText("Bin", bin);
    key->SetNumber("OffsetX", 25);
    key->SetNumber("Width", 1234);
    key->SetNumber("PaperSizeFit", 0);
  }

  int32_t Get(const char* form, int32_t useTemplate = 0, CPrnDevMode* holder = nullptr, uint32_t setNo = 3,
              const std::string& path = Templates()) {
    return access->GetPrinterInfoEx("SYS", "JOB", setNo, path.c_str(), form, &printer, &formInfo, useTemplate,
                                    &color, holder);
  }
  std::vector<int32_t> PaperSize() {
    std::vector<int32_t> v(4);
    access->GetPaperSize(&v[0], &v[1], &v[2], &v[3]);
    return v;
  }
  static CPrnDevMode Holder(int16_t paper, int16_t source) {
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    dm.dmPaperSize = paper;
    dm.dmDefaultSource = source;
    CPrnDevMode holder;
    holder.SetDevMode(&dm, sizeof dm);
    return holder;
  }

  std::unique_ptr<CQuorPrnPrinterAccess> access;
  QUOR_PRN_PRINTER_INFO_TYPE printer;
  QUOR_PRN_FORM_INFO_TYPE formInfo;
  QUOR_PRN_COLOR_INFO_TYPE color;
};

TEST_F(Lookup, WithoutAStoredSetTheDefaultPrinterAndTemplateStandIn) {
  printer.OffsetX = 77;  // records come back reset
  EXPECT_EQ(Get("ORDER"), 140);
  EXPECT_EQ(printer.PrinterName, "Laser");
  EXPECT_EQ(printer.OffsetX, 0);
  EXPECT_EQ(printer.ScaleX, 1000);
  EXPECT_EQ(formInfo.FormName, "ORDER");
  EXPECT_EQ(formInfo.PaperSize, "13");
  EXPECT_EQ(formInfo.PaperName, "B5 (JIS)");
  // No stored bin and no holder: bin 0, named after the default source.
  EXPECT_EQ(formInfo.Bin, "0");
  EXPECT_EQ(formInfo.BinName, "Auto Select");
  EXPECT_EQ(PaperSize(), (std::vector<int32_t>{13, 0, 0, 0}));

  // A set without a current printer is handled alike.
  Key(kSet);
  EXPECT_EQ(Get("INVOICE"), 141);
  EXPECT_EQ(printer.PrinterName, "Laser");
  EXPECT_EQ(formInfo.PaperSize, "256");
  EXPECT_EQ(formInfo.PaperName, mbcs::Cp932("標準のサイズ(100.0x150.0mm)"));
  EXPECT_EQ(PaperSize(), (std::vector<int32_t>{256, 1, 1000, 1500}));
  // The default printer was asked of the system once.
  EXPECT_EQ(vs->TotalCalls(VS::kDefault), 1);
}

TEST_F(Lookup, ArgumentAndPrinterFailuresStopEarly) {
  EXPECT_EQ(access->GetPrinterDefault("SYS", "JOB", 100, &printer, &color), 110);
  EXPECT_EQ(CQuorPrnPrinterAccessTestPeer(*access).PrinterUsable(), 0);
  EXPECT_EQ(Get("ORDER", 0, nullptr, 100), 110);
  EXPECT_EQ(Get("", 0), 110);
  StoreCurrent("Laser");
  StoreForm("Laser", "ORDER", "9", "A4", "1");
  EXPECT_EQ(Get("ORDER", 0, nullptr, 3, ""), 110);  // even when the file is not needed
  EXPECT_EQ(access->GetPrinterInfoEx("", "JOB", 3, Templates().c_str(), "ORDER", &printer, &formInfo, 0, &color,
                                     nullptr),
            110);

  // The template file is missing where it must stand in.
  EXPECT_EQ(Get("NOTSTORED", 0, nullptr, 3, "/nonexistent/forms.TPT"), 130);
  EXPECT_EQ(printer.PrinterName, "Laser");

  // No default printer to fall back on.
  UseSpooler(R"({"printers": [{"name": "Solo", "port": "p"}]})");
  hive = std::make_shared<registry::MemoryHive>();
  registry::Registry::UseHive(hive);
  EXPECT_EQ(Get("ORDER"), 150);
  EXPECT_EQ(CQuorPrnPrinterAccessTestPeer(*access).PrinterUsable(), 0);
  // No printer at all.
  UseSpooler(R"({"default": "Solo", "printers": []})");
  EXPECT_EQ(Get("ORDER"), 150);
  EXPECT_EQ(printer.PrinterName, "");
}

TEST_F(Lookup, StoredPrinterColoursAndFormWinOverTheTemplate) {
  StoreCurrent("Colour");
  StorePrinter("Colour", 15, 990);
  auto colors = Key(kSet + "\\Colour\\Colors");
  colors->SetNumber("ColorPrint", 1);
  colors->SetNumber("Mode", 0);
  auto palette = Key(kBase + "\\Print\\Colors\\Default");
  for (int i = 1; i <= 16; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "C%03d", i);
    palette->SetNumber(name, i * 0x010101);
  }
  StoreForm("Colour", "ORDER", "8", "A3 as stored", "4");

  ASSERT_EQ(Get("ORDER"), 1);
  EXPECT_EQ(printer.PrinterName, "Colour");
  EXPECT_EQ(printer.OffsetX, 15);
  EXPECT_EQ(printer.ScaleX, 990);
  EXPECT_EQ(color.ColorPrint, 1);
  ASSERT_EQ(color.Palette.size(), 16u);
  EXPECT_EQ(color.Palette[15]->Color, 16 * 0x010101);
  EXPECT_EQ(formInfo.PaperSize, "8");
  EXPECT_EQ(formInfo.PaperName, "A3 as stored");
  EXPECT_EQ(formInfo.Bin, "4");
  EXPECT_EQ(formInfo.BinName, "Manual Feed");
  EXPECT_EQ(formInfo.OffsetX, 25);
  EXPECT_EQ(formInfo.PaperSizeFit, 0);
  EXPECT_EQ(PaperSize(), (std::vector<int32_t>{9, 1, 0, 0}));  // no template was read

  // The use-template flag takes only the paper from the file.
  ASSERT_EQ(Get("INVOICE", 1), 143);  // INVOICE is not stored
  StoreForm("Colour", "INVOICE", "8", "A3 as stored", "1");
  ASSERT_EQ(Get("INVOICE", 1), 1);
  EXPECT_EQ(formInfo.PaperSize, "256");
  EXPECT_EQ(formInfo.PaperName, mbcs::Cp932("標準のサイズ(100.0x150.0mm)"));
  EXPECT_EQ(formInfo.Bin, "1");
  EXPECT_EQ(formInfo.BinName, "Upper");
  EXPECT_EQ(formInfo.Width, 1234);
  EXPECT_EQ(PaperSize(), (std::vector<int32_t>{256, 1, 1000, 1500}));
}

TEST_F(Lookup, MissingStoredEntriesFallBackToTemplateAndPrinter) {
  // A stored printer that is no longer installed: the default printer's
  // entry in the set is used.
  StoreCurrent("Gone");
  StorePrinter("Gone", 40, 1000);
  EXPECT_EQ(Get("ORDER"), 142);
  EXPECT_EQ(printer.PrinterName, "Laser");
  EXPECT_EQ(printer.OffsetX, 0);
  EXPECT_EQ(formInfo.PaperSize, "13");
  StorePrinter("Laser", 30, 1000);
  StoreForm("Laser", "ORDER", "9", "A4 as stored", "2");
  EXPECT_EQ(Get("ORDER"), 1);
  EXPECT_EQ(printer.OffsetX, 30);
  EXPECT_EQ(formInfo.PaperName, "A4 as stored");

  // A printer entry without the form: the template stands in and the stored
  // bin is not consulted.
  EXPECT_EQ(Get("LETTER"), 143);
  EXPECT_EQ(printer.OffsetX, 30);
  EXPECT_EQ(formInfo.PaperSize, "45");
  EXPECT_EQ(formInfo.PaperName, "");
  EXPECT_EQ(formInfo.Bin, "0");
  EXPECT_EQ(formInfo.BinName, "Auto Select");
  EXPECT_EQ(formInfo.OffsetX, 0);
  EXPECT_EQ(CQuorPrnPrinterAccessTestPeer(*access).UseStored(), 0);
}

TEST_F(Lookup, PrintersOwnPaperIsResolvedThroughHolderOrPrinter) {
  StoreCurrent("Colour");
  StorePrinter("Colour", 0, 1000);
  StoreForm("Colour", "ORDER", "-1", "whatever was stored", "");
  CPrnDevMode holder = Holder(9, 1);
  ASSERT_EQ(Get("ORDER", 0, &holder), 1);
  EXPECT_EQ(formInfo.PaperSize, "-1");
  EXPECT_EQ(formInfo.PaperName, "A4");
  ASSERT_EQ(Get("ORDER"), 1);
  EXPECT_EQ(formInfo.PaperSize, "-1");
  EXPECT_EQ(formInfo.PaperName, "A3");  // Colour's own paper is 8

  // A template that names the printer's own paper: the instance keeps -1.
  ASSERT_EQ(Get("LABEL"), 143);
  EXPECT_EQ(formInfo.PaperSize, "8");
  EXPECT_EQ(formInfo.PaperName, "A3");
  EXPECT_EQ(PaperSize(), (std::vector<int32_t>{-1, 0, 2000, 1000}));
}

TEST_F(Lookup, EmptyStoredBinFollowsTheHoldersDefaultSource) {
  StoreCurrent("Laser");
  StorePrinter("Laser", 0, 1000);
  StoreForm("Laser", "ORDER", "9", "A4", "");
  CPrnDevMode holder = Holder(9, 2);
  ASSERT_EQ(Get("ORDER", 0, &holder), 1);
  EXPECT_EQ(formInfo.Bin, "2");
  EXPECT_EQ(formInfo.BinName, "Tray 2");
  // A stored bin wins over the holder.
  StoreForm("Laser", "ORDER", "9", "A4", "1");
  ASSERT_EQ(Get("ORDER", 0, &holder), 1);
  EXPECT_EQ(formInfo.BinName, "Tray 1");
  // A bin the printer lacks is named after the printer's default source.
  StoreForm("Laser", "ORDER", "9", "A4", "3");
  ASSERT_EQ(Get("ORDER", 0, &holder), 1);
  EXPECT_EQ(formInfo.Bin, "3");
  EXPECT_EQ(formInfo.BinName, "Auto Select");
}

TEST_F(Lookup, StoreAndSpoolerFailuresAreReportedWithTheirCodes) {
  StoreCurrent("Laser");
  hive->InjectFault({registry::RegOp::OpenKey, kSet, "", "ECR051", "disk read error", false});
  EXPECT_EQ(Get("ORDER"), 160);
  EXPECT_EQ(CQuorPrnPrinterAccessTestPeer(*access).PrinterUsable(), 0);
  EXPECT_EQ(printer.PrinterName, "");

  hive->InjectFault({registry::RegOp::GetText, kSet, "CurrentPrinter", "ECR051", "disk read error", false});
  EXPECT_EQ(Get("ORDER"), 161);

  // A printer whose bins cannot be listed: 113 once the paper is filled.
  StoreCurrent("BadBins");
  EXPECT_EQ(Get("ORDER"), 113);
  EXPECT_EQ(printer.PrinterName, "BadBins");
  EXPECT_EQ(formInfo.PaperSize, "13");
  EXPECT_EQ(formInfo.BinName, "");
  // The template file's own failure comes after the printer is settled.
  StoreCurrent("Laser");
  EXPECT_EQ(Get("NOSUCHFORM"), 130);
  EXPECT_EQ(printer.PrinterName, "Laser");
}

TEST_F(Lookup, SpoolerIsAskedOncePerPrinterAndNeverWhenWarm) {
  ASSERT_EQ(Get("ORDER"), 140);
  // One information block (for the bin), one fresh read for the paper names,
  // and one count-and-list per query.
  EXPECT_EQ(Calls("Laser", VS::kOpen), 2);
  EXPECT_EQ(Calls("Laser", VS::kPaperNames), 2);
  EXPECT_EQ(Calls("Laser", VS::kBins), 2);
  EXPECT_EQ(Calls("Laser", VS::kBinNames), 2);
  vs->ResetCalls();
  ASSERT_EQ(Get("ORDER"), 140);
  CQuorPrnPrinterAccess second;
  vs->ResetCalls();
  QUOR_PRN_PRINTER_INFO_TYPE p2;
  QUOR_PRN_FORM_INFO_TYPE f2;
  ASSERT_EQ(second.GetPrinterInfo("SYS", "JOB", 3, Templates().c_str(), "ORDER", &p2, &f2, &color, nullptr), 140);
  for (const char* kind : {VS::kOpen, VS::kGetPrinter, VS::kPapers, VS::kPaperNames, VS::kBins, VS::kBinNames,
                           VS::kEnum, VS::kDefault})
    EXPECT_EQ(vs->TotalCalls(kind), 0) << kind;
  EXPECT_EQ(f2.PaperName, "B5 (JIS)");
}

}  // namespace
