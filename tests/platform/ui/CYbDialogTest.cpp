// Key routing, function-key enabling and the control notifications of the
// dialog with a function-key bar, driven through a real modal loop.
#include <gtest/gtest.h>

#include <QPushButton>
#include <stdexcept>
#include <vector>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/CYbButton.h"
#include "platform/ui/CYbDialog.h"
#include "platform/ui/CYbEdit.h"
#include "platform/ui/CYbFuncBar.h"
#include "platform/ui/CYbListCtrl.h"
#include "platform/ui/CYbPushBtn.h"
#include "platform/ui/DialogTemplates.h"
#include "platform/ui/UiKeys.h"
#include "tests/support/DialogDriver.h"

namespace {

constexpr int kTemplate = 39100;
enum : int { kEditA = 100, kEditB, kList, kPlaceholder, kCreated, kRadio1 = 110, kRadio2, kRadio3, kRadio4, kCheck };

const DialogTemplates::Registrar kRegistered([] {
  DialogTemplate t;
  t.id = kTemplate;
  t.caption = mbcs::Cp932("キー");
  t.cx = 200;
  t.cy = 120;
  t.fontFace = mbcs::Cp932("ＭＳ ゴシック");
  t.controls = {
      {kEditA, DlgKind::Edit, "", 10, 10, 60, 12, kDlgGroup},
      {kEditB, DlgKind::Edit, "", 80, 10, 60, 12, 0},
      {kList, DlgKind::ListReport, "", 10, 30, 80, 40, 0},
      {kPlaceholder, DlgKind::PushButton, mbcs::Cp932("参照"), 100, 30, 40, 14, kDlgHidden | kDlgDisabled},
      {kRadio1, DlgKind::RadioButton, "1", 10, 80, 30, 10, kDlgGroup},
      {kRadio2, DlgKind::RadioButton, "2", 45, 80, 30, 10, 0},
      {kRadio3, DlgKind::RadioButton, "3", 80, 80, 30, 10, kDlgGroup},
      {kRadio4, DlgKind::RadioButton, "4", 115, 80, 30, 10, 0},
      {kCheck, DlgKind::CheckBox, "c", 150, 80, 40, 10, kDlgGroup},
  };
  return t;
}());

class KeyDialog : public CYbDialog {
 public:
  KeyDialog() : CYbDialog(kTemplate) { BindControl(kEditA, &edit_); }

  std::vector<int> functions, tabs, maxTexts, clicks;
  std::vector<uint32_t> helps;
  int confirms = 0, cancels = 0, confirmAnswer = 1, cancelAnswer = 1, endAtInit = 0;
  CYbEdit edit_;
  CYbPushBtn created_;

  int NotifyFunctionEvent(int key) override { return Record(functions, key); }
  int NotifyConfirmEvent() override { return Count(confirms, confirmAnswer); }
  int NotifyCancelEvent() override { return Count(cancels, cancelAnswer); }
  int NotifyTabEvent(int id, int) override { return Record(tabs, id); }
  int NotifyMaxTextEvent(int id) override { return Record(maxTexts, id); }
  int NotifyClickedEvent(int id) override { return Record(clicks, id); }
  uint32_t NotifyHelpPreEvent(int id) override { return 5000u + static_cast<uint32_t>(id); }

 protected:
  static int Record(std::vector<int>& seen, int id) {
    seen.push_back(id);
    return 1;
  }
  static int Count(int& calls, int answer) {
    ++calls;
    return answer;
  }
  bool OnInitDialog() override {
    CYbDialog::OnInitDialog();
    SetFuncStyle(2);
    SetFuncBtn(kVkF1, mbcs::Cp932("ヘルプ"), 0);
    SetFuncBtn(kVkF6, mbcs::Cp932("ﾌﾟﾛﾊﾟﾃｨ"), 0);
    SetFuncBtn(kVkReturn, mbcs::Cp932("確定"), 0);
    SetFuncBtn(kVkEscape, mbcs::Cp932("ｷｬﾝｾﾙ"), 0);
    SetFuncAutoArrange(1);
    created_.CreateOver(this, kPlaceholder, kCreated);
    if (endAtInit != 0) EndDialog(endAtInit);
    return true;
  }
  void ShowHelp(uint32_t context) override { helps.push_back(context); }
};

TEST(CYbDialogTest, FunctionKeysReachTheDialogFromAFocusedChildUnlessDisabled) {
  KeyDialog dlg;
  dlg.cancelAnswer = 0;
  bool buttonDisabled = false;
  const int result = uitest::RunModal(dlg, [&] {
    dlg.edit_.setFocus();
    QTest::keyClick(&dlg.edit_, Qt::Key_F6);
    QTest::keyClick(&dlg.edit_, Qt::Key_F9);  // not on the bar: nothing
    auto* list = dlg.Item<CYbListCtrl>(kList);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F6);
    QTest::keyClick(list, Qt::Key_F1);
    dlg.FuncBar()->Button(kVkF6)->click();
    dlg.ChangeAttribute(kVkF6, 0);
    dlg.ChangeAttribute(kVkEscape, 0);
    buttonDisabled = !dlg.FuncBar()->Button(kVkF6)->isEnabled();
    QTest::keyClick(list, Qt::Key_F6);
    QTest::keyClick(list, Qt::Key_Escape);
    dlg.ChangeAttribute(kVkF6, 1);
    dlg.ChangeAttribute(kVkEscape, 1);
    QTest::keyClick(list, Qt::Key_F6);
    QTest::keyClick(list, Qt::Key_Escape);  // reaches the hook, which keeps the dialog open
    QTest::keyClick(list, Qt::Key_Return);
  });
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(buttonDisabled);
  EXPECT_EQ(dlg.functions, (std::vector<int>{kVkF6, kVkF6, kVkF1, kVkF6, kVkF6, kVkEscape, kVkReturn}));
  EXPECT_EQ(dlg.helps, (std::vector<uint32_t>{5000u + kList}));
  EXPECT_EQ(dlg.confirms, 1);
  EXPECT_EQ(dlg.cancels, 1);
}

TEST(CYbDialogTest, ConfirmAndCancelKeepTheDialogOpenWhenTheHookSaysSo) {
  KeyDialog dlg;
  dlg.confirmAnswer = 0;
  dlg.cancelAnswer = 0;
  int shownAfterRefusals = 0;
  const int result = uitest::RunModal(dlg, [&] {
    dlg.edit_.setFocus();
    QTest::keyClick(&dlg.edit_, Qt::Key_Return);
    QTest::keyClick(&dlg.edit_, Qt::Key_Enter);
    QTest::keyClick(&dlg.edit_, Qt::Key_Escape);
    dlg.close();  // the window's close button runs the cancel hook too
    shownAfterRefusals = dlg.isVisible() ? 1 : 0;
    dlg.cancelAnswer = 1;
    QTest::keyClick(&dlg.edit_, Qt::Key_Escape);
  });
  EXPECT_EQ(shownAfterRefusals, 1);
  EXPECT_EQ(result, 2);
  EXPECT_EQ(dlg.confirms, 2);
  EXPECT_EQ(dlg.cancels, 3);
}

TEST(CYbDialogTest, ControlNotificationsNameTheControl) {
  KeyDialog dlg;
  std::string createdText;
  QRect createdRect, placeholderRect;
  const int result = uitest::RunModal(dlg, [&] {
    dlg.edit_.SetLimitText(3);
    dlg.edit_.setFocus();
    QTest::keyClicks(&dlg.edit_, "abcd");  // the fourth is refused
    QTest::keyClick(&dlg.edit_, Qt::Key_Tab);
    auto* created = dlg.Item<CYbPushBtn>(kCreated);
    createdText = dlg.GetDlgItemText(kCreated);
    createdRect = created->geometry();
    placeholderRect = dlg.GetDlgItem(kPlaceholder)->geometry();
    QTest::mouseClick(created, Qt::LeftButton);
    dlg.EndDialog(7);
  });
  EXPECT_EQ(result, 7);
  EXPECT_EQ(dlg.edit_.text(), QStringLiteral("abc"));
  EXPECT_EQ(dlg.maxTexts, std::vector<int>{kEditA});
  ASSERT_FALSE(dlg.tabs.empty());
  EXPECT_EQ(dlg.tabs.front(), kEditA);
  EXPECT_EQ(createdText, mbcs::Cp932("参照"));
  EXPECT_EQ(createdRect, placeholderRect);
  EXPECT_EQ(dlg.clicks, std::vector<int>{kCreated});
}

TEST(CYbDialogTest, RadioGroupsFollowTheTemplateGroups) {
  KeyDialog dlg;
  ASSERT_TRUE(dlg.Create());
  dlg.CheckRadioButton(kRadio1, kRadio2, kRadio2);
  dlg.CheckRadioButton(kRadio3, kRadio4, kRadio3);
  EXPECT_EQ(dlg.GetCheckedRadioButton(kRadio1, kRadio2), kRadio2);
  EXPECT_EQ(dlg.GetCheckedRadioButton(kRadio3, kRadio4), kRadio3);
  // A click in one group leaves the other alone.
  dlg.Item<CYbButton>(kRadio1)->Button()->click();
  EXPECT_EQ(dlg.GetCheckedRadioButton(kRadio1, kRadio2), kRadio1);
  EXPECT_EQ(dlg.GetCheckedRadioButton(kRadio3, kRadio4), kRadio3);
  // Clearing one by hand is allowed, as dialogs do before choosing another.
  dlg.CheckDlgButton(kRadio3, 0);
  EXPECT_EQ(dlg.GetCheckedRadioButton(kRadio3, kRadio4), 0);
  EXPECT_EQ(dlg.IsDlgButtonChecked(kCheck), 0);
}

// A dialog ended before it shows returns its code, an unknown template is
// refused, and a second template under a taken id fails loudly.
TEST(CYbDialogTest, EarlyEndsUnknownTemplatesAndTakenIdsAreHandled) {
  KeyDialog early;
  early.endAtInit = 180;
  EXPECT_EQ(early.DoModal(), 180);
  EXPECT_FALSE(early.isVisible());
  CYbDialog unknown(39199);
  EXPECT_EQ(unknown.DoModal(), QUOR_PRN_ERR_ARGUMENT);

  DialogTemplate other;
  other.id = kTemplate;
  other.caption = "other";
  EXPECT_THROW(DialogTemplates::Register(other), std::logic_error);
  ASSERT_NE(DialogTemplates::Find(kTemplate), nullptr);
  EXPECT_EQ(DialogTemplates::Find(kTemplate)->caption, mbcs::Cp932("キー"));
}

}  // namespace
