// The store on the machine-wide kind of hive, a SQLite file.
#include <filesystem>

#include "tests/store/StoreTestSupport.h"

using namespace storetest;

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
  {
    CQuorPrnSettingStore store;
    EXPECT_EQ(store.LoadPrinterSet("SYS", "JOB", 3), 140);
    store.SetCurrentPrinter(kSessionPrinter);
    QUOR_PRN_PRINTER_INFO_TYPE p{kSessionPrinter, 15, 0, 1000, 990, 0};
    QUOR_PRN_COLOR_INFO_TYPE c;
    c.ColorPrint = 1;
    c.Mode = -1;
    c.Palette.push_back(std::make_unique<MERA_PRN_COLOR_PALETTE_TYPE>(MERA_PRN_COLOR_PALETTE_TYPE{"C004", 0xabcdef}));
    ASSERT_EQ(store.SetPrinter(p, &c), 1);
    ASSERT_EQ(store.SavePrinterSet(), 1);
    QUOR_PRN_FORM_INFO_TYPE f{"Slip", "9", "A4", "2", "", 1, 0, 0, 0, 0, 0};
    ASSERT_EQ(store.ClosePrinterSet(), 1);
    ASSERT_EQ(store.RegCreateForm("SYS", "JOB", 3, kSessionPrinter, f), 1);
  }
  registry::Registry::UseFile(path.string());

  CQuorPrnSettingStore reader;
  std::string current;
  ASSERT_EQ(reader.ReadCurrentPrinter("SYS", "JOB", 3, current), 1);
  EXPECT_EQ(current, kSessionPrinter);
  QUOR_PRN_PRINTER_INFO_TYPE p;
  p.PrinterName = current;
  QUOR_PRN_COLOR_INFO_TYPE c;
  ASSERT_EQ(reader.ReadPrinter("SYS", "JOB", 3, &p, &c), 1);
  EXPECT_EQ(p.OffsetX, 15);
  EXPECT_EQ(p.ScaleY, 990);
  ASSERT_EQ(PaletteNames(c.Palette), std::vector<std::string>({"C004"}));
  EXPECT_EQ(c.Palette[0]->Color, 0xabcdef);
  reader.SetCurrentPrinter(current.c_str());
  ASSERT_EQ(reader.LoadForm("SYS", "JOB", 3, "Slip"), 1);
  QUOR_PRN_FORM_INFO_TYPE f;
  f.FormName = "Slip";
  ASSERT_EQ(reader.GetForm(&f), 1);
  EXPECT_EQ(f.PaperName + "/" + f.Bin, "A4/2");
  reader.CloseForm();

  EXPECT_EQ(reader.RegDeletePrinterSet("SYS", "JOB", 3), 1);
  EXPECT_EQ(reader.ReadCurrentPrinter("SYS", "JOB", 3, current), 140);
  EXPECT_TRUE(reports.empty());
}

TEST_F(SqliteStore, BackslashedAndOverlongNamesListBackAndDelete) {
  const std::string longName = std::string(600, 'x') + "\\" + std::string(600, 'y');
  CQuorPrnSettingStore store;
  QUOR_PRN_PRINTER_INFO_TYPE p;
  for (const std::string& name : {std::string("\\\\srv\\lp"), longName}) {
    p.PrinterName = name;
    ASSERT_EQ(store.RegCreatePrinter("SYS", "JOB", 3, p, nullptr), 1);
  }
  CQuorPrnSettingStore reader;
  EXPECT_EQ(reader.LoadPrinterSet("SYS", "JOB", 3), 141);
  ASSERT_EQ(reader.Printers().size(), 2u);
  EXPECT_EQ(reader.Printers()[0]->Name, "\\\\srv\\lp");
  EXPECT_EQ(reader.Printers()[1]->Name, longName);
  EXPECT_EQ(store.RegDeletePrinter("SYS", "JOB", 3, longName.c_str()), 1);
  EXPECT_EQ(store.RegDeletePrinter("SYS", "JOB", 3, "\\\\srv\\lp"), 1);
  EXPECT_EQ(store.RegDeletePrinterSet("SYS", "JOB", 3), 1);
  EXPECT_EQ(reader.ReadCurrentPrinter("SYS", "JOB", 3, p.PrinterName), 140);
}
