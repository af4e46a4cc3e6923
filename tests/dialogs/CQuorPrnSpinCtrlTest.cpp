// Press-and-hold on the spin: the acceleration arithmetic tick by tick, the
// bounds, the owner without acceleration, and the real timer driven through
// the window the way a mouse does it.
#include <QHBoxLayout>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "dialogs/CQuorPrnNumEdit.h"
#include "dialogs/CQuorPrnSpinCtrl.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

class CQuorPrnSpinCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    edit = new CQuorPrnNumEdit(&window);
    spin = new CQuorPrnSpinCtrl(&window);
    partner = new CYbNumEdit(&window);
    auto* row = new QHBoxLayout(&window);
    row->addWidget(edit);
    row->addWidget(spin);
    row->addWidget(partner);
    spin->setFixedSize(20, 40);
    edit->InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, -999.9, 999.9);
    edit->SetWindowText("0");
    spin->SetBuddy(edit);
    spin->SetRange(-999.9, 999.9, 2);
  }
  double Value() const { return edit->GetWindowTextValue(); }
  // What pressing the arrow starts: ticks of its timer.
  void Ticks(int id, int n) {
    for (int i = 0; i < n; ++i) spin->OnTimer(id);
  }
  void ShowWindow() {
    window.resize(240, 60);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  // The mouse on the spin's upper or lower half, or left of it over the edit.
  static constexpr QPoint kUp{10, 5}, kDown{10, 35}, kOverEdit{-60, 5};
  void Press(QPoint inSpin) {
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, spin->mapTo(&window, inSpin));
  }
  void Release(QPoint inSpin) {
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, spin->mapTo(&window, inSpin));
  }

  QWidget window;
  CQuorPrnNumEdit* edit = nullptr;
  CQuorPrnSpinCtrl* spin = nullptr;
  CYbNumEdit* partner = nullptr;
};

TEST_F(CQuorPrnSpinCtrlTest, HoldingAcceleratesAtTicksThirtyAndSixtyButNeverPassesTheBounds) {
  Ticks(CQuorPrnSpinCtrl::kTimerUp, 30);
  EXPECT_EQ(edit->GetWindowText(), "3.0");
  Ticks(CQuorPrnSpinCtrl::kTimerUp, 1);
  EXPECT_EQ(edit->GetWindowText(), "4.0");
  Ticks(CQuorPrnSpinCtrl::kTimerUp, 29);
  EXPECT_EQ(edit->GetWindowText(), "33.0");
  Ticks(CQuorPrnSpinCtrl::kTimerUp, 1);
  EXPECT_EQ(edit->GetWindowText(), "38.0");
  EXPECT_EQ(spin->RepeatCount(), 61);
  spin->OnTimer(7);  // neither arrow's timer
  EXPECT_EQ(edit->GetWindowText(), "38.0");

  Ticks(CQuorPrnSpinCtrl::kTimerUp, 400);
  EXPECT_EQ(edit->GetWindowText(), "999.9");
  Ticks(CQuorPrnSpinCtrl::kTimerUp, 5);
  EXPECT_EQ(edit->GetWindowText(), "999.9");
  edit->SetWindowText("-990.3");
  Ticks(CQuorPrnSpinCtrl::kTimerDown, 100);  // steps of 1 stop fitting at -999.3
  EXPECT_EQ(edit->GetWindowText(), "-999.9");
  CQuorPrnSpinCtrl lonely;  // without a buddy it does nothing at all
  lonely.OnTimer(CQuorPrnSpinCtrl::kTimerUp);
  EXPECT_EQ(lonely.RepeatCount(), 0);
}

TEST_F(CQuorPrnSpinCtrlTest, AnOwnerGetsEveryTickWithoutAcceleration) {
  dialogtest::RecordingOwner owner;
  spin->SetPartner(partner);
  spin->SetLink(1);
  Ticks(CQuorPrnSpinCtrl::kTimerUp, 2);
  EXPECT_EQ(partner->GetWindowText(), "0.2");  // copied while there is no owner
  spin->SetOwner(&owner);
  const int before = spin->RepeatCount();
  Ticks(CQuorPrnSpinCtrl::kTimerUp, 100);
  EXPECT_EQ(spin->RepeatCount(), before);
  EXPECT_EQ(edit->GetWindowText(), "10.2");  // 0.1 a tick all the way
  ASSERT_EQ(owner.calls.size(), 100u);
  EXPECT_EQ(owner.calls.front(), 3);
  EXPECT_EQ(owner.calls.back(), 102);
  EXPECT_EQ(partner->GetWindowText(), "0.2");
}

TEST_F(CQuorPrnSpinCtrlTest, ARealHoldStepsUntilReleasedElsewhereDisabledOrHidden) {
  ShowWindow();
  Press(kUp);
  EXPECT_EQ(spin->RunningTimer(), CQuorPrnSpinCtrl::kTimerUp);
  EXPECT_EQ(edit->GetWindowText(), "0.0");  // nothing before the first tick
  QTest::qWait(500);
  Release(kOverEdit);
  EXPECT_EQ(spin->RunningTimer(), 0);
  EXPECT_EQ(spin->RepeatCount(), 0);
  const double held = Value();
  // About six ticks; a busy machine gives fewer, never the 30 that accelerate.
  EXPECT_GE(held, 0.1);
  EXPECT_LE(held, 2.9);
  QTest::qWait(250);
  EXPECT_EQ(Value(), held);
  // The lower half holds downwards, and a new hold starts from single steps.
  Press(kDown);
  EXPECT_EQ(spin->RunningTimer(), CQuorPrnSpinCtrl::kTimerDown);
  QTest::qWait(300);
  Release(kDown);
  EXPECT_LT(Value(), held);
  EXPECT_GT(Value(), held - 2.9);

  // Disabling or hiding the spin stops a hold as a release would.
  Press(kUp);
  QTest::qWait(200);
  spin->setEnabled(false);
  EXPECT_EQ(spin->RunningTimer(), 0);
  const double frozen = Value();
  QTest::qWait(200);
  EXPECT_EQ(Value(), frozen);
  Release(kUp);
  spin->setEnabled(true);
  Press(kDown);
  EXPECT_EQ(spin->RunningTimer(), CQuorPrnSpinCtrl::kTimerDown);
  spin->hide();
  EXPECT_EQ(spin->RunningTimer(), 0);
  Release(kDown);
}

}  // namespace
