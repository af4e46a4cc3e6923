// Arrow keys and typing in the numeric edit of the settings dialogs, and how
// its changes reach a partner edit or the owner form dialog.
#include <QTest>
#include <tuple>

#include "dialogs/CQuorPrnNumEdit.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

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
  dialogtest::RecordingOwner owner;
  edit.SetOwner(&owner);
  partner.SetWindowText("7");
  edit.SetWindowText("0");
  Press(Qt::Key_Up, 3);
  edit.selectAll();
  QTest::keyClicks(&edit, "-5");
  EXPECT_EQ(owner.calls, (std::vector<int32_t>{1, 2, 3, 0, -50}));  // "-" alone reads as 0
  EXPECT_EQ(partner.GetWindowText(), "7.0");
}

}  // namespace
