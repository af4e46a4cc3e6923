// The colour dialogs driven like a user over an in-memory hive: the three
// modes and the custom palette that survives them, F9 with either answer,
// stored settings that no longer fit the presets or the colour names, and
// what reaches the store's in-memory set on confirm and cancel.
#include <gtest/gtest.h>

#include <QAbstractSlider>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/CQuorPrnColorDlg.h"
#include "dialogs/CQuorPrnColorDlg2.h"
#include "platform/mbcs/Cp932Converter.h"
#include "platform/registry/MemoryHive.h"
#include "platform/registry/MeraRegKey.h"
#include "platform/registry/Registry.h"
#include "platform/ui/CYbButton.h"
#include "platform/ui/CYbColorBox.h"
#include "platform/ui/CYbComboBox.h"
#include "platform/ui/CYbFuncBar.h"
#include "platform/ui/CYbSliderCtrl.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiText.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

using mbcs::Cp932;
using Items = std::vector<std::string>;
using D1 = CQuorPrnColorDlg;
using D2 = CQuorPrnColorDlg2;

const std::string kColors = "SOFTWARE\\Olvanet\\Sarvo\\SYS\\JOB\\Print\\Colors";
const std::string kPrinter = "SOFTWARE\\Olvanet\\Sarvo\\SYS\\JOB\\Print\\PrinterSet00\\P\\Colors";
constexpr int kWatchdog = -99;

Items Colours(const CQuorPrnColorDlgBase::Palette& palette) {
  Items out;
  for (const auto& e : palette) out.push_back(e->Name + "=" + std::to_string(e->Color));
  return out;
}

class ColorDlg : public ::testing::Test {
 protected:
  void SetUp() override {
    hive = std::make_shared<registry::MemoryHive>();
    registry::Registry::UseHive(hive);
    Seed(kColors, {{"C001Name", Cp932("黒")}, {"C002Name", Cp932("赤")}, {"C003Name", Cp932("青")}});
    Seed(kColors + "\\Default", {}, {{"C001", 0x000000}, {"C002", 0x0000FF}, {"C003", 0xFF0000}});
    Seed(kColors + "\\Preset01", {{"Name", "Model A"}}, {{"C001", 1}, {"C002", 2}, {"C003", 3}});
    Seed(kColors + "\\Preset02", {{"Name", Cp932("機種 B")}}, {{"C001", 4}, {"C002", 5}, {"C003", 6}});
    const char* lang = std::getenv("LANG");
    savedLang = lang ? lang : "";
  }
  void TearDown() override {
    setenv("LANG", savedLang.c_str(), 1);
    registry::Registry::Reset();
  }
  void Seed(const std::string& key, std::initializer_list<std::pair<const char*, std::string>> texts,
            std::initializer_list<std::pair<const char*, int32_t>> numbers = {}) {
    auto reg = MeraNewRegKey();
    ASSERT_TRUE(reg->CreateKey(HKEY_LOCAL_MACHINE, key)) << key;
    for (const auto& [name, text] : texts) ASSERT_TRUE(reg->SetText(name, text));
    for (const auto& [name, n] : numbers) ASSERT_TRUE(reg->SetNumber(name, n));
  }
  void StorePrinter(int32_t mode, std::initializer_list<std::pair<const char*, int32_t>> colours = {}) {
    Seed(kPrinter, {}, {{"ColorPrint", 1}, {"Mode", mode}});
    Seed(kPrinter, {}, colours);
  }
  void Load() { ASSERT_EQ(store.LoadPrinterSet("SYS", "JOB", 0), 141); }
  // What the store's in-memory set now holds for the printer.
  std::pair<int32_t, Items> Held() {
    QUOR_PRN_PRINTER_INFO_TYPE p;
    p.PrinterName = "P";
    QUOR_PRN_COLOR_INFO_TYPE c;
    EXPECT_EQ(store.GetPrinter(&p, &c), 1);
    EXPECT_EQ(c.ColorPrint, 1);
    return {c.Mode, Colours(c.Palette)};
  }

  // Runs the dialog; `act` runs once it is active, and a watchdog ends it.
  static int Run(CQuorPrnColorDlgBase& dlg, const std::function<void()>& act) {
    QTimer::singleShot(0, &dlg, [&dlg, act] {
      if (QTest::qWaitForWindowActive(&dlg)) act();
    });
    QTimer::singleShot(5000, &dlg, [&dlg] { dlg.EndDialog(kWatchdog); });
    return dlg.DoModal();
  }
  // Answers the next message box above `below` with `button` and keeps its text.
  void AnswerNextBox(QWidget* below, QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [this, below, button] {
      auto* box = qobject_cast<QMessageBox*>(WaitForBox(below));
      if (box == nullptr) return;
      boxTexts.push_back(UiText::FromQt(box->text()));
      box->button(button)->click();
    });
  }
  static QWidget* WaitForBox(QWidget* below) {
    for (int i = 0; i < 200; ++i) {
      QWidget* top = QApplication::activeModalWidget();
      if (top != nullptr && top != below && qobject_cast<QMessageBox*>(top)) return top;
      QTest::qWait(10);
    }
    return nullptr;
  }

  // The user's own actions.
  static void Click(CQuorPrnColorDlgBase& d, int id) { d.Item<CYbButton>(id)->Button()->click(); }
  static void ChooseNext(CQuorPrnColorDlgBase& d, int listId) {
    QTest::keyClick(d.Item<CYbComboBox>(listId), Qt::Key_Down);
  }
  static void Nudge(CQuorPrnColorDlgBase& d, int sliderId, Qt::Key key = Qt::Key_PageUp) {
    QTest::keyClick(d.Item<CYbSliderCtrl>(sliderId), key);
  }
  static std::string Text(CQuorPrnColorDlgBase& d, int id) { return d.GetDlgItemText(id); }

  std::shared_ptr<registry::MemoryHive> hive;
  CQuorPrnSettingStore store;
  std::vector<std::string> boxTexts;
  std::string savedLang;
};

TEST_F(ColorDlg, ThreeModesKeepTheCustomPaletteAsEditedAndConfirmStoresTheShownOne) {
  StorePrinter(-1, {{"C001", 0x102030}, {"C002", 0x405060}, {"C003", 0x708090}});
  Load();
  D1 dlg(&store, "P");
  Items edited;
  EXPECT_EQ(Run(dlg,
                [&] {
                  EXPECT_TRUE(dlg.IsDlgButtonChecked(D1::IDC_COLOR_MODESEL_CUSTOM));
                  EXPECT_TRUE(dlg.GetDlgItem(D1::IDC_COLOR_SLIDER_R)->isEnabled());
                  EXPECT_FALSE(dlg.GetDlgItem(D1::IDC_COLOR_PRINTERDEF_SEL)->isEnabled());
                  EXPECT_EQ(Text(dlg, D1::IDC_COLOR_VALUE_R), " 48");  // 0x30 of 0x102030
                  EXPECT_EQ(dlg.Item<CYbColorBox>(D1::IDC_COLOR_PREVIEW)->GetColor(), 0x102030u);
                  // Edit item 2: its red goes up by a page.
                  ChooseNext(dlg, D1::IDC_COLOR_PALETTE_SEL);
                  Nudge(dlg, D1::IDC_COLOR_SLIDER_R);
                  edited = Colours(dlg.ShownPalette());
                  EXPECT_NE(edited[1], "C002=" + std::to_string(0x405060));
                  EXPECT_EQ(edited[0], "C001=" + std::to_string(0x102030));

                  Click(dlg, D1::IDC_COLOR_MODESEL_AUTO);
                  EXPECT_EQ(dlg.ShownMode(), 0);
                  EXPECT_EQ(Colours(dlg.ShownPalette()), Items({"C001=0", "C002=255", "C003=16711680"}));
                  EXPECT_FALSE(dlg.GetDlgItem(D1::IDC_COLOR_SLIDER_R)->isEnabled());
                  // The second item stays selected and shows the default red.
                  EXPECT_EQ(Text(dlg, D1::IDC_COLOR_VALUE_R), "255");

                  Click(dlg, D1::IDC_COLOR_MODESEL_PRNDEF);
                  EXPECT_EQ(dlg.ShownMode(), 1);
                  EXPECT_TRUE(dlg.GetDlgItem(D1::IDC_COLOR_PRINTERDEF_SEL)->isEnabled());
                  ChooseNext(dlg, D1::IDC_COLOR_PRINTERDEF_SEL);
                  EXPECT_EQ(dlg.ShownMode(), 2);
                  EXPECT_EQ(Colours(dlg.ShownPalette()), Items({"C001=4", "C002=5", "C003=6"}));
                  EXPECT_EQ(dlg.Item<CYbComboBox>(D1::IDC_COLOR_PRINTERDEF_SEL)->currentText(),
                            UiText::Literal("機種 B"));

                  Click(dlg, D1::IDC_COLOR_MODESEL_CUSTOM);
                  EXPECT_EQ(dlg.ShownMode(), -1);
                  EXPECT_EQ(Colours(dlg.ShownPalette()), edited);
                  dlg.RunFunctionKey(kVkReturn);
                }),
            1);
  EXPECT_EQ(Held(), (std::pair<int32_t, Items>{-1, edited}));
  EXPECT_TRUE(dlg.ShownPalette().empty() && dlg.CustomPalette().empty());
}

TEST_F(ColorDlg, ConfirmInAModelStoresItsNumberAndCancelLeavesTheSetAlone) {
  StorePrinter(0);
  Load();
  {
    D1 dlg(&store, "P");
    EXPECT_EQ(Run(dlg,
                  [&] {
                    EXPECT_TRUE(dlg.IsDlgButtonChecked(D1::IDC_COLOR_MODESEL_AUTO));
                    Click(dlg, D1::IDC_COLOR_MODESEL_CUSTOM);
                    Nudge(dlg, D1::IDC_COLOR_SLIDER_B);
                    dlg.RunFunctionKey(kVkEscape);
                  }),
              2);
  }
  EXPECT_EQ(Held(), (std::pair<int32_t, Items>{0, {"C001=0", "C002=255", "C003=16711680"}}));
  D1 dlg(&store, "P");
  EXPECT_EQ(Run(dlg,
                [&] {
                  Click(dlg, D1::IDC_COLOR_MODESEL_PRNDEF);
                  dlg.RunFunctionKey(kVkReturn);
                }),
            1);
  EXPECT_EQ(Held().first, 1);
}

TEST_F(ColorDlg, F9AsksAndOnlyOkReturnsToTheDefaultColours) {
  StorePrinter(-1, {{"C001", 7}, {"C002", 8}, {"C003", 9}});
  Load();
  D1 dlg(&store, "P");
  EXPECT_EQ(Run(dlg,
                [&] {
                  AnswerNextBox(&dlg, QMessageBox::Cancel);
                  dlg.RunFunctionKey(kVkF9);
                  EXPECT_EQ(dlg.ShownMode(), -1);
                  EXPECT_EQ(Colours(dlg.ShownPalette()), Items({"C001=7", "C002=8", "C003=9"}));

                  AnswerNextBox(&dlg, QMessageBox::Ok);
                  dlg.RunFunctionKey(kVkF9);
                  EXPECT_TRUE(dlg.IsDlgButtonChecked(D1::IDC_COLOR_MODESEL_AUTO));
                  EXPECT_EQ(Colours(dlg.CustomPalette()), Items({"C001=0", "C002=255", "C003=16711680"}));
                  Click(dlg, D1::IDC_COLOR_MODESEL_CUSTOM);
                  EXPECT_EQ(Colours(dlg.ShownPalette()), Items({"C001=0", "C002=255", "C003=16711680"}));
                  dlg.RunFunctionKey(kVkEscape);
                }),
            2);
  ASSERT_EQ(boxTexts.size(), 2u);
  EXPECT_EQ(boxTexts[0], Cp932("設定を初期状態に復帰してよろしいですか？"));
  EXPECT_EQ(Held().second, Items({"C001=7", "C002=8", "C003=9"}));
}

TEST_F(ColorDlg, AStoredModelAboveThePresetsOpensAutomatic) {
  StorePrinter(3);
  Load();
  D1 dlg(&store, "P");
  EXPECT_EQ(Run(dlg,
                [&] {
                  EXPECT_TRUE(dlg.IsDlgButtonChecked(D1::IDC_COLOR_MODESEL_AUTO));
                  EXPECT_EQ(dlg.ShownMode(), 0);
                  // The model list still offers the first model.
                  EXPECT_EQ(dlg.Item<CYbComboBox>(D1::IDC_COLOR_PRINTERDEF_SEL)->GetCurSel(), 0);
                  dlg.RunFunctionKey(kVkReturn);
                }),
            1);
  EXPECT_EQ(Held().first, 0);

  // Without presets the two-mode dialog shows a stored model as automatic too.
  auto reg = MeraNewRegKey();
  ASSERT_TRUE(reg->DeleteKey(HKEY_LOCAL_MACHINE, kColors + "\\Preset02", 0));
  ASSERT_TRUE(reg->DeleteKey(HKEY_LOCAL_MACHINE, kColors + "\\Preset01", 0));
  StorePrinter(2);
  CQuorPrnSettingStore fresh;
  ASSERT_EQ(fresh.LoadPrinterSet("SYS", "JOB", 0), 141);
  D2 two(&fresh, "P");
  EXPECT_EQ(Run(two,
                [&] {
                  EXPECT_TRUE(two.IsDlgButtonChecked(D2::IDC_COLOR_MODESEL_AUTO));
                  EXPECT_EQ(two.ShownMode(), 0);
                  Click(two, D2::IDC_COLOR_MODESEL_CUSTOM);
                  EXPECT_TRUE(two.GetDlgItem(D2::IDC_COLOR_SLIDER_G)->isEnabled());
                  two.RunFunctionKey(kVkEscape);
                }),
            2);
}

TEST_F(ColorDlg, SettingSlidersForAChosenItemWritesNoHalfUpdatedColour) {
  StorePrinter(-1, {{"C001", 0x0A0B0C}, {"C002", 0x405060}, {"C003", 0x708090}});
  Load();
  D1 dlg(&store, "P");
  EXPECT_EQ(Run(dlg,
                [&] {
                  const Items before = Colours(dlg.ShownPalette());
                  ChooseNext(dlg, D1::IDC_COLOR_PALETTE_SEL);
                  ChooseNext(dlg, D1::IDC_COLOR_PALETTE_SEL);
                  QTest::keyClick(dlg.Item<CYbComboBox>(D1::IDC_COLOR_PALETTE_SEL), Qt::Key_Up);
                  EXPECT_EQ(Colours(dlg.ShownPalette()), before);
                  EXPECT_EQ(Text(dlg, D1::IDC_COLOR_VALUE_G), " 80");  // 0x50
                  // A slider moved by the user writes all three channels at once.
                  Nudge(dlg, D1::IDC_COLOR_SLIDER_G, Qt::Key_End);
                  EXPECT_EQ(Colours(dlg.ShownPalette())[1], "C002=" + std::to_string(0x40FF60));
                  EXPECT_EQ(Colours(dlg.ShownPalette())[0], before[0]);
                  dlg.RunFunctionKey(kVkEscape);
                }),
            2);
}

TEST_F(ColorDlg, ModelsWithFewerColoursThanItemsNeitherCrashNorLockTheItemList) {
  Seed(kColors + "\\Preset03", {{"Name", "Short"}}, {{"C001", 9}});
  Seed(kColors + "\\Preset04", {{"Name", "Empty"}});
  StorePrinter(0);
  Load();
  D1 dlg(&store, "P");
  EXPECT_EQ(Run(dlg,
                [&] {
                  auto* items = dlg.Item<CYbComboBox>(D1::IDC_COLOR_PALETTE_SEL);
                  ChooseNext(dlg, D1::IDC_COLOR_PALETTE_SEL);
                  Click(dlg, D1::IDC_COLOR_MODESEL_PRNDEF);
                  ChooseNext(dlg, D1::IDC_COLOR_PRINTERDEF_SEL);
                  ChooseNext(dlg, D1::IDC_COLOR_PRINTERDEF_SEL);
                  EXPECT_EQ(dlg.ShownMode(), 3);
                  EXPECT_EQ(items->GetCurSel(), 0);  // item 2 has no colour in this model
                  EXPECT_EQ(dlg.CurrentColor(), 9u);
                  QTest::keyClick(items, Qt::Key_End);
                  EXPECT_EQ(dlg.CurrentColor(), 0u);

                  ChooseNext(dlg, D1::IDC_COLOR_PRINTERDEF_SEL);
                  EXPECT_EQ(dlg.ShownMode(), 4);
                  EXPECT_FALSE(items->isEnabled());
                  Click(dlg, D1::IDC_COLOR_MODESEL_AUTO);
                  EXPECT_TRUE(items->isEnabled());
                  EXPECT_EQ(dlg.CurrentColor(), 0u);  // item 1 of the defaults, black
                  dlg.RunFunctionKey(kVkEscape);
                }),
            2);
}

TEST_F(ColorDlg, UnreadablePrinterAndMismatchedColourNamesEndBeforeShowing) {
  // No set open: the store cannot give the printer.
  D1 closed(&store, "P");
  AnswerNextBox(nullptr, QMessageBox::Ok);
  EXPECT_EQ(closed.DoModal(), 112);
  ASSERT_EQ(boxTexts.size(), 1u);
  EXPECT_EQ(boxTexts[0], Cp932("レジストリアクセスに失敗しました。"));

  // A fourth colour name that no palette entry answers.
  Seed(kColors, {{"C004Name", Cp932("緑")}});
  StorePrinter(0);
  Load();
  D2 dlg(&store, "P");
  AnswerNextBox(nullptr, QMessageBox::Ok);
  EXPECT_EQ(dlg.DoModal(), 180);
  ASSERT_EQ(boxTexts.size(), 2u);
  EXPECT_EQ(boxTexts[1], Cp932("システムデフォルトのレジストリ定義が不正です。"));
}

TEST_F(ColorDlg, GalleryPicturesOfBothDialogsInJapaneseAndEnglish) {
  StorePrinter(-1, {{"C001", 0x2040C0}, {"C002", 0x405060}, {"C003", 0x708090}});
  Load();
  for (const char* lang : {"C.UTF-8", "en_US.UTF-8"}) {
    setenv("LANG", lang, 1);
    const std::string suffix = std::string(lang) == "C.UTF-8" ? "-ja.png" : "-en.png";
    D1 one(&store, "P");
    D2 two(&store, "P");
    for (CQuorPrnColorDlgBase* dlg : {static_cast<CQuorPrnColorDlgBase*>(&one), static_cast<CQuorPrnColorDlgBase*>(&two)}) {
      const std::string name = dlg == &one ? "/gallery-color-dialog" : "/gallery-color-dialog2";
      EXPECT_EQ(Run(*dlg,
                    [&] {
                      const QString path = UiText::Literal(QUORPRN_BINARY_DIR) + UiText::Literal(name + suffix);
                      EXPECT_TRUE(dlg->grab().toImage().save(path));
                      dlg->RunFunctionKey(kVkEscape);
                    }),
                2);
    }
  }
}

}  // namespace
