// Printer sets: reading the current printer and single printers, opening a
// set, changing it in memory and saving it, and how every registry failure on
// that road is answered and reported.
#include "meraprn/CPrnDoc.h"
#include "tests/store/StoreTestSupport.h"

using namespace storetest;
using PrinterSets = StoreTest;

TEST_F(PrinterSets, CurrentPrinterTellsAbsenceSilentlyReportsOtherFailuresOnceAndYieldsToDocuWorks) {
  CQuorPrnSettingStore store;
  std::string out = "kept";
  EXPECT_EQ(store.ReadCurrentPrinter("SYS", "JOB", 3, out), 140);
  Seed(kSet);
  EXPECT_EQ(store.ReadCurrentPrinter("SYS", "JOB", 3, out), 141);
  EXPECT_EQ(out, "kept");
  EXPECT_TRUE(reports.empty());
  Seed(kSet, {{"CurrentPrinter", "\\\\srv\\Label!Redirected"}});
  Fail(RegOp::OpenKey, kSet, "", "ECR052");
  EXPECT_EQ(store.ReadCurrentPrinter("SYS", "JOB", 3, out), 160);
  Fail(RegOp::GetText, kSet, "CurrentPrinter");
  EXPECT_EQ(store.LoadPrinterSet("SYS", "JOB", 3), 161);
  EXPECT_FALSE(store.IsPrinterSetOpen());
  EXPECT_EQ(reports.size(), 2u);
  // The stored redirect name comes back as the printer installed now.
  EXPECT_EQ(store.ReadCurrentPrinter("SYS", "JOB", 3, out), 1);
  EXPECT_EQ(out, kSessionPrinter);

  // DocuWorks output answers the DocuWorks printer whatever the set names.
  CPrnDoc::EnableXdwOutputPrint(1);
  CPrnDoc::SetXdwPrinterName("XDW Out");
  const int32_t r = store.ReadCurrentPrinter("SYS", "JOB", 3, out);
  CPrnDoc::EnableXdwOutputPrint(0);
  CPrnDoc::SetXdwPrinterName("DocuWorks Printer");
  EXPECT_EQ(r, 1);
  EXPECT_EQ(out, "XDW Out");
  EXPECT_EQ(store.CurrentStoredPrinter(), "XDW Out");
}

TEST_F(PrinterSets, ReadPrinterKeepsDefaultsForMissingValuesAndUsesItsOwnSet) {
  Seed(kSet + "\\Plain", {{"OffsetX", 5}, {"OffsetY", -7}, {"ScaleX", 990}, {"ScaleFix", 0}});
  Seed(kBase + "\\Print\\PrinterSet04\\Plain", {{"OffsetX", 44}});
  CQuorPrnSettingStore store;
  // A store that read set 4 before must still read set 3 when asked for it.
  std::string out;
  EXPECT_EQ(store.ReadCurrentPrinter("SYS", "JOB", 4, out), 141);
  auto p = Printer("Plain");
  QUOR_PRN_COLOR_INFO_TYPE color;
  EXPECT_EQ(store.ReadPrinter("SYS", "JOB", 3, &p, &color), 1);
  EXPECT_EQ(p.PrinterName, "Plain");
  EXPECT_EQ(std::vector<int32_t>({p.OffsetX, p.OffsetY, p.ScaleX, p.ScaleY, p.ScaleFix}),
            std::vector<int32_t>({5, -7, 990, 1000, 0}));

  auto missing = Printer("Nowhere", 99);
  color.Mode = 5;
  color.Palette.push_back(std::make_unique<MERA_PRN_COLOR_PALETTE_TYPE>());
  EXPECT_EQ(store.ReadPrinter("SYS", "JOB", 3, &missing, &color), 142);
  EXPECT_EQ(std::vector<int32_t>({missing.OffsetX, missing.ScaleX, missing.ScaleFix, color.Mode}),
            std::vector<int32_t>({0, 1000, 1, 0}));
  EXPECT_TRUE(color.Palette.empty());
  EXPECT_TRUE(reports.empty());
}

TEST_F(PrinterSets, AbsentSetOpensEmptyAndSavesIntoANewSet) {
  CQuorPrnSettingStore store;
  EXPECT_EQ(store.LoadPrinterSet("SYS", "JOB", 3), 140);
  EXPECT_TRUE(store.IsPrinterSetOpen());
  EXPECT_TRUE(store.Printers().empty());
  std::string out;
  EXPECT_EQ(store.GetCurrentPrinter(out), 141);
  EXPECT_EQ(store.SetCurrentPrinter(kSessionPrinter), 1);
  EXPECT_EQ(store.SetPrinter(Printer(kSessionPrinter, 12), nullptr), 1);
  EXPECT_EQ(store.SavePrinterSet(), 1);
  EXPECT_EQ(Dump(),
            Layout({{"SOFTWARE\\Olvanet\\Sarvo", "SOFTWARE\\Olvanet\\Sarvo\\SYS", kBase, kBase + "\\Print", kSet,
                     Txt(kSet, "CurrentPrinter", "\\\\srv\\Label!Redirected"), kSessionKey, kSessionKey + "\\Colors"},
                    Nums(kSessionKey + "\\Colors", "ColorPrint=0 Mode=0"),
                    Nums(kSessionKey, "OffsetX=12 OffsetY=0 ScaleFix=1 ScaleX=1000 ScaleY=1000")}));
  EXPECT_EQ(store.GetCurrentPrinter(out), 1);
  EXPECT_EQ(out, kSessionPrinter);
}

TEST_F(PrinterSets, SaveRewritesEveryListedPrinterOnlyWhenOneChanged) {
  Seed(kSet, {{"CurrentPrinter", "Plain"}});
  Seed(kSet + "\\Plain", {{"OffsetX", 3}});
  Seed(kSet + "\\,,old,lp", {{"ScaleY", 800}});
  hive->ResetCounts();
  CQuorPrnSettingStore store;
  ASSERT_EQ(store.LoadPrinterSet("SYS", "JOB", 3), 1);
  ASSERT_EQ(store.Printers().size(), 2u);
  QUOR_PRN_PRINTER_INFO_TYPE old = Printer("\\\\old\\lp");
  EXPECT_EQ(store.GetPrinter(&old, nullptr), 1);
  EXPECT_EQ(old.ScaleY, 800);
  EXPECT_EQ(store.SavePrinterSet(), 1);
  EXPECT_EQ(hive->Count(RegOp::SetNumber), 0);
  EXPECT_FALSE(hive->HasValue(kSet + "\\Plain", "ScaleX"));

  EXPECT_EQ(store.SetPrinter(Printer("Plain", 9), nullptr), 1);
  EXPECT_EQ(store.SavePrinterSet(), 1);
  EXPECT_TRUE(hive->HasValue(kSet + "\\,,old,lp", "OffsetX"));
  EXPECT_TRUE(hive->HasValue(kSet + "\\,,old,lp\\Colors", "Mode"));
  EXPECT_EQ(hive->Dump(kSet + "\\Plain")[1], Num(kSet + "\\Plain", "OffsetX", 9));
}

TEST_F(PrinterSets, LoadKeepsTheSetOpenPastTheCurrentPrinterWhateverFailsLater) {
  Seed(kSet, {{"CurrentPrinter", "Plain"}});
  Seed(kSet + "\\A", {{"OffsetX", 1}});
  Seed(kSet + "\\A\\Colors", {{"Mode", -1}});
  Seed(kSet + "\\B", {{"OffsetX", 2}});
  {
    CQuorPrnSettingStore store;
    Fail(RegOp::EnumKeys, kSet);
    EXPECT_EQ(store.LoadPrinterSet("SYS", "JOB", 3), 162);
    EXPECT_TRUE(store.IsPrinterSetOpen());
    EXPECT_TRUE(store.Printers().empty());
  }
  {
    CQuorPrnSettingStore store;
    Fail(RegOp::GetNumber, kSet + "\\A\\Colors", "Mode");
    EXPECT_EQ(store.LoadPrinterSet("SYS", "JOB", 3), 162);
    EXPECT_TRUE(store.IsPrinterSetOpen());
    ASSERT_EQ(store.Printers().size(), 2u);
    EXPECT_EQ(store.Printers()[0]->OffsetX, 1);
    EXPECT_EQ(store.Printers()[1]->OffsetX, 0);  // stopped before B
  }
  {
    // An unreadable printer keeps what it read before; the others still load.
    CQuorPrnSettingStore store;
    Fail(RegOp::GetNumber, kSet + "\\A", "OffsetY");
    Fail(RegOp::OpenKey, kSet + "\\B");
    EXPECT_EQ(store.LoadPrinterSet("SYS", "JOB", 3), 1);
    EXPECT_EQ(store.Printers()[0]->OffsetX, 1);
    EXPECT_EQ(store.Printers()[0]->ColorMode, 0);  // its colours were never reached
  }
  EXPECT_EQ(reports.size(), 3u);
}

TEST_F(PrinterSets, EntryStateAndWriteFailuresAnswerTheirCodes) {
  CQuorPrnSettingStore store;
  std::string out = "kept";
  // Empty names and sets above 99 are refused without touching the hive.
  EXPECT_EQ(store.ReadCurrentPrinter("", "JOB", 0, out), 110);
  EXPECT_EQ(store.ReadCurrentPrinter("SYS", "JOB", 100, out), 110);
  EXPECT_EQ(store.LoadPrinterSet("SYS", "", 1), 110);
  EXPECT_EQ(store.RegCreatePrinterSet(nullptr, "JOB", 1), 110);
  EXPECT_EQ(store.RegDeleteForm("SYS", "JOB", 1, "Plain", ""), 110);
  EXPECT_EQ(out, "kept");
  EXPECT_FALSE(store.IsPrinterSetOpen());
  EXPECT_EQ(hive->Count(RegOp::OpenKey) + hive->Count(RegOp::CreateKey), 0);
  auto p = Printer("Plain");
  EXPECT_EQ(store.GetCurrentPrinter(out), 112);
  EXPECT_EQ(store.GetPrinter(&p, nullptr), 112);
  EXPECT_EQ(store.SetPrinter(p, nullptr), 112);
  EXPECT_EQ(store.SavePrinterSet(), 112);
  ASSERT_EQ(store.LoadPrinterSet("SYS", "JOB", 3), 140);
  EXPECT_EQ(store.GetPrinter(nullptr, nullptr), 110);
  EXPECT_EQ(store.SetPrinter(Printer(""), nullptr), 110);
  EXPECT_EQ(store.RegCreatePrinterSet("SYS", "JOB", 3), 112);
  EXPECT_EQ(store.RegDeletePrinterSet("SYS", "JOB", 3), 112);
  EXPECT_EQ(store.SetCurrentPrinter("Plain"), 1);
  Fail(RegOp::SetText, kSet, "CurrentPrinter");
  EXPECT_EQ(store.SavePrinterSet(), 171);
  EXPECT_EQ(store.SetPrinter(p, nullptr), 1);
  Fail(RegOp::SetNumber, kSet + "\\Plain", "ScaleY");
  EXPECT_EQ(store.SavePrinterSet(), 172);
  // A failed save leaves nothing of itself behind: no current printer, no
  // half-written printer.
  EXPECT_FALSE(hive->HasValue(kSet, "CurrentPrinter"));
  EXPECT_FALSE(hive->HasKey(kSet + "\\Plain"));
  EXPECT_EQ(store.SavePrinterSet(), 1);
  EXPECT_TRUE(hive->HasValue(kSet + "\\Plain", "ScaleY"));
  EXPECT_EQ(store.ClosePrinterSet(), 1);
  EXPECT_TRUE(store.Printers().empty());
  EXPECT_EQ(store.SavePrinterSet(), 112);
}

TEST_F(PrinterSets, SetsZeroAndNinetyNineAreTheirOwnKeys) {
  CQuorPrnSettingStore store;
  std::string out;
  Seed(kBase + "\\Print\\PrinterSet00", {{"CurrentPrinter", "Plain"}});
  Seed(kBase + "\\Print\\PrinterSet99", {{"CurrentPrinter", "\\\\srv\\Label!Redirected"}});
  ASSERT_EQ(store.ReadCurrentPrinter("SYS", "JOB", 0, out), 1);
  EXPECT_EQ(out, "Plain");
  ASSERT_EQ(store.ReadCurrentPrinter("SYS", "JOB", 99, out), 1);
  EXPECT_EQ(out, kSessionPrinter);
  ASSERT_EQ(store.RegCreatePrinterSet("SYS", "JOB", 99), 1);
  EXPECT_EQ(store.ReadCurrentPrinter("SYS", "JOB", 98, out), 140);
}
