// The sample dialog: its picture for a person to look at, its layout inside
// the template area, and its texts with and without a catalogue.
#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>
#include <string>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/CYbFuncBar.h"
#include "platform/ui/UiControl.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiText.h"
#include "tests/platform/ui/GalleryDialog.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/Sandbox.h"

namespace {

using uitest::GalleryDialog;

class GalleryTest : public ::testing::Test {
 protected:
  // The dialog made and initialised as DoModal would, under `lang`.
  static bool Open(GalleryDialog& dlg, const char* lang) {
    setenv("LANG", lang, 1);
    if (!dlg.Create()) return false;
    dlg.OnInitDialog();
    return true;
  }
  static std::string Bar(GalleryDialog& d, int vk) { return d.FuncBar()->Label(vk); }

  testsupport::ScopedEnv restoresLang_{"LANG", "C.UTF-8"};
};

TEST_F(GalleryTest, RendersEveryControlInsideTheTemplateAreaToAPicture) {
  GalleryDialog dlg;
  ASSERT_TRUE(Open(dlg, "C.UTF-8"));
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  const int barTop = dlg.height() - dlg.FunctionBarHeight();
  for (QWidget* w : dlg.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (UiControl::Id(w) == 0) continue;
    EXPECT_LE(w->geometry().bottom(), barTop) << "control " << UiControl::Id(w);
    EXPECT_LE(w->geometry().right(), dlg.width()) << "control " << UiControl::Id(w);
  }
  EXPECT_EQ(dlg.FuncBar()->geometry().bottom(), dlg.height() - 1);
  const QString path = UiText::Literal(QUORPRN_BINARY_DIR "/gallery.png");
  ASSERT_TRUE(dlg.grab().toImage().save(path));
  EXPECT_EQ(QImage(path).size(), dlg.size());
  dlg.hide();
}

TEST_F(GalleryTest, TemplateTextsStayWithoutACatalogueAndTranslationsReplaceThem) {
  GalleryDialog plain;
  ASSERT_TRUE(Open(plain, "C.UTF-8"));
  EXPECT_EQ(plain.GetWindowText(), mbcs::Cp932("ギャラリー"));
  EXPECT_EQ(plain.GetDlgItemText(uitest::kGalCheck), mbcs::Cp932("縦横比を固定する。"));
  EXPECT_EQ(plain.GetDlgItemText(uitest::kGalButton), mbcs::Cp932("ﾌﾟﾛﾊﾟﾃｨ"));
  EXPECT_EQ(Bar(plain, kVkF1), mbcs::Cp932("ヘルプ"));
  EXPECT_EQ(plain.FuncBar()->Button(kVkF1)->text(), UiText::Literal("F1 ヘルプ"));

  GalleryDialog dlg;
  ASSERT_TRUE(Open(dlg, "en_US.UTF-8"));
  EXPECT_EQ(dlg.GetWindowText(), "Gallery");
  EXPECT_EQ(dlg.GetDlgItemText(uitest::kGalGroup), "Sample group");
  EXPECT_EQ(dlg.GetDlgItemText(uitest::kGalCheck), "Keep the aspect ratio");
  EXPECT_EQ(dlg.GetDlgItemText(uitest::kGalButton), "Properties");
  EXPECT_EQ(Bar(dlg, kVkF1), "Help");
  EXPECT_EQ(Bar(dlg, kVkReturn), "OK");
  EXPECT_EQ(Bar(dlg, kVkEscape), "Cancel");
  // Keys without a translation keep their template text ...
  EXPECT_EQ(dlg.GetDlgItemText(uitest::kGalRadio2), mbcs::Cp932("カラー印刷"));
  EXPECT_EQ(Bar(dlg, kVkF6), mbcs::Cp932("ﾌﾟﾛﾊﾟﾃｨ"));
  // ... and an edit keeps its value: a translation only names it.
  EXPECT_EQ(dlg.GetDlgItemText(uitest::kGalEdit), mbcs::Cp932("テキスト"));
  EXPECT_EQ(dlg.GetDlgItem(uitest::kGalEdit)->accessibleName(), UiText::Literal("Sample text"));
}

}  // namespace
