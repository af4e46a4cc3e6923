// Stored forms: opening a form of the current printer, what an absent printer
// or form yields, what a save writes, and read and write failures.
#include "tests/store/StoreTestSupport.h"

using namespace storetest;

namespace {
class Forms : public StoreTest {
 protected:
  const std::string kForm = kSet + "\\Plain\\Form\\Invoice";
  void SeedInvoice() {
    Seed(kSet + "\\Plain", {{"OffsetX", 1}});
    Seed(kForm, {{"Bin", "3"}, {"PaperName", "A4"}, {"PaperSize", "9"}});
    Seed(kForm, {{"PaperSizeFit", 0}, {"Width", 2100}});
  }
};
}  // namespace

TEST_F(Forms, LoadFormReadsTheStoredFormOfTheCurrentPrinter) {
  SeedInvoice();
  CQuorPrnSettingStore store;
  store.SetCurrentPrinter("Plain");
  ASSERT_EQ(store.LoadForm("SYS", "JOB", 3, "Invoice"), 1);
  EXPECT_TRUE(store.IsFormOpen());
  auto f = Form("Invoice");
  f.PaperName = "stale";
  f.BinName = "Tray 3";
  ASSERT_EQ(store.GetForm(&f), 1);
  // The bin's name is never stored, so never touched.
  EXPECT_EQ(Items({f.PaperSize, f.PaperName, f.Bin, f.BinName}), Items({"9", "A4", "3", "Tray 3"}));
  EXPECT_EQ(std::vector<int32_t>({f.PaperSizeFit, f.OffsetX, f.Width, f.WidthHeightFix}),
            std::vector<int32_t>({0, 0, 2100, 0}));
  std::string current;
  EXPECT_EQ(store.GetCurrentPrinter(current), 1);
  EXPECT_EQ(current, "Plain");
  EXPECT_EQ(store.CloseForm(), 1);
  EXPECT_EQ(store.CloseForm(), 112);
}

TEST_F(Forms, AbsentFormOrPrinterStillOpensAFormWithDefaults) {
  Seed(kSet + "\\Plain");
  Seed(kSet + "\\Form\\Invoice", {{"Bin", "5"}});
  CQuorPrnSettingStore store;
  // Without a current printer the set key must not pass for a printer's key.
  EXPECT_EQ(store.LoadForm("SYS", "JOB", 3, "Invoice"), 142);
  store.CloseForm();
  store.SetCurrentPrinter("Plain");
  EXPECT_EQ(store.LoadForm("SYS", "JOB", 3, "Invoice"), 143);
  auto f = Form("Invoice");
  f.PaperSize = "8";
  f.Bin = "2";
  EXPECT_EQ(store.GetForm(&f), 1);
  EXPECT_EQ(f.PaperSize + f.Bin, "");
  EXPECT_EQ(f.PaperSizeFit, 1);
  store.CloseForm();

  // A printer without a key: its form is never read, and a save creates the
  // printer's key only as a parent of the form, with none of its own values.
  store.SetCurrentPrinter(kSessionPrinter);
  EXPECT_EQ(store.LoadForm("SYS", "JOB", 3, "Invoice"), 142);
  EXPECT_TRUE(store.IsFormOpen());
  auto edited = Form("Invoice");
  edited.PaperSize = "-1";
  edited.Bin = "0";
  edited.OffsetY = -5;
  EXPECT_EQ(store.SetForm(edited), 1);
  EXPECT_EQ(store.SaveForm(), 1);
  const std::string form = kSessionKey + "\\Form\\Invoice";
  EXPECT_EQ(hive->Dump(kSessionKey),
            Layout({{kSessionKey, kSessionKey + "\\Form", form},
                    Txts(form, "Bin= PaperName= PaperSize=-1"),
                    Nums(form, "PaperSizeFit=1 OffsetX=0 OffsetY=-5 Width=0 Height=0 WidthHeightFix=0")}));
  EXPECT_FALSE(hive->HasValue(kSet, "CurrentPrinter"));
}

TEST_F(Forms, BinIsWrittenOnlyWhenItReadsAsANonZeroNumber) {
  CQuorPrnSettingStore store;
  const std::vector<std::pair<std::string, std::string>> cases{
      {"0", ""}, {"", ""}, {"abc", ""}, {"3", "3"}, {" +15x", " +15x"}, {"-2", "-2"}, {"00", ""}};
  for (const auto& [given, stored] : cases) {
    auto f = Form("F");
    f.Bin = given;
    ASSERT_EQ(store.RegCreateForm("SYS", "JOB", 3, "Plain", f), 1);
    EXPECT_EQ(hive->Dump(kSet + "\\Plain\\Form\\F")[1], Txt(kSet + "\\Plain\\Form\\F", "Bin", stored)) << given;
  }
}

TEST_F(Forms, ReadFailuresCloseEverythingAndAreReportedOnce) {
  SeedInvoice();
  CQuorPrnSettingStore store;
  store.SetCurrentPrinter("Plain");
  Fail(RegOp::GetText, kForm, "PaperName");
  EXPECT_EQ(store.LoadForm("SYS", "JOB", 3, "Invoice"), 163);
  EXPECT_FALSE(store.IsFormOpen());
  EXPECT_TRUE(store.Printers().empty());
  Fail(RegOp::OpenKey, kForm, "", "ECR052");
  EXPECT_EQ(store.LoadForm("SYS", "JOB", 3, "Invoice"), 163);
  Seed(kSet + "\\Plain\\Colors", {{"Mode", 1}});
  Fail(RegOp::GetNumber, kSet + "\\Plain\\Colors", "Mode");
  EXPECT_EQ(store.LoadForm("SYS", "JOB", 3, "Invoice"), 162);
  EXPECT_FALSE(store.IsFormOpen());
  EXPECT_EQ(reports.size(), 3u);
  EXPECT_EQ(store.LoadForm("SYS", "JOB", 3, "Invoice"), 1);
}

TEST_F(Forms, FormOperationsNeedAnOpenFormAndReportWriteFailures) {
  CQuorPrnSettingStore store;
  auto f = Form("Invoice");
  EXPECT_EQ(store.SetForm(f), 112);
  EXPECT_EQ(store.SaveForm(), 112);
  EXPECT_EQ(store.GetForm(&f), 112);
  EXPECT_EQ(store.SetForm(Form("")), 110);
  EXPECT_EQ(store.LoadForm("SYS", "JOB", 3, ""), 110);

  Fail(RegOp::CreateKey, kSet);
  EXPECT_EQ(store.SelectPrinter("SYS", "JOB", 3, "Plain"), 171);
  ASSERT_EQ(store.SelectPrinter("SYS", "JOB", 3, "Plain"), 1);
  EXPECT_TRUE(hive->HasValue(kSet, "CurrentPrinter"));
  ASSERT_EQ(store.LoadForm("SYS", "JOB", 3, "Invoice"), 142);
  EXPECT_EQ(store.RegCreateForm("SYS", "JOB", 3, "Plain", f), 112);
  Fail(RegOp::SetNumber, kForm, "Height");
  EXPECT_EQ(store.SaveForm(), 173);
  EXPECT_TRUE(store.IsFormOpen());
  EXPECT_EQ(store.SaveForm(), 1);
  EXPECT_TRUE(hive->HasValue(kForm, "WidthHeightFix"));
}

TEST_F(Forms, StepsRunAtomicallyKeepAllTheirWritesOrNone) {
  CQuorPrnSettingStore store;
  store.SetCurrentPrinter("Plain");
  ASSERT_EQ(store.LoadForm("SYS", "JOB", 3, "Invoice"), 142);
  auto f = Form("Invoice");
  f.PaperSize = "9";
  ASSERT_EQ(store.SetForm(f), 1);
  auto both = [&]() -> int32_t {
    const int32_t r = store.SelectPrinter("SYS", "JOB", 3, "Plain");
    return r != 1 ? r : store.SaveForm();
  };

  // The current printer is written before the form fails half way.
  Fail(RegOp::SetNumber, kForm, "OffsetY");
  EXPECT_EQ(store.RunAtomically(both), 173);
  EXPECT_TRUE(Dump().empty());
  EXPECT_EQ(store.RunAtomically(both), 1);
  EXPECT_TRUE(hive->HasValue(kSet, "CurrentPrinter"));
  EXPECT_TRUE(hive->HasValue(kForm, "WidthHeightFix"));
}
