// Press-and-hold on the spin: the acceleration arithmetic tick by tick, the
// bounds, the owner without acceleration, and the real timer driven through
// the window the way a mouse does it.
#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <vector>

#include "dialogs/CQuorPrnNumEdit.h"
#include "dialogs/CQuorPrnSpinCtrl.h"
#include "dialogs/IQuorPrnHeightOwner.h"
#include "platform/ui/UiApplication.h"
#include "quorprn/QuorPrnResult.h"

namespace {

struct RecordingOwner : IQuorPrnHeightOwner {
  std::vector<int32_t> calls;
  void RecalcHeight(int32_t tenths) override { calls.push_back(tenths); }
};

class CQuorPrnSpinCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(UiApplication::Ensure(), QUOR_PRN_SUCCESS);
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
  QPoint InWindow(QPoint inSpin) const { return spin->mapTo(&window, inSpin); }

  QWidget window;
  CQuorPrnNumEdit* edit = nullptr;
  CQuorPrnSpinCtrl* spin = nullptr;
  CYbNumEdit* partner = nullptr;
};

TEST_F(CQuorPrnSpinCtrlTest, HoldingAcceleratesAtTicksThirtyAndSixty) {
  Ticks(CQuorPrnSpinCtrl::kTimerUp, 30);
  EXPECT_EQ(edit->GetWindowText(), "3");
  Ticks(CQuorPrnSpinCtrl::kTimerUp, 1);
  EXPECT_EQ(edit->GetWindowText(), "4");
  Ticks(CQuorPrnSpinCtrl::kTimerUp, 29);
  EXPECT_EQ(edit->GetWindowText(), "33");
  Ticks(CQuorPrnSpinCtrl::kTimerUp, 1);
  EXPECT_EQ(edit->GetWindowText(), "38");
  EXPECT_EQ(spin->RepeatCount(), 61);
  // A timer that is neither arrow's changes nothing.
  spin->OnTimer(7);
  EXPECT_EQ(edit->GetWindowText(), "38");
}

TEST_F(CQuorPrnSpinCtrlTest, TheBoundsAreReachedBySingleStepsAndNeverPassed) {
  Ticks(CQuorPrnSpinCtrl::kTimerUp, 400);
  EXPECT_EQ(edit->GetWindowText(), "999.9");
  Ticks(CQuorPrnSpinCtrl::kTimerUp, 5);
  EXPECT_EQ(edit->GetWindowText(), "999.9");
  edit->SetWindowText("-990.3");
  Ticks(CQuorPrnSpinCtrl::kTimerDown, 100);  // steps of 1 stop fitting at -999.3
  EXPECT_EQ(edit->GetWindowText(), "-999.9");
  // A spin without a buddy does nothing at all.
  CQuorPrnSpinCtrl lonely;
  lonely.OnTimer(CQuorPrnSpinCtrl::kTimerUp);
  EXPECT_EQ(lonely.RepeatCount(), 0);
}

TEST_F(CQuorPrnSpinCtrlTest, AnOwnerGetsEveryTickWithoutAcceleration) {
  RecordingOwner owner;
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

TEST_F(CQuorPrnSpinCtrlTest, ARealHoldStepsUntilReleasedEvenWhenReleasedElsewhere) {
  ShowWindow();
  QWindow* w = window.windowHandle();
  const QPoint up = InWindow(QPoint(10, 5));
  QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, up);
  EXPECT_EQ(spin->RunningTimer(), CQuorPrnSpinCtrl::kTimerUp);
  EXPECT_EQ(edit->GetWindowText(), "0");  // nothing before the first tick
  QTest::qWait(500);
  // Released over the edit, not over the spin.
  QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, InWindow(QPoint(-60, 5)));
  EXPECT_EQ(spin->RunningTimer(), 0);
  EXPECT_EQ(spin->RepeatCount(), 0);
  const double held = Value();
  // About six ticks; a busy machine gives fewer, never the 30 that accelerate.
  EXPECT_GE(held, 0.1);
  EXPECT_LE(held, 2.9);
  QTest::qWait(250);
  EXPECT_EQ(Value(), held);
  // The lower half holds downwards, and a new hold starts from single steps.
  QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, InWindow(QPoint(10, 35)));
  EXPECT_EQ(spin->RunningTimer(), CQuorPrnSpinCtrl::kTimerDown);
  QTest::qWait(300);
  QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, InWindow(QPoint(10, 35)));
  EXPECT_LT(Value(), held);
  EXPECT_GT(Value(), held - 2.9);
}

TEST_F(CQuorPrnSpinCtrlTest, HidingOrDisablingStopsTheHold) {
  ShowWindow();
  QWindow* w = window.windowHandle();
  QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, InWindow(QPoint(10, 5)));
  QTest::qWait(200);
  spin->setEnabled(false);
  EXPECT_EQ(spin->RunningTimer(), 0);
  const double frozen = Value();
  QTest::qWait(200);
  EXPECT_EQ(Value(), frozen);
  QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, InWindow(QPoint(10, 5)));

  spin->setEnabled(true);
  QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, InWindow(QPoint(10, 35)));
  EXPECT_EQ(spin->RunningTimer(), CQuorPrnSpinCtrl::kTimerDown);
  spin->hide();
  EXPECT_EQ(spin->RunningTimer(), 0);
  QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, InWindow(QPoint(10, 35)));
}

}  // namespace
