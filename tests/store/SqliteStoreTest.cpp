// The store on the machine-wide kind of hive, a SQLite file: what is saved
// survives reopening the file, names of any shape list back, and everything
// deletes to nothing.
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
  // Backslashed and overlong names list back as they were given.
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
