// Creating and deleting stored settings in one shot: the exact layout they
// leave, stored names of redirected and backslashed printers, what a failed
// deletion leaves behind, the exported fronts of these operations, and the
// machine-wide kind of hive, a SQLite file, where what is saved survives
// reopening the file and everything deletes to nothing.
#include <filesystem>

#include "quorprn/CQuorPrnPrinterAccess.h"
#include "tests/store/StoreTestSupport.h"

using namespace storetest;

namespace {
class CreateDelete : public StoreTest {
 protected:
  // Set 3 with the session printer (two forms, colours) and "Plain" (no
  // forms, no colours).
  void SeedSet() {
    CQuorPrnSettingStore store;
    ASSERT_EQ(store.RegCreatePrinterSet("SYS", "JOB", 3), 1);
    QUOR_PRN_COLOR_INFO_TYPE c;
    ASSERT_EQ(store.RegCreatePrinter("SYS", "JOB", 3, Printer(kSessionPrinter), &c), 1);
    ASSERT_EQ(store.RegCreatePrinter("SYS", "JOB", 3, Printer("Plain"), nullptr), 1);
    for (const char* name : {"A", "B"}) ASSERT_EQ(store.RegCreateForm("SYS", "JOB", 3, kSessionPrinter, Form(name)), 1);
  }
};
}  // namespace

TEST_F(CreateDelete, CreateFrontsWriteExactlyTheDocumentedLayout) {
  CQuorPrnSettingStore store;
  ASSERT_EQ(store.RegCreatePrinterSet("SYS", "JOB", 0), 1);
  QUOR_PRN_PRINTER_INFO_TYPE p{"\\\\srv\\lp", 10, -20, 950, 1050, 0};
  QUOR_PRN_COLOR_INFO_TYPE c;
  c.ColorPrint = 1;
  c.Mode = -1;
  c.Palette.push_back(Entry("C002", 0x123456));
  ASSERT_EQ(store.RegCreatePrinter("SYS", "JOB", 7, p, &c), 1);
  QUOR_PRN_FORM_INFO_TYPE f{"Slip", "256", "User", "4", "Tray 4", 0, 3, 4, 1000, 2000, 1};
  ASSERT_EQ(store.RegCreateForm("SYS", "JOB", 12, "Plain", f), 1);

  const std::string root = "SOFTWARE\\Olvanet\\Sarvo", print = kBase + "\\Print";
  const std::string set7 = print + "\\PrinterSet07", lp = set7 + "\\,,srv,lp", set12 = print + "\\PrinterSet12",
                    slip = set12 + "\\Plain\\Form\\Slip";
  EXPECT_EQ(Dump(), Layout({{root, root + "\\SYS", kBase, print, print + "\\PrinterSet00", set7, lp, lp + "\\Colors",
                             set12, set12 + "\\Plain", set12 + "\\Plain\\Form", slip},
                            Nums(lp, "OffsetX=10 OffsetY=-20 ScaleX=950 ScaleY=1050 ScaleFix=0"),
                            Nums(lp + "\\Colors", "ColorPrint=1 Mode=-1 C002=0x123456"),
                            Txts(slip, "Bin=4 PaperName=User PaperSize=256"),
                            Nums(slip, "PaperSizeFit=0 OffsetX=3 OffsetY=4 Width=1000 Height=2000 WidthHeightFix=1")}));

  // The backslashed name comes back with its backslashes.
  CQuorPrnSettingStore reader;
  EXPECT_EQ(reader.LoadPrinterSet("SYS", "JOB", 7), 141);
  ASSERT_EQ(reader.Printers().size(), 1u);
  EXPECT_EQ(reader.Printers()[0]->Name, "\\\\srv\\lp");
  EXPECT_EQ(reader.Printers()[0]->ScaleY, 1050);
}

TEST_F(CreateDelete, RedirectedPrinterIsStoredUnderItsRedirectNameAndFoundAgain) {
  SeedSet();
  EXPECT_TRUE(hive->HasKey(kSessionKey + "\\Colors"));
  EXPECT_TRUE(hive->HasKey(kSessionKey + "\\Form\\B"));
  EXPECT_FALSE(hive->HasValue(kSet, "CurrentPrinter"));
  CQuorPrnSettingStore store;
  EXPECT_EQ(store.RegDeleteForm("SYS", "JOB", 3, kSessionPrinter, "A"), 1);
  EXPECT_FALSE(hive->HasKey(kSessionKey + "\\Form\\A"));
  EXPECT_TRUE(hive->HasKey(kSessionKey + "\\Form"));
  EXPECT_EQ(store.RegDeleteForm("SYS", "JOB", 3, kSessionPrinter, "A"), 143);
  EXPECT_EQ(store.RegDeleteForm("SYS", "JOB", 3, "Nowhere", "B"), 142);
  EXPECT_EQ(store.RegDeletePrinter("SYS", "JOB", 3, "\\\\srv\\Label!Redirected"), 1);
  EXPECT_FALSE(hive->HasKey(kSessionKey));
  // A printer without forms or colours can be deleted too.
  EXPECT_EQ(store.RegDeletePrinter("SYS", "JOB", 3, "Plain"), 1);
  EXPECT_EQ(store.RegDeletePrinter("SYS", "JOB", 3, "Plain"), 142);
  EXPECT_EQ(hive->Dump(kSet), Items({kSet}));
}

TEST_F(CreateDelete, FailedDeletionKeepsWhatWasDeletedBeforeAndCanBeRetried) {
  SeedSet();
  CQuorPrnSettingStore store;
  // Listing failures stop the delete before anything is deleted.
  Fail(RegOp::EnumKeys, kSet);
  EXPECT_EQ(store.RegDeletePrinterSet("SYS", "JOB", 3), 162);
  Fail(RegOp::OpenKey, kSet, "", "ECR052");
  EXPECT_EQ(store.RegDeletePrinter("SYS", "JOB", 3, "Plain"), 162);
  Fail(RegOp::OpenKey, kSessionKey + "\\Form", "", "ECR052");
  EXPECT_EQ(store.RegDeleteForm("SYS", "JOB", 3, kSessionPrinter, "A"), 163);
  Fail(RegOp::EnumKeys, kSessionKey + "\\Form");
  EXPECT_EQ(store.RegDeletePrinter("SYS", "JOB", 3, kSessionPrinter), 163);
  EXPECT_EQ(reports.size(), 2u);
  EXPECT_EQ(hive->Count(RegOp::DeleteKey), 0);
  EXPECT_TRUE(hive->HasKey(kSessionKey + "\\Form\\A"));

  Fail(RegOp::DeleteKey, kSessionKey + "\\Colors");
  EXPECT_EQ(store.RegDeletePrinterSet("SYS", "JOB", 3), 122);
  EXPECT_FALSE(hive->HasKey(kSessionKey + "\\Form"));
  EXPECT_TRUE(hive->HasKey(kSessionKey + "\\Colors"));
  EXPECT_TRUE(hive->HasKey(kSet + "\\Plain"));
  Fail(RegOp::DeleteKey, kSet + "\\Plain");
  EXPECT_EQ(store.RegDeletePrinterSet("SYS", "JOB", 3), 122);
  EXPECT_FALSE(hive->HasKey(kSessionKey));
  Fail(RegOp::DeleteKey, kSet);
  EXPECT_EQ(store.RegDeletePrinterSet("SYS", "JOB", 3), 122);
  EXPECT_EQ(hive->Dump(kSet), Items({kSet}));
  EXPECT_EQ(store.RegDeletePrinterSet("SYS", "JOB", 3), 1);
  EXPECT_FALSE(hive->HasKey(kSet));
  EXPECT_TRUE(hive->HasKey(kBase + "\\Print"));
  // An absent set deletes as empty.
  EXPECT_EQ(store.RegDeletePrinterSet("SYS", "JOB", 3), 1);
  EXPECT_EQ(reports.size(), 2u);  // failed deletions are not reported
}

TEST_F(CreateDelete, ClearFormBinEmptiesOnlyTheBin) {
  CQuorPrnSettingStore store;
  QUOR_PRN_FORM_INFO_TYPE f{"Slip", "9", "A4", "4", "", 1, 5, 0, 0, 0, 0};
  ASSERT_EQ(store.RegCreateForm("SYS", "JOB", 3, "Plain", f), 1);
  const std::string slip = kSet + "\\Plain\\Form\\Slip";
  Fail(RegOp::OpenKey, slip);
  EXPECT_EQ(store.ClearFormBin("SYS", "JOB", 3, "Plain", "Slip"), 120);
  Fail(RegOp::SetText, slip, "Bin");
  EXPECT_EQ(store.ClearFormBin("SYS", "JOB", 3, "Plain", "Slip"), 122);
  EXPECT_EQ(hive->Dump(slip)[1], Txt(slip, "Bin", "4"));
  EXPECT_EQ(store.ClearFormBin("SYS", "JOB", 3, "Plain", "Slip"), 1);
  EXPECT_EQ(hive->Dump(slip)[1], Txt(slip, "Bin", ""));
  EXPECT_TRUE(hive->HasValue(slip, "OffsetX"));
  EXPECT_EQ(store.ClearFormBin("SYS", "JOB", 3, "Plain", "Other"), 143);
}

TEST_F(CreateDelete, CreateFailuresAnswerTheirCodes) {
  CQuorPrnSettingStore store;
  Fail(RegOp::CreateKey, kSet);
  EXPECT_EQ(store.RegCreatePrinterSet("SYS", "JOB", 3), 170);
  EXPECT_EQ(store.RegCreatePrinter("SYS", "JOB", 3, Printer(""), nullptr), 110);
  Fail(RegOp::CreateKey, kSet + "\\Plain");
  EXPECT_EQ(store.RegCreatePrinter("SYS", "JOB", 3, Printer("Plain"), nullptr), 172);
  Fail(RegOp::SetNumber, kSet + "\\Plain", "ScaleFix");
  EXPECT_EQ(store.RegCreatePrinter("SYS", "JOB", 3, Printer("Plain"), nullptr), 172);
  EXPECT_EQ(store.RegCreateForm("SYS", "JOB", 3, "Plain", Form("")), 110);
  Fail(RegOp::SetText, kSet + "\\Plain\\Form\\Slip", "PaperName");
  EXPECT_EQ(store.RegCreateForm("SYS", "JOB", 3, "Plain", Form("Slip")), 173);
  EXPECT_FALSE(hive->HasValue(kSet, "CurrentPrinter"));
}

// Each exported front runs on a store of its own, so a sequence of fronts on
// one printer-access object behaves like fresh calls.
TEST_F(CreateDelete, FrontsOfTheExportedClassCreateAndDelete) {
  CQuorPrnPrinterAccess access;
  EXPECT_EQ(access.RegCreatePrinterSet("SYS", "JOB", 100), 110);
  EXPECT_EQ(access.RegCreatePrinterSet("SYS", "JOB", 3), 1);
  auto p = Printer(kSessionPrinter);
  p.ScaleX = 970;
  EXPECT_EQ(access.RegCreatePrinter("SYS", "JOB", 3, p, nullptr), 1);
  EXPECT_EQ(access.RegCreateForm("SYS", "JOB", 3, kSessionPrinter, Form("Slip")), 1);
  EXPECT_TRUE(hive->HasKey(kSessionKey + "\\Form\\Slip"));
  EXPECT_TRUE(hive->HasValue(kSessionKey, "ScaleX"));

  EXPECT_EQ(access.RegDeleteForm("SYS", "JOB", 3, kSessionPrinter, "Slip"), 1);
  EXPECT_EQ(access.RegDeleteForm("SYS", "JOB", 3, kSessionPrinter, "Slip"), 143);
  EXPECT_EQ(access.RegDeletePrinter("SYS", "JOB", 3, kSessionPrinter), 1);
  EXPECT_EQ(access.RegDeletePrinter("SYS", "JOB", 3, kSessionPrinter), 142);
  EXPECT_EQ(access.RegDeletePrinterSet("SYS", "JOB", 3), 1);
  EXPECT_FALSE(hive->HasKey(kSet));
}

namespace {
class SqliteStore : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    path = std::filesystem::temp_directory_path() /
           ("quorprn-store-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".db");
    std::filesystem::remove(path);
    registry::Registry::UseFile(path.string());
  }
  void TearDown() override {
    StoreTest::TearDown();
    std::filesystem::remove(path);
  }
  std::filesystem::path path;
};
}  // namespace

TEST_F(SqliteStore, SavedSetSurvivesReopeningTheFileAndDeletesToNothing) {
  const std::string longName = std::string(600, 'x') + "\\" + std::string(600, 'y');
  {
    CQuorPrnSettingStore store;
    EXPECT_EQ(store.LoadPrinterSet("SYS", "JOB", 3), 140);
    store.SetCurrentPrinter(kSessionPrinter);
    QUOR_PRN_PRINTER_INFO_TYPE p{kSessionPrinter, 15, 0, 1000, 990, 0};
    QUOR_PRN_COLOR_INFO_TYPE c;
    c.ColorPrint = 1;
    c.Mode = -1;
    c.Palette.push_back(Entry("C004", 0xabcdef));
    ASSERT_EQ(store.SetPrinter(p, &c), 1);
    ASSERT_EQ(store.SavePrinterSet(), 1);
    QUOR_PRN_FORM_INFO_TYPE f{"Slip", "9", "A4", "2", "", 1, 0, 0, 0, 0, 0};
    ASSERT_EQ(store.ClosePrinterSet(), 1);
    ASSERT_EQ(store.RegCreateForm("SYS", "JOB", 3, kSessionPrinter, f), 1);
    for (const std::string& name : {std::string("\\\\srv\\lp"), longName})
      ASSERT_EQ(store.RegCreatePrinter("SYS", "JOB", 3, Printer(name), nullptr), 1);
    ASSERT_EQ(store.RegCreateForm("SYS", "JOB", 3, longName.c_str(), Form("Slip")), 1);
  }
  registry::Registry::UseFile(path.string());

  CQuorPrnSettingStore reader;
  std::string current;
  ASSERT_EQ(reader.ReadCurrentPrinter("SYS", "JOB", 3, current), 1);
  EXPECT_EQ(current, kSessionPrinter);
  auto p = Printer(current);
  QUOR_PRN_COLOR_INFO_TYPE c;
  ASSERT_EQ(reader.ReadPrinter("SYS", "JOB", 3, &p, &c), 1);
  EXPECT_EQ(p.OffsetX, 15);
  EXPECT_EQ(p.ScaleY, 990);
  EXPECT_EQ(Colours(c.Palette), Items({"C004=11259375"}));
  reader.SetCurrentPrinter(current.c_str());
  ASSERT_EQ(reader.LoadForm("SYS", "JOB", 3, "Slip"), 1);
  auto f = Form("Slip");
  ASSERT_EQ(reader.GetForm(&f), 1);
  EXPECT_EQ(f.PaperName + "/" + f.Bin, "A4/2");
  reader.CloseForm();
  // Backslashed and overlong names list back as they were given, and delete
  // with their forms.
  CQuorPrnSettingStore lister;
  EXPECT_EQ(lister.LoadPrinterSet("SYS", "JOB", 3), 1);
  Items names;
  for (const auto& printer : lister.Printers()) names.push_back(printer->Name);
  EXPECT_EQ(names, Items({"\\\\srv\\Label!Redirected", "\\\\srv\\lp", longName}));

  EXPECT_EQ(reader.RegDeletePrinter("SYS", "JOB", 3, longName.c_str()), 1);
  EXPECT_EQ(reader.RegDeletePrinter("SYS", "JOB", 3, "\\\\srv\\lp"), 1);
  EXPECT_EQ(reader.RegDeletePrinterSet("SYS", "JOB", 3), 1);
  EXPECT_EQ(reader.ReadCurrentPrinter("SYS", "JOB", 3, current), 140);
  EXPECT_TRUE(reports.empty());
}
