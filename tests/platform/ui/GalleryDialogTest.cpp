// The sample dialog driven by the shared dialog driver, and what the framework
// promises the dialogs built on it: a user's actions notify, the code's
// changes stay silent; data exchange really moves values; the extended
// keyboard interface and full-row selection change what keys and clicks do;
// the layout stays inside the template area (with a picture for a person to
// look at) and texts stay without a catalogue or are translated with one.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QImage>
#include <QPushButton>
#include <vector>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/CYbButton.h"
#include "platform/ui/CYbColorBox.h"
#include "platform/ui/CYbComboBox.h"
#include "platform/ui/CYbDialog.h"
#include "platform/ui/CYbEdit.h"
#include "platform/ui/CYbFuncBar.h"
#include "platform/ui/CYbImageList.h"
#include "platform/ui/CYbListCtrl.h"
#include "platform/ui/CYbNumEdit.h"
#include "platform/ui/CYbPushBtn.h"
#include "platform/ui/CYbSliderCtrl.h"
#include "platform/ui/CYbSpinButtonCtrl.h"
#include "platform/ui/CYbTreeCtrl.h"
#include "platform/ui/DialogTemplates.h"
#include "platform/ui/UiControl.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiMessageBox.h"
#include "platform/ui/UiPictures.h"
#include "platform/ui/UiText.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/Sandbox.h"

namespace {

using mbcs::Cp932;
using namespace uitest;

// A sample dialog with one control of every kind and a function-key bar,
// under the dialog key IDD_QUORPRN_GALLERY.
constexpr int kGalleryTemplate = 39000;
enum : int { kGalGroup = 201, kGalLabel, kGalEdit, kGalNum, kGalSpin, kGalCombo, kGalCheck, kGalRadio1, kGalRadio2 };
enum : int { kGalSlider = 210, kGalList, kGalTree, kGalIcon, kGalColour, kGalPlaceholder, kGalButton, kGalPicture };

class GalleryDialog : public CYbDialog {
 public:
  GalleryDialog() : CYbDialog(kGalleryTemplate) {}
  bool OnInitDialog() override;

  CYbImageList large, small, folders;
  CYbPushBtn button;
};

const DialogTemplates::Registrar kRegistered([] {
  DialogTemplate t;
  t.id = kGalleryTemplate;
  t.caption = Cp932("ギャラリー");
  t.cx = 330;
  t.cy = 200;
  t.fontFace = Cp932("ＭＳ ゴシック");
  t.pointSize = 9;
  t.controls = {
      {kGalGroup, DlgKind::GroupBox, Cp932("見本のグループ"), 6, 4, 318, 70, kDlgGroup},
      {kGalLabel, DlgKind::Static, Cp932("横方向："), 14, 20, 40, 10, 0},
      {kGalNum, DlgKind::NumEdit, "", 56, 18, 40, 12, kDlgGroup},
      {kGalSpin, DlgKind::Spin, "", 96, 18, 10, 12, 0},
      {kGalEdit, DlgKind::Edit, Cp932("テキスト"), 114, 18, 90, 12, 0},
      {kGalCombo, DlgKind::ComboBox, "", 212, 18, 104, 60, 0},
      {kGalCheck, DlgKind::CheckBox, Cp932("縦横比を固定する。"), 14, 38, 90, 10, kDlgGroup},
      {kGalRadio1, DlgKind::RadioButton, Cp932("モノクロ印刷"), 110, 38, 70, 10, kDlgGroup},
      {kGalRadio2, DlgKind::RadioButton, Cp932("カラー印刷"), 184, 38, 70, 10, 0},
      {kGalSlider, DlgKind::Slider, "", 14, 52, 150, 16, kDlgGroup},
      {kGalColour, DlgKind::ColorBox, "", 172, 52, 30, 16, 0},
      {kGalPlaceholder, DlgKind::PushButton, Cp932("ﾌﾟﾛﾊﾟﾃｨ"), 262, 52, 54, 14, kDlgHidden | kDlgDisabled},
      {kGalList, DlgKind::ListReport, "", 6, 80, 120, 114, kDlgGroup},
      {kGalTree, DlgKind::Tree, "", 132, 80, 120, 114, 0},
      {kGalIcon, DlgKind::Icon, "", 262, 80, 24, 24, 0, UiPictures::BinderIconId(3, true)},
      {kGalPicture, DlgKind::Icon, "", 290, 80, 30, 40, 0, UiPictures::kPaperPortrait},
  };
  return t;
}());

bool GalleryDialog::OnInitDialog() {
  CYbDialog::OnInitDialog();
  auto* num = Item<CYbNumEdit>(kGalNum);
  num->InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, -999.9, 999.9);
  num->SetWindowTextValue(-1.5);
  Item<CYbSpinButtonCtrl>(kGalSpin)->SetBuddy(num);
  auto* combo = Item<CYbComboBox>(kGalCombo);
  combo->AddString(Cp932("プリンタプロパティに従う"));
  combo->AddString("A4");
  combo->SetCurSel(0);
  CheckDlgButton(kGalCheck, 1);
  CheckRadioButton(kGalRadio1, kGalRadio2, kGalRadio2);
  auto* slider = Item<CYbSliderCtrl>(kGalSlider);
  slider->SetRange(0, 255);
  slider->SetTicFreq(16);
  slider->SetPos(128);
  Item<CYbColorBox>(kGalColour)->SetColor(0x0080FF);

  small.Create(16, 16);
  for (int i = 0; i < UiPictures::kBinderColours; ++i) small.AddPicture(UiPictures::BinderIconId(i, false));
  auto* list = Item<CYbListCtrl>(kGalList);
  list->InsertColumn(0, Cp932("色"), 0, 150);
  list->SetImageList(&small);
  const char* names[] = {"標準の色", "紺", "緑", "青", "黄色", "オレンジ", "赤", "赤紫", "ピンク"};
  for (int i = 0; i < 9; ++i) list->InsertItem(i, Cp932(names[i]), i);
  list->SetItemState(3, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);

  folders.Create(16, 16);
  folders.AddPicture(UiPictures::kFolderRoot);
  folders.AddPicture(UiPictures::kFolderUser);
  folders.AddPicture(UiPictures::kFolder);
  auto* tree = Item<CYbTreeCtrl>(kGalTree);
  tree->SetImageList(&folders);
  HTREEITEM root = tree->InsertItem("DocuWorks Desk", 0, 0, -1, nullptr);
  HTREEITEM user = tree->InsertItem(Cp932("ユーザーフォルダ"), 1, 1, 0, root);
  tree->InsertItem(Cp932("請求書"), 2, 2, 1, user);
  tree->InsertItem(Cp932("リンクフォルダ"), 2, 2, -1, root);
  tree->Expand(root, true);
  tree->Expand(user, true);

  button.CreateOver(this, kGalPlaceholder, kGalButton);

  SetFuncStyle(1);
  SetFuncBtn(kVkF1, Cp932("ヘルプ"), 0);
  SetFuncBtn(kVkF6, Cp932("ﾌﾟﾛﾊﾟﾃｨ"), 0);
  SetFuncBtn(kVkF9, Cp932("初期値"), 0);
  SetFuncBtn(kVkReturn, Cp932("確定"), 0);
  SetFuncBtn(kVkEscape, Cp932("ｷｬﾝｾﾙ"), 0);
  SetFuncAutoArrange(1);

  SetLocalizeDialogID("IDD_QUORPRN_GALLERY");
  LocalizeDialog();
  LocalizeControl(kGalGroup, "IDC_STATIC_001");
  LocalizeControl(kGalCheck, "IDC_CHK_FIX");
  LocalizeControl(kGalRadio2, "IDC_RADIO_COLOR");
  LocalizeControl(kGalEdit, "IDC_EDIT_SAMPLE");
  LocalizeControl(kGalButton, "IDC_BTN_PROPERTY");
  LocalizeFunc(kVkF1, "VK_F1");
  LocalizeFunc(kVkReturn, "VK_RETURN");
  LocalizeFunc(kVkEscape, "VK_ESCAPE");
  return true;
}

// Every user-only notification of the sample dialog's controls, in order.
struct Heard {
  std::vector<std::string> events;
  void Listen(GalleryDialog& d) {
    auto add = [this](std::string e) { events.push_back(std::move(e)); };
    QObject::connect(d.Item<CYbComboBox>(kGalCombo), &CYbComboBox::userSelChanged, [add](int i) { add("combo " + std::to_string(i)); });
    QObject::connect(d.Item<CYbComboBox>(kGalCombo), &CYbComboBox::focusLost, [add] { add("combo left"); });
    QObject::connect(d.Item<CYbSliderCtrl>(kGalSlider), &CYbSliderCtrl::userMoved, [add](int p) { add("slider " + std::to_string(p)); });
    QObject::connect(d.Item<CYbListCtrl>(kGalList), &CYbListCtrl::userSelChanged, [add](int r) { add("list " + std::to_string(r)); });
    auto* tree = d.Item<CYbTreeCtrl>(kGalTree);
    QObject::connect(tree, &CYbTreeCtrl::userSelChanged, [add, tree](HTREEITEM i) { add("tree " + tree->GetItemText(i)); });
    QObject::connect(d.Item<CYbButton>(kGalCheck), &CYbButton::clicked, [add] { add("check"); });
    QObject::connect(d.Item<CYbButton>(kGalRadio1), &CYbButton::clicked, [add] { add("radio1"); });
    QObject::connect(d.Item<CYbEdit>(kGalEdit), &CYbEdit::userEdited, [add] { add("edit"); });
    QObject::connect(d.Item<CYbEdit>(kGalEdit), &CYbEdit::focusLost, [add] { add("edit left"); });
  }
};

TEST(DialogDriverTest, UserActionsNotifyOnceEachWhileTheCodesChangesStaySilent) {
  GalleryDialog dlg;
  DialogDriver drive(dlg);
  Heard heard;
  std::vector<std::string> silent;
  const int result = drive.RunModal([&] {
    heard.Listen(dlg);
    auto* tree = dlg.Item<CYbTreeCtrl>(kGalTree);
    // What a dialog does while it sets itself up or reacts.
    dlg.Item<CYbComboBox>(kGalCombo)->SetCurSel(1);
    dlg.Item<CYbSliderCtrl>(kGalSlider)->SetPos(3);
    dlg.Item<CYbSliderCtrl>(kGalSlider)->SetRange(0, 100);
    dlg.Item<CYbListCtrl>(kGalList)->SetItemState(5, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
    tree->SelectItem(tree->GetRootItem());
    dlg.CheckDlgButton(kGalCheck, 0);
    dlg.CheckRadioButton(kGalRadio1, kGalRadio2, kGalRadio1);
    dlg.SetDlgItemText(kGalEdit, "x");
    silent = heard.events;

    EXPECT_TRUE(drive.PickComboEntry(kGalCombo, 0));
    EXPECT_EQ(drive.Text(kGalCombo), Cp932("プリンタプロパティに従う"));
    EXPECT_TRUE(drive.MoveSlider(kGalSlider, 5));
    EXPECT_TRUE(drive.PickListRow(kGalList, 2));
    EXPECT_EQ(drive.Text(kGalList), Cp932("緑"));
    HTREEITEM user = tree->GetChildItem(tree->GetRootItem());
    EXPECT_TRUE(drive.PickTreeItem(kGalTree, tree->GetChildItem(user)));
    EXPECT_EQ(drive.Text(kGalTree), Cp932("請求書"));
    EXPECT_TRUE(drive.ClickButton(kGalCheck));
    EXPECT_TRUE(drive.ClickButton(kGalRadio1));  // already checked: still the user's click
    EXPECT_TRUE(drive.TypeInto(kGalEdit, Cp932("ab表")));
    EXPECT_EQ(drive.Text(kGalEdit), Cp932("ab表"));
    EXPECT_TRUE(drive.ClickBarButton(kVkReturn));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(silent, std::vector<std::string>{});
  const std::vector<std::string> expected = {
      "combo 0", "slider 4", "slider 5", "list 2", "tree " + Cp932("請求書"), "check", "radio1",
      "edit", "edit", "edit", "edit", "edit left"};
  // The combo's focus-lost comes when the focus moves on from it; the rest in
  // the order the user acted (typing over the selection counts once per key).
  EXPECT_EQ(std::erase(heard.events, "combo left"), 1u);
  EXPECT_EQ(heard.events, expected);
  EXPECT_EQ(dlg.IsDlgButtonChecked(kGalCheck), 1);
}

// The framework's own texts (help message, message-box buttons) in Japanese
// and English, read from the boxes a user would see.
class FrameworkTextsTest : public ::testing::TestWithParam<const char*> {
 protected:
  bool English() const { return std::string(GetParam()) == "en"; }
  testsupport::ScopedEnv lang_{"LANG", testsupport::LangOf(GetParam())};
};

TEST_P(FrameworkTextsTest, AnswersMessageBoxesPressesKeysAndSavesThePicture) {
  GalleryDialog dlg;
  DialogDriver drive(dlg);
  std::string png;
  SeenMessageBox help;
  int question = 0;
  const int result = drive.RunModal([&] {
    drive.AnswerNextMessageBox(kIdOk);
    drive.PressFunctionKey(kVkF1);  // the framework's help message
    help = drive.LastMessageBox();
    drive.AnswerNextMessageBox(kIdCancel);
    question = UiMessageBox::Show(&dlg, "?", "", kMbOkCancel | kMbIconQuestion);
    png = drive.SavePng(GetParam());
    drive.PressFunctionKey(kVkF9);  // on the bar, but nothing handles it
    drive.PressFunctionKey(kVkEscape);
  });
  EXPECT_EQ(result, 2);
  ASSERT_TRUE(help.seen);
  EXPECT_EQ(help.text, English() ? "Help (context number 0)" : Cp932("ヘルプ（コンテキスト番号 0）"));
  EXPECT_EQ(help.icon, kMbIconInformation);
  EXPECT_EQ(help.caption, English() ? "Gallery" : Cp932("ギャラリー"));
  EXPECT_EQ(help.buttons, std::vector<std::string>{"OK"});
  EXPECT_EQ(question, kIdCancel);
  EXPECT_EQ(drive.LastMessageBox().icon, kMbIconQuestion);
  const std::string cancel = English() ? "Cancel" : Cp932("キャンセル");
  EXPECT_EQ(drive.LastMessageBox().buttons, (std::vector<std::string>{"OK", cancel}));
  EXPECT_EQ(png, std::string(QUORPRN_BINARY_DIR "/gallery/39000-") + GetParam() + ".png");
  EXPECT_EQ(QImage(UiText::ToQt(png)).size(), dlg.size());
}

INSTANTIATE_TEST_SUITE_P(Languages, FrameworkTextsTest, ::testing::Values("ja", "en"),
                         [](const auto& info) { return std::string(info.param) == "en" ? "English" : "Japanese"; });

class DataExchangeDialog : public GalleryDialog {
 public:
  DataExchangeDialog() {
    DdxCheck(kGalCheck, &check);
    DdxRadio(kGalRadio1, &radio);
    DdxText(kGalEdit, &text);
    DdxValue(kGalNum, &value);
  }
  int check = 0, radio = -1;
  std::string text = "start";  // replaces the template's text when the dialog starts
  double value = 0.0;
};

TEST(DialogDriverTest, UpdateDataMovesBoundValuesBothWays) {
  DataExchangeDialog dlg;
  DialogDriver drive(dlg);
  bool allBound = false, missing = true;
  const int result = drive.RunModal([&] {
    // The sample sets check on, the second radio and -1.5 after the base showed the variables.
    dlg.UpdateData(true);
    EXPECT_EQ(dlg.check, 1);
    EXPECT_EQ(dlg.radio, 1);
    EXPECT_EQ(dlg.text, "start");
    EXPECT_DOUBLE_EQ(dlg.value, -1.5);
    dlg.check = 0;
    dlg.radio = 0;
    dlg.text = "abc";
    dlg.value = 80;
    allBound = dlg.UpdateData(false);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kGalCheck), 0);
    EXPECT_EQ(dlg.GetCheckedRadioButton(kGalRadio1, kGalRadio2), kGalRadio1);
    EXPECT_EQ(dlg.GetDlgItemText(kGalEdit), "abc");
    EXPECT_EQ(dlg.GetDlgItemText(kGalNum), "80.0");
    // What the user does is read back.
    drive.ClickButton(kGalRadio2);
    drive.TypeInto(kGalNum, "12.3");
    int stray = 0;
    dlg.DdxCheck(999, &stray);
    missing = !dlg.UpdateData(true);
    drive.PressFunctionKey(kVkReturn);
  });
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(allBound);
  EXPECT_TRUE(missing);  // an unknown id is reported, the rest still read
  EXPECT_EQ(dlg.radio, 1);
  EXPECT_DOUBLE_EQ(dlg.value, 12.3);
}

// The extended combo interface opens on Down and ignores F4; full-row
// selection lets a click beside a list's first column select.
TEST(DialogDriverTest, ExtendedStylesChangeWhatKeysAndClicksDo) {
  GalleryDialog dlg;
  DialogDriver drive(dlg);
  std::vector<int> picked, narrow, full;
  bool openedByF4 = true, openedByDown = false, plainOpenedByF4 = false;
  drive.RunModal([&] {
    auto* combo = dlg.Item<CYbComboBox>(kGalCombo);
    QObject::connect(combo, &CYbComboBox::userSelChanged, [&](int i) { picked.push_back(i); });
    combo->setFocus(Qt::TabFocusReason);
    // Without it, Down steps to the next entry, and F4 opens the list.
    drive.PressKey(Qt::Key_Down);
    drive.PressKey(Qt::Key_F4);
    plainOpenedByF4 = combo->view()->isVisible();
    combo->hidePopup();
    combo->SetCurSel(0);
    combo->SetExtendedUI(true);
    drive.PressKey(Qt::Key_F4);
    openedByF4 = combo->view()->isVisible();
    drive.PressKey(Qt::Key_Down);
    openedByDown = combo->view()->isVisible();
    combo->hidePopup();

    auto* list = dlg.Item<CYbListCtrl>(kGalList);
    list->setColumnWidth(0, 60);
    list->InsertColumn(1, "n", 0, 60);
    auto clickSecondColumn = [list](int row) {
      const QRect r = list->visualItemRect(list->topLevelItem(row));
      QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                        QPoint(list->columnViewportPosition(1) + 10, r.center().y()));
    };
    QObject::connect(list, &CYbListCtrl::userSelChanged, [&](int row) { (list->GetExtendedStyle() ? full : narrow).push_back(row); });
    clickSecondColumn(1);
    EXPECT_EQ(list->SetExtendedStyle(kLvsExFullRowSelect), 0u);
    clickSecondColumn(4);
    EXPECT_EQ(list->GetNextSelectedItem(-1), 4);
    dlg.EndDialog(1);
  });
  EXPECT_TRUE(plainOpenedByF4);
  EXPECT_FALSE(openedByF4);
  EXPECT_TRUE(openedByDown);
  EXPECT_EQ(picked, std::vector<int>{1});
  EXPECT_EQ(narrow, std::vector<int>{});
  EXPECT_EQ(full, std::vector<int>{4});
}

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
  EXPECT_EQ(plain.GetWindowText(), Cp932("ギャラリー"));
  EXPECT_EQ(plain.GetDlgItemText(kGalCheck), Cp932("縦横比を固定する。"));
  EXPECT_EQ(plain.GetDlgItemText(kGalButton), Cp932("ﾌﾟﾛﾊﾟﾃｨ"));
  EXPECT_EQ(Bar(plain, kVkF1), Cp932("ヘルプ"));
  EXPECT_EQ(plain.FuncBar()->Button(kVkF1)->text(), UiText::Literal("F1 ヘルプ"));

  GalleryDialog dlg;
  ASSERT_TRUE(Open(dlg, "en_US.UTF-8"));
  EXPECT_EQ(dlg.GetWindowText(), "Gallery");
  EXPECT_EQ(dlg.GetDlgItemText(kGalGroup), "Sample group");
  EXPECT_EQ(dlg.GetDlgItemText(kGalCheck), "Keep the aspect ratio");
  EXPECT_EQ(dlg.GetDlgItemText(kGalButton), "Properties");
  EXPECT_EQ(Bar(dlg, kVkF1), "Help");
  EXPECT_EQ(Bar(dlg, kVkReturn), "OK");
  EXPECT_EQ(Bar(dlg, kVkEscape), "Cancel");
  // Keys without a translation keep their template text ...
  EXPECT_EQ(dlg.GetDlgItemText(kGalRadio2), Cp932("カラー印刷"));
  EXPECT_EQ(Bar(dlg, kVkF6), Cp932("ﾌﾟﾛﾊﾟﾃｨ"));
  // ... and an edit keeps its value: a translation only names it.
  EXPECT_EQ(dlg.GetDlgItemText(kGalEdit), Cp932("テキスト"));
  EXPECT_EQ(dlg.GetDlgItem(kGalEdit)->accessibleName(), UiText::Literal("Sample text"));
}

}  // namespace
