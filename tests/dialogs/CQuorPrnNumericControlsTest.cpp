// The numeric edit and spin of the settings dialogs: arrow keys and typing in
// the edit, press-and-hold on the spin (the acceleration tick by tick, the
// bounds, the real timer driven through the window as a mouse does it), and
// how their changes reach a partner edit or the owner form dialog.
#include <QHBoxLayout>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <tuple>
#include <vector>

#include "dialogs/CQuorPrnNumEdit.h"
#include "dialogs/CQuorPrnSpinCtrl.h"
#include "dialogs/IQuorPrnHeightOwner.h"
#include "tests/support/DialogDriver.h"

namespace {

// An owner form dialog that records the recomputations it is asked for.
struct RecordingOwner : IQuorPrnHeightOwner {
  std::vector<int32_t> calls;
  void RecalcHeight(int32_t tenths) override { calls.push_back(tenths); }
};

class CQuorPrnNumEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    edit.InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, -999.9, 999.9);
    edit.SetRange(999.9, -999.9, 2);
    partner.InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, -999.9, 999.9);
  }
  void Press(Qt::Key k, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(&edit, k);
  }
  std::tuple<double, double, int> Range() const {
    double lo = 0, hi = 0;
    int mode = 0;
    edit.GetRange(lo, hi, mode);
    return {lo, hi, mode};
  }
  CQuorPrnNumEdit edit;
  CYbNumEdit partner;
};

TEST_F(CQuorPrnNumEditTest, RangesAndModes) {
  EXPECT_EQ(Range(), std::make_tuple(-999.9, 999.9, 2));
  EXPECT_DOUBLE_EQ(edit.GetStep(), 0.1);
  edit.SetRange(5, 1, 1);
  EXPECT_EQ(Range(), std::make_tuple(1.0, 5.0, 1));
  EXPECT_DOUBLE_EQ(edit.GetStep(), 1.0);
  edit.SetRange(0, 1, 7);  // any other mode steps by tenths
  EXPECT_EQ(std::get<2>(Range()), 2);
}

TEST_F(CQuorPrnNumEditTest, ArrowKeysStepWithinTheRangeAndFormatTheText) {
  edit.SetWindowText("0");
  Press(Qt::Key_Up, 3);
  EXPECT_EQ(edit.GetWindowText(), "0.3");  // not 0.30000000000000004
  Press(Qt::Key_Down, 5);
  EXPECT_EQ(edit.GetWindowText(), "-0.2");
  edit.SetWindowText("999.8");
  Press(Qt::Key_Up, 3);
  EXPECT_EQ(edit.GetWindowText(), "999.9");
  edit.SetWindowText("-999.9");
  Press(Qt::Key_Down);
  EXPECT_EQ(edit.GetWindowText(), "-999.9");
  Press(Qt::Key_Up);
  EXPECT_EQ(edit.GetWindowText(), "-999.8");
  edit.SetWindowText("12.3");
  Press(Qt::Key_PageUp);
  EXPECT_EQ(edit.GetWindowText(), "12.3");
}

TEST_F(CQuorPrnNumEditTest, ChangesReachThePartnerWhenLinkedOrTheOwnerInstead) {
  edit.SetPartner(&partner);
  edit.SetWindowText("100");
  partner.SetWindowText("1");
  Press(Qt::Key_Up);
  EXPECT_EQ(partner.GetWindowText(), "1.0");  // not linked yet
  edit.SetLink(1);
  Press(Qt::Key_Up);
  EXPECT_EQ(partner.GetWindowText(), "100.2");
  // Typing, deleting and pasting all count as changes.
  edit.selectAll();
  QTest::keyClicks(&edit, "95.5");
  EXPECT_EQ(partner.GetWindowText(), "95.5");
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(partner.GetWindowText(), "95.");
  QTest::keyClick(&edit, Qt::Key_Home);
  QTest::keyClick(&edit, Qt::Key_Delete);
  EXPECT_EQ(partner.GetWindowText(), "5.");

  // With an owner, the owner recomputes and the partner is left alone.
  RecordingOwner owner;
  edit.SetOwner(&owner);
  partner.SetWindowText("7");
  edit.SetWindowText("0");
  Press(Qt::Key_Up, 3);
  edit.selectAll();
  QTest::keyClicks(&edit, "-5");
  EXPECT_EQ(owner.calls, (std::vector<int32_t>{1, 2, 3, 0, -50}));  // "-" alone reads as 0
  EXPECT_EQ(partner.GetWindowText(), "7.0");
}

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
