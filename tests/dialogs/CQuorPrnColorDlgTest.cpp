// The colour dialogs driven like a user over an in-memory hive: the three
// modes and the custom palette that survives them, F9 with either answer,
// stored settings that no longer fit the presets or the colour names, and
// what reaches the store's in-memory set on confirm and cancel.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dialogs/CQuorPrnColorDlg.h"
#include "dialogs/CQuorPrnColorDlg2.h"
#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/CYbColorBox.h"
#include "platform/ui/CYbComboBox.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiMessageBox.h"
#include "platform/ui/UiText.h"
#include "tests/support/DialogDriver.h"

namespace {

using mbcs::Cp932;
using uitest::DialogDriver;
using Items = std::vector<std::string>;
using D1 = CQuorPrnColorDlg;
using D2 = CQuorPrnColorDlg2;
using testsupport::Seed;

const std::string kColors = testsupport::kPrintKey + "\\Colors";
const std::string kPrinterColors = testsupport::kPrintKey + "\\PrinterSet00\\Printer A\\Colors";
const Items kDefaults = {"C001=0", "C002=255", "C003=16711680"};

Items Colours(const CQuorPrnColorDlgBase::Palette& palette) {
  Items out;
  for (const auto& e : palette) out.push_back(e->Name + "=" + std::to_string(e->Color));
  return out;
}
std::string Entry(const char* name, int32_t colour) { return std::string(name) + "=" + std::to_string(colour); }

class ColorDlg : public uitest::DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    // Three colour items, the default palette and two models.
    Seed(kColors, {{"C001Name", Cp932("黒")}, {"C002Name", Cp932("赤")}, {"C003Name", Cp932("青")}});
    Seed(kColors + "\\Default", {{"C001", 0x000000}, {"C002", 0x0000FF}, {"C003", 0xFF0000}});
    Seed(kColors + "\\Preset01", {{"Name", "Model A"}, {"C001", 1}, {"C002", 2}, {"C003", 3}});
    Seed(kColors + "\\Preset02", {{"Name", Cp932("機種 B")}, {"C001", 4}, {"C002", 5}, {"C003", 6}});
  }
  // Printer A in colour with `mode` and its own colours, then the set opened
  // as the printer dialog opens it.
  void StorePrinter(int32_t mode, std::initializer_list<std::pair<const char*, testsupport::RegValue>> colours = {}) {
    Seed(kPrinterColors, {{"ColorPrint", 1}, {"Mode", mode}});
    Seed(kPrinterColors, colours);
    ASSERT_EQ(store.LoadPrinterSet("SYS", "JOB", 0), 141);
  }
  // The mode and palette the store's in-memory set holds for Printer A.
  std::pair<int32_t, Items> Held() {
    QUOR_PRN_PRINTER_INFO_TYPE p;
    p.PrinterName = "Printer A";
    QUOR_PRN_COLOR_INFO_TYPE c;
    EXPECT_EQ(store.GetPrinter(&p, &c), 1);
    EXPECT_EQ(c.ColorPrint, 1);
    return {c.Mode, Colours(c.Palette)};
  }
  // The user picks the entry after the selected one.
  static void PickNext(DialogDriver& drive, CQuorPrnColorDlgBase& dlg, int id) {
    EXPECT_TRUE(drive.PickComboEntry(id, dlg.Item<CYbComboBox>(id)->GetCurSel() + 1)) << id;
  }

  CQuorPrnSettingStore store;
};

TEST_F(ColorDlg, ThreeModesKeepTheCustomPaletteAsEditedAndConfirmStoresTheShownOne) {
  StorePrinter(-1, {{"C001", 0x102030}, {"C002", 0x405060}, {"C003", 0x708090}});
  D1 dlg(&store, "Printer A");
  Items edited;
  EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drive) {
    EXPECT_EQ(dlg.GetCheckedRadioButton(D1::IDC_COLOR_MODESEL_AUTO, D1::IDC_COLOR_MODESEL_CUSTOM),
              D1::IDC_COLOR_MODESEL_CUSTOM);
    EXPECT_TRUE(dlg.GetDlgItem(D1::IDC_COLOR_SLIDER_R)->isEnabled());
    EXPECT_FALSE(dlg.GetDlgItem(D1::IDC_COLOR_PRINTERDEF_SEL)->isEnabled());
    EXPECT_EQ(drive.Text(D1::IDC_COLOR_VALUE_R), " 48");  // 0x30 of 0x102030
    EXPECT_EQ(dlg.Item<CYbColorBox>(D1::IDC_COLOR_PREVIEW)->GetColor(), 0x102030u);
    // The user gives the second item more red.
    PickNext(drive, dlg, D1::IDC_COLOR_PALETTE_SEL);
    EXPECT_TRUE(drive.MoveSlider(D1::IDC_COLOR_SLIDER_R, 0x70));
    edited = Colours(dlg.ShownPalette());
    EXPECT_EQ(edited, Items({Entry("C001", 0x102030), Entry("C002", 0x405070), Entry("C003", 0x708090)}));

    EXPECT_TRUE(drive.ClickButton(D1::IDC_COLOR_MODESEL_AUTO));
    EXPECT_EQ(dlg.ShownMode(), 0);
    EXPECT_EQ(Colours(dlg.ShownPalette()), kDefaults);
    EXPECT_FALSE(dlg.GetDlgItem(D1::IDC_COLOR_SLIDER_R)->isEnabled());
    EXPECT_EQ(drive.Text(D1::IDC_COLOR_VALUE_R), "255");  // the second item stays chosen

    EXPECT_TRUE(drive.ClickButton(D1::IDC_COLOR_MODESEL_PRNDEF));
    EXPECT_EQ(dlg.ShownMode(), 1);
    PickNext(drive, dlg, D1::IDC_COLOR_PRINTERDEF_SEL);
    EXPECT_EQ(dlg.ShownMode(), 2);
    EXPECT_EQ(Colours(dlg.ShownPalette()), Items({"C001=4", "C002=5", "C003=6"}));
    EXPECT_EQ(drive.Text(D1::IDC_COLOR_PRINTERDEF_SEL), Cp932("機種 B"));
    EXPECT_EQ(dlg.Item<CYbComboBox>(D1::IDC_COLOR_PRINTERDEF_SEL)->currentText(), UiText::Literal("機種 B"));

    EXPECT_TRUE(drive.ClickButton(D1::IDC_COLOR_MODESEL_CUSTOM));
    EXPECT_EQ(dlg.ShownMode(), -1);
    EXPECT_EQ(Colours(dlg.ShownPalette()), edited);
    drive.ClickBarButton(kVkReturn);
  }), 1);
  EXPECT_EQ(Held(), (std::pair<int32_t, Items>{-1, edited}));
  EXPECT_TRUE(dlg.ShownPalette().empty() && dlg.CustomPalette().empty());
}

TEST_F(ColorDlg, ConfirmInAModelStoresItsNumberAndCancelLeavesTheSetAlone) {
  StorePrinter(0);
  {
    D1 dlg(&store, "Printer A");
    EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drive) {
      EXPECT_TRUE(dlg.IsDlgButtonChecked(D1::IDC_COLOR_MODESEL_AUTO));
      EXPECT_TRUE(drive.ClickButton(D1::IDC_COLOR_MODESEL_CUSTOM));
      EXPECT_TRUE(drive.MoveSlider(D1::IDC_COLOR_SLIDER_B, 3));
      drive.PressFunctionKey(kVkEscape);
    }), 2);
  }
  EXPECT_EQ(Held(), (std::pair<int32_t, Items>{0, kDefaults}));
  D1 dlg(&store, "Printer A");
  EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drive) {
    EXPECT_TRUE(drive.ClickButton(D1::IDC_COLOR_MODESEL_PRNDEF));
    drive.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(Held(), (std::pair<int32_t, Items>{1, {"C001=1", "C002=2", "C003=3"}}));
}

TEST_F(ColorDlg, F9AsksAndOnlyOkReturnsToTheDefaultColours) {
  StorePrinter(-1, {{"C001", 7}, {"C002", 8}, {"C003", 9}});
  D1 dlg(&store, "Printer A");
  EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drive) {
    drive.AnswerNextMessageBox(kIdCancel);
    drive.PressFunctionKey(kVkF9);
    EXPECT_EQ(drive.LastMessageBox().text, Cp932("設定を初期状態に復帰してよろしいですか？"));
    EXPECT_EQ(drive.LastMessageBox().icon, kMbIconQuestion);
    EXPECT_EQ(dlg.ShownMode(), -1);
    EXPECT_EQ(Colours(dlg.ShownPalette()), Items({"C001=7", "C002=8", "C003=9"}));

    drive.AnswerNextMessageBox(kIdOk);
    EXPECT_TRUE(drive.ClickBarButton(kVkF9));
    EXPECT_TRUE(dlg.IsDlgButtonChecked(D1::IDC_COLOR_MODESEL_AUTO));
    EXPECT_EQ(Colours(dlg.CustomPalette()), kDefaults);
    EXPECT_TRUE(drive.ClickButton(D1::IDC_COLOR_MODESEL_CUSTOM));
    EXPECT_EQ(Colours(dlg.ShownPalette()), kDefaults);
    drive.PressFunctionKey(kVkEscape);
  }), 2);
  EXPECT_EQ(Held().second, Items({"C001=7", "C002=8", "C003=9"}));
}

TEST_F(ColorDlg, AStoredModelAboveThePresetsOpensAutomatic) {
  StorePrinter(3);
  {
    D1 dlg(&store, "Printer A");
    EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drive) {
      EXPECT_TRUE(dlg.IsDlgButtonChecked(D1::IDC_COLOR_MODESEL_AUTO));
      EXPECT_EQ(dlg.ShownMode(), 0);
      EXPECT_EQ(drive.Text(D1::IDC_COLOR_PRINTERDEF_SEL), "Model A");  // the first model is offered
      drive.PressFunctionKey(kVkReturn);
    }), 1);
  }
  EXPECT_EQ(Held().first, 0);

  // Without presets the two-mode dialog shows a stored model as automatic too.
  auto reg = MeraNewRegKey();
  ASSERT_TRUE(reg->DeleteKey(HKEY_LOCAL_MACHINE, kColors + "\\Preset02", 0));
  ASSERT_TRUE(reg->DeleteKey(HKEY_LOCAL_MACHINE, kColors + "\\Preset01", 0));
  ASSERT_EQ(store.ClosePrinterSet(), 1);
  StorePrinter(2);
  D2 two(&store, "Printer A");
  EXPECT_EQ(uitest::RunModal(two, [&](DialogDriver& drive) {
    EXPECT_TRUE(two.IsDlgButtonChecked(D2::IDC_COLOR_MODESEL_AUTO));
    EXPECT_EQ(two.ShownMode(), 0);
    EXPECT_TRUE(drive.ClickButton(D2::IDC_COLOR_MODESEL_CUSTOM));
    EXPECT_TRUE(two.GetDlgItem(D2::IDC_COLOR_SLIDER_G)->isEnabled());
    drive.PressFunctionKey(kVkEscape);
  }), 2);
}

TEST_F(ColorDlg, SettingSlidersForAChosenItemWritesNoHalfUpdatedColour) {
  StorePrinter(-1, {{"C001", 0x0A0B0C}, {"C002", 0x405060}, {"C003", 0x708090}});
  D1 dlg(&store, "Printer A");
  EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drive) {
    const Items before = Colours(dlg.ShownPalette());
    // Each pick sets all three sliders for the item; none of that is a move.
    EXPECT_TRUE(drive.PickComboEntry(D1::IDC_COLOR_PALETTE_SEL, 2));
    EXPECT_TRUE(drive.PickComboEntry(D1::IDC_COLOR_PALETTE_SEL, 1));
    EXPECT_EQ(Colours(dlg.ShownPalette()), before);
    EXPECT_EQ(drive.Text(D1::IDC_COLOR_VALUE_G), " 80");  // 0x50
    // A move by the user writes the item with all three channels.
    EXPECT_TRUE(drive.MoveSlider(D1::IDC_COLOR_SLIDER_G, 0x52));
    EXPECT_EQ(Colours(dlg.ShownPalette()), Items({before[0], Entry("C002", 0x405260), before[2]}));
    EXPECT_EQ(dlg.Item<CYbColorBox>(D1::IDC_COLOR_PREVIEW)->GetColor(), 0x405260u);
    drive.PressFunctionKey(kVkEscape);
  }), 2);
}

TEST_F(ColorDlg, ModelsWithFewerColoursThanItemsNeitherCrashNorLockTheItemList) {
  Seed(kColors + "\\Preset03", {{"Name", "Short"}, {"C001", 9}});
  Seed(kColors + "\\Preset04", {{"Name", "Empty"}});
  StorePrinter(0);
  D1 dlg(&store, "Printer A");
  EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drive) {
    auto* items = dlg.Item<CYbComboBox>(D1::IDC_COLOR_PALETTE_SEL);
    EXPECT_TRUE(drive.PickComboEntry(D1::IDC_COLOR_PALETTE_SEL, 1));
    EXPECT_TRUE(drive.ClickButton(D1::IDC_COLOR_MODESEL_PRNDEF));
    EXPECT_TRUE(drive.PickComboEntry(D1::IDC_COLOR_PRINTERDEF_SEL, 2));
    EXPECT_EQ(dlg.ShownMode(), 3);
    EXPECT_EQ(items->GetCurSel(), 0);  // item 2 has no colour in this model
    EXPECT_EQ(dlg.CurrentColor(), 9u);
    EXPECT_TRUE(drive.PickComboEntry(D1::IDC_COLOR_PALETTE_SEL, 2));
    EXPECT_EQ(dlg.CurrentColor(), 0u);

    EXPECT_TRUE(drive.PickComboEntry(D1::IDC_COLOR_PRINTERDEF_SEL, 3));
    EXPECT_EQ(dlg.ShownMode(), 4);
    EXPECT_FALSE(items->isEnabled());
    EXPECT_TRUE(drive.ClickButton(D1::IDC_COLOR_MODESEL_AUTO));
    EXPECT_TRUE(items->isEnabled());
    EXPECT_EQ(drive.Text(D1::IDC_COLOR_PALETTE_SEL), Cp932("黒"));
    drive.PressFunctionKey(kVkEscape);
  }), 2);
}

TEST_F(ColorDlg, UnreadablePrinterAndMismatchedColourNamesEndBeforeShowing) {
  // No set open: the store cannot give the printer.
  D1 closed(&store, "Printer A");
  DialogDriver first(closed);
  first.AnswerNextMessageBox(kIdOk);
  EXPECT_EQ(first.RunModal([] {}), QUOR_PRN_ERR_STATE);
  EXPECT_EQ(first.LastMessageBox().text, Cp932("レジストリアクセスに失敗しました。"));

  // A fourth colour name that no palette entry answers.
  Seed(kColors, {{"C004Name", Cp932("緑")}});
  StorePrinter(0);
  D2 dlg(&store, "Printer A");
  DialogDriver drive(dlg);
  drive.AnswerNextMessageBox(kIdOk);
  EXPECT_EQ(drive.RunModal([] {}), QUOR_PRN_NO_COLOR_KEY);
  EXPECT_EQ(drive.LastMessageBox().text, Cp932("システムデフォルトのレジストリ定義が不正です。"));
  EXPECT_EQ(Held().first, 0);
}

TEST_F(ColorDlg, GalleryPicturesOfBothDialogsInJapaneseAndEnglish) {
  StorePrinter(-1, {{"C001", 0x2040C0}, {"C002", 0x405060}, {"C003", 0x708090}});
  for (const std::string language : {"ja", "en"}) {
    testsupport::ScopedEnv lang("LANG", testsupport::LangOf(language));
    D1 one(&store, "Printer A");
    D2 two(&store, "Printer A");
    for (CQuorPrnColorDlgBase* dlg : {static_cast<CQuorPrnColorDlgBase*>(&one), static_cast<CQuorPrnColorDlgBase*>(&two)}) {
      EXPECT_EQ(uitest::RunModal(*dlg, [&](DialogDriver& drive) {
        EXPECT_EQ(dlg->GetWindowText(), language == "ja" ? Cp932("色設定") : "Colour settings");
        EXPECT_NE(drive.SavePng(language), "");
        drive.PressFunctionKey(kVkEscape);
      }), 2);
    }
  }
}

}  // namespace
