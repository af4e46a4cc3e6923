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
const std::string kFree = mbcs::Cp932("標準のサイズ(100.0x150.0mm)");

class Lookup : public PrinterAccessTest {
 protected:
  static MeraPtr<CMeraRegKey> Key(const std::string& path) {
    auto key = MeraNewRegKey();
    EXPECT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, path)) << path;
    return key;
  }
  static void StorePrinter(const std::string& printer, int32_t offsetX, bool current = true) {
    if (current) Key(kSet)->SetText("CurrentPrinter", printer);
    Key(kSet + "\\" + printer)->SetNumber("OffsetX", offsetX);
  }
  static void StoreForm(const std::string& printer, const std::string& form, const std::string& paper,
                        const std::string& bin) {
    auto key = Key(kSet + "\\" + printer + "\\Form\\" + form);
    key->SetText("PaperSize", paper);
    key->SetText("PaperName", "stored name");
    key->SetText("Bin", bin);
    key->SetNumber("OffsetX", 25);
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
  auto colors = Key(kSet + "\\Colour\\Colors");
  colors->SetNumber("ColorPrint", 1);
  auto palette = Key(kBase + "\\Print\\Colors\\Default");
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

  Key(kSet);  // a set without a current printer
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
