// What only the printer dialog with colour does: the monochrome and colour
// choice with and without a stored default palette, the colour-mode texts,
// and the caller's colour record on confirm.
#include "dialogs/CQuorPrnColorDlg2.h"
#include "platform/ui/CYbFuncBar.h"
#include "platform/ui/UiKeys.h"
#include "tests/dialogs/PrinterDlgTestSupport.h"

namespace {

using namespace printerdlgtest;
using mbcs::Cp932;
using uitest::DialogDriver;
using D = CQuorPrnPrinterDlgEx;
using PrinterDlgEx = PrinterDialogs<CQuorPrnPrinterDlgEx>;

TEST_F(PrinterDlgEx, WithoutADefaultPaletteOnlyTheRadioButtonsAreOffered) {
  Store("Printer A", 0, 1000, 1000, 1);
  MakeCurrent("Printer A");
  colour.Palette.push_back(std::make_unique<MERA_PRN_COLOR_PALETTE_TYPE>());
  EXPECT_EQ(Run([](Opened<D>& dlg, DialogDriver& d) {
    EXPECT_FALSE(dlg.ColourAvailable());
    EXPECT_FALSE(dlg.FuncBar()->HasKey(kVkF9));
    EXPECT_EQ(dlg.GetDlgItem(D::kColourButton), nullptr);
    EXPECT_FALSE(dlg.GetDlgItem(D::kColourDisplay)->isVisible());
    EXPECT_EQ(dlg.IsDlgButtonChecked(D::kMonochrome), 1);
    ASSERT_TRUE(d.ClickButton(D::kColour));
    EXPECT_EQ(dlg.IsDlgButtonChecked(D::kMonochrome), 0);
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(StoredNumber(kSet + "\\Printer A\\Colors", "ColorPrint"), 1);
  // The caller's record holds the confirmed printer's colours.
  EXPECT_EQ(colour.ColorPrint, 1);
  EXPECT_TRUE(colour.Palette.empty());
}

TEST_F(PrinterDlgEx, WithADefaultPaletteTheColourControlsFollowTheRadioButtons) {
  StoreDefaultPalette();
  Store("Printer A", 0, 1000, 1000, 1, /*colourPrint=*/1, /*mode=*/2);
  MakeCurrent("Printer A");
  EXPECT_EQ(Run([](Opened<D>& dlg, DialogDriver& d) {
    EXPECT_TRUE(dlg.ColourAvailable());
    EXPECT_EQ(dlg.IsDlgButtonChecked(D::kColour), 1);
    QWidget* button = dlg.GetDlgItem(D::kColourButton);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(d.Text(D::kColourButton), Cp932("色設定"));
    EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(dlg.FuncBar()->IsKeyEnabled(kVkF9));
    EXPECT_TRUE(dlg.GetDlgItem(D::kColourDisplay)->isEnabled());
    ASSERT_TRUE(d.ClickButton(D::kMonochrome));
    EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(dlg.FuncBar()->IsKeyEnabled(kVkF9));
    EXPECT_FALSE(dlg.GetDlgItem(D::kColourDisplay)->isEnabled());
    ASSERT_TRUE(d.ClickButton(D::kColour));
    EXPECT_TRUE(button->isEnabled());
    ASSERT_TRUE(d.ClickButton(D::kMonochrome));
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(StoredNumber(kSet + "\\Printer A\\Colors", "ColorPrint"), 0);
  // The model chosen before stays.
  EXPECT_EQ(StoredNumber(kSet + "\\Printer A\\Colors", "Mode"), 2);
  EXPECT_EQ(colour.ColorPrint, 0);
  EXPECT_EQ(colour.Mode, 2);
  // Opened on a monochrome printer, the colour controls start disabled.
  EXPECT_EQ(Run([](Opened<D>& dlg, DialogDriver& d) {
    EXPECT_EQ(dlg.IsDlgButtonChecked(D::kMonochrome), 1);
    EXPECT_FALSE(dlg.GetDlgItem(D::kColourButton)->isEnabled());
    EXPECT_FALSE(dlg.FuncBar()->IsKeyEnabled(kVkF9));
    d.PressFunctionKey(kVkEscape);
  }), 2);
}

TEST_F(PrinterDlgEx, TheColourDialogStartsFromTheShownValuesAndItsChoiceIsSavedOnConfirm) {
  StoreDefaultPalette();
  Store("Printer A", 0, 1000, 1000, 1, /*colourPrint=*/1, /*mode=*/0);
  MakeCurrent("Printer A");
  EXPECT_EQ(Run([](Opened<D>& dlg, DialogDriver& d) {
    d.TypeInto(D::kOffsetX, "3");
    uitest::WhenOpened<CQuorPrnColorDlg2>(&dlg, [](CQuorPrnColorDlg2&, DialogDriver& c) {
      // What the printer dialog showed is in the registry before the colour
      // dialog starts from it.
      EXPECT_EQ(StoredNumber(kSet + "\\Printer A", "OffsetX"), 30);
      EXPECT_TRUE(c.ClickButton(CQuorPrnColorDlg2::IDC_COLOR_MODESEL_CUSTOM));
      c.PressFunctionKey(kVkReturn);
    });
    d.PressFunctionKey(kVkF9);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(d.Text(D::kColourDisplay), Cp932("カスタムモード"));
    EXPECT_EQ(d.Text(D::kOffsetX), "3.0");
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(StoredNumber(kSet + "\\Printer A\\Colors", "Mode"), -1);
  EXPECT_EQ(colour.Mode, -1);
  EXPECT_EQ(colour.Palette.size(), 2u);
}

TEST_F(PrinterDlgEx, TheModeDisplayNamesTheStoredColourMode) {
  StoreDefaultPalette();
  struct Case {
    int32_t mode;
    const char* japanese;
    const char* english;
  };
  const Case cases[] = {{0, "自動モード", "Automatic"},
                        {7, "選択モード", "Printer model"},
                        {-1, "カスタムモード", "Custom"},
                        {-5, "カスタムモード", "Custom"},
                        {100, "自動モード", "Automatic"}};
  for (const Case& c : cases) {
    Store("Printer A", 0, 1000, 1000, 1, 1, c.mode);
    MakeCurrent("Printer A");
    for (const std::string language : {"ja", "en"}) {
      testsupport::ScopedEnv lang("LANG", testsupport::LangOf(language));
      const std::string want = language == "ja" ? Cp932(c.japanese) : std::string(c.english);
      EXPECT_EQ(Run([&](Opened<D>&, DialogDriver& d) {
        EXPECT_EQ(d.Text(D::kColourDisplay), want) << "mode " << c.mode << " " << language;
        d.PressFunctionKey(kVkEscape);
      }), 2);
    }
  }
}

}  // namespace
