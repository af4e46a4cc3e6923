// Colours: which palette a printer's colour mode selects, how a printer's
// palette is laid over the defaults, what is written back, and the shared
// colour names and presets.
#include "tests/store/StoreTestSupport.h"

using namespace storetest;

namespace {
class Colors : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    Seed(kBase + "\\Print\\Colors\\Default", {{"C001", 0x0000ff}, {"C002", 0x00ff00}});
    Seed(kBase + "\\Print\\Colors\\Preset03", {{"Name", "Model 3"}, {"C001", 3}, {"C010", 30}});
  }
  // Reads printer `key` (its Colors key holding `mode` and own colours C001,
  // C005) and answers the palette.
  Items PaletteOfMode(const std::string& key, int32_t mode) {
    Seed(kSet + "\\" + key + "\\Colors", {{"ColorPrint", 1}, {"Mode", mode}, {"C001", 11}, {"C005", 55}});
    CQuorPrnSettingStore store;
    auto p = Printer(key);
    QUOR_PRN_COLOR_INFO_TYPE color;
    EXPECT_EQ(store.ReadPrinter("SYS", "JOB", 3, &p, &color), 1);
    EXPECT_EQ(color.Mode, mode);
    EXPECT_EQ(color.ColorPrint, 1);
    return Colours(color.Palette);
  }
  // The answer of GetColorPreset(n), the preset's name when it succeeded,
  // and its colours, read into a palette and name that held something before.
  static Items Preset(CQuorPrnSettingStore& store, int32_t n) {
    CQuorPrnSettingStore::Palette palette;
    palette.push_back(Entry("stale", 1));
    std::string name = "stale";
    const int32_t r = store.GetColorPreset(n, palette, name);
    Items out{std::to_string(r)};
    if (r == 1) out.push_back(name);
    for (const std::string& c : Colours(palette)) out.push_back(c);
    return out;
  }
};
}  // namespace

TEST_F(Colors, ModeChoosesOwnPalettePresetOrDefaults) {
  EXPECT_EQ(PaletteOfMode("Own", -1), Items({"C001=11", "C005=55"}));
  EXPECT_EQ(PaletteOfMode("Preset", 3), Items({"C001=3", "C010=30"}));
  EXPECT_EQ(PaletteOfMode("Zero", 0), Items({"C001=255", "C002=65280"}));
  EXPECT_EQ(PaletteOfMode("Hundred", 100), Items({"C001=255", "C002=65280"}));
  // A preset that does not exist leaves the palette as it was: empty.
  EXPECT_EQ(PaletteOfMode("Missing", 7), Items());
  EXPECT_TRUE(reports.empty());
}

TEST_F(Colors, PrinterPaletteIsLaidOverTheDefaultsByName) {
  Seed(kSet + "\\P\\Colors", {{"ColorPrint", 1}, {"Mode", -1}, {"C001", 7}, {"C900", 9}});
  CQuorPrnSettingStore store;
  ASSERT_EQ(store.LoadPrinterSet("SYS", "JOB", 3), 141);
  auto p = Printer("P");
  QUOR_PRN_COLOR_INFO_TYPE color;
  color.Palette.push_back(Entry("junk", 1));
  ASSERT_EQ(store.GetPrinter(&p, &color), 1);
  EXPECT_EQ(color.Mode, -1);
  EXPECT_EQ(color.ColorPrint, 1);
  EXPECT_EQ(Colours(color.Palette), Items({"C001=7", "C002=65280"}));

  // A printer the set does not hold gets the plain defaults.
  p.PrinterName = "Other";
  ASSERT_EQ(store.GetPrinter(&p, &color), 1);
  EXPECT_EQ(color.Mode, 0);
  EXPECT_EQ(Colours(color.Palette), Items({"C001=255", "C002=65280"}));
}

TEST_F(Colors, OnlyACustomPaletteIsWrittenWithThePrinter) {
  QUOR_PRN_COLOR_INFO_TYPE color;
  color.ColorPrint = 1;
  color.Mode = 2;
  color.Palette.push_back(Entry("C001", 5));
  CQuorPrnSettingStore store;
  ASSERT_EQ(store.RegCreatePrinter("SYS", "JOB", 3, Printer("P"), &color), 1);
  const std::string colors = kSet + "\\P\\Colors";
  EXPECT_EQ(hive->Dump(colors), Layout({{colors}, Nums(colors, "ColorPrint=1 Mode=2")}));

  color.Mode = -1;
  ASSERT_EQ(store.RegCreatePrinter("SYS", "JOB", 3, Printer("P"), &color), 1);
  EXPECT_EQ(hive->Dump(colors), Layout({{colors}, Nums(colors, "C001=5 ColorPrint=1 Mode=-1")}));
  Fail(RegOp::SetNumber, colors, "C001");
  EXPECT_EQ(store.RegCreatePrinter("SYS", "JOB", 3, Printer("P"), &color), 172);
}

TEST_F(Colors, ColourNamesAndPresetsAreReadUnderTheNamedSystem) {
  CQuorPrnSettingStore store;
  Items values{"x"}, display{"y"};
  EXPECT_EQ(store.GetColorNames(values, display), 112);  // no system and job named yet
  std::string out;
  store.ReadCurrentPrinter("OTHER", "JOB", 3, out);
  const std::string key = "SOFTWARE\\Olvanet\\Sarvo\\OTHER\\JOB\\Print\\Colors";
  EXPECT_EQ(store.GetColorNames(values, display), 180);
  EXPECT_TRUE(values.empty() && display.empty());
  Seed(key, {{"C001Name", "Red"}, {"C003Name", "Blue"}, {"C002", 1}});
  EXPECT_EQ(store.GetColorNames(values, display), 1);
  EXPECT_EQ(values, Items({"C001Name", "C003Name"}));
  EXPECT_EQ(display, Items({"Red", "Blue"}));
  Fail(RegOp::OpenKey, key);
  EXPECT_EQ(store.GetColorNames(values, display), 120);
  EXPECT_EQ(reports.size(), 1u);

  // Presets are read by number and listed up to the first gap.
  Seed(kBase + "\\Print\\Colors\\Preset01", {{"Name", "One"}});
  Seed(kBase + "\\Print\\Colors\\Preset02", {{"Name", "Two"}});
  Seed(kBase + "\\Print\\Colors\\Preset05", {{"Name", "Five"}});
  store.ReadCurrentPrinter("SYS", "JOB", 3, out);  // any operation that names the system and job
  Items names{"stale"};
  EXPECT_EQ(store.GetColorPresetNames(names), 1);
  EXPECT_EQ(names, Items({"One", "Two", "Model 3"}));

  EXPECT_EQ(Preset(store, 3), Items({"1", "Model 3", "C001=3", "C010=30"}));
  EXPECT_EQ(Preset(store, 0), Items({"1", "", "C001=255", "C002=65280"}));
  EXPECT_EQ(Preset(store, 100), Items({"110"}));  // the palette emptied
  EXPECT_EQ(Preset(store, -1)[0], "110");
  EXPECT_EQ(Preset(store, 4)[0], "180");

  Fail(RegOp::OpenKey, kBase + "\\Print\\Colors\\Preset02");
  EXPECT_EQ(store.GetColorPresetNames(names), 120);
  Fail(RegOp::OpenKey, kBase + "\\Print\\Colors\\Preset03");
  EXPECT_EQ(Preset(store, 3)[0], "120");
  EXPECT_EQ(reports.size(), 3u);
}

// The numbered ranges are probed by loops and compared against bounds: an
// off-by-one at either end would silently drop the first or last item.
TEST_F(Colors, NumberedRangesAreReadAtBothEnds) {
  Seed(kBase + "\\Print\\Colors\\Preset01", {{"Name", "First"}, {"C001", 1}});
  Seed(kBase + "\\Print\\Colors\\Preset99", {{"Name", "Last"}, {"C999", 99}});
  EXPECT_EQ(PaletteOfMode("One", 1), Items({"C001=1"}));
  EXPECT_EQ(PaletteOfMode("NinetyNine", 99), Items({"C999=99"}));

  // Colours C001 and C999 of a printer's own palette, and their names.
  Seed(kSet + "\\Edge\\Colors", {{"ColorPrint", 1}, {"Mode", -1}, {"C001", 5}, {"C999", 9}, {"C1000", 7}});
  CQuorPrnSettingStore store;
  auto p = Printer("Edge");
  QUOR_PRN_COLOR_INFO_TYPE color;
  ASSERT_EQ(store.ReadPrinter("SYS", "JOB", 3, &p, &color), 1);
  EXPECT_EQ(Colours(color.Palette), Items({"C001=5", "C999=9"}));
  Seed(kBase + "\\Print\\Colors", {{"C001Name", "a"}, {"C999Name", "z"}});
  Items values, display;
  ASSERT_EQ(store.GetColorNames(values, display), 1);
  EXPECT_EQ(values, Items({"C001Name", "C999Name"}));

  // A full list of presets runs to 99; the 99th is read by number too.
  for (int n = 2; n <= 98; ++n) {
    char key[16];
    std::snprintf(key, sizeof key, "Preset%02d", n);
    Seed(kBase + "\\Print\\Colors\\" + key, {{"Name", std::string(key)}});
  }
  Items names;
  ASSERT_EQ(store.GetColorPresetNames(names), 1);
  ASSERT_EQ(names.size(), 99u);
  EXPECT_EQ(names.front(), "First");
  EXPECT_EQ(names.back(), "Last");
  EXPECT_EQ(Preset(store, 99), Items({"1", "Last", "C999=99"}));
}
