// Arrow keys and typing in the numeric edit of the settings dialogs, and how
// its changes reach a partner edit or the owner form dialog.
#include <gtest/gtest.h>

#include <QTest>
#include <vector>

#include "dialogs/CQuorPrnNumEdit.h"
#include "dialogs/IQuorPrnHeightOwner.h"
#include "platform/ui/UiApplication.h"
#include "quorprn/QuorPrnResult.h"

namespace {

struct RecordingOwner : IQuorPrnHeightOwner {
  std::vector<int32_t> calls;
  void RecalcHeight(int32_t tenths) override { calls.push_back(tenths); }
};

class CQuorPrnNumEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(UiApplication::Ensure(), QUOR_PRN_SUCCESS);
    edit.InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, -999.9, 999.9);
    edit.SetRange(999.9, -999.9, 2);
    partner.InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, -999.9, 999.9);
  }
  void Press(Qt::Key k, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(&edit, k);
  }
  CQuorPrnNumEdit edit;
  CYbNumEdit partner;
};

TEST_F(CQuorPrnNumEditTest, RangesAndModes) {
  double lo = 0, hi = 0;
  int mode = 0;
  edit.GetRange(lo, hi, mode);
  EXPECT_EQ(lo, -999.9);
  EXPECT_EQ(hi, 999.9);
  EXPECT_EQ(mode, 2);
  EXPECT_DOUBLE_EQ(edit.GetStep(), 0.1);
  edit.SetRange(5, 1, 1);
  edit.GetRange(lo, hi, mode);
  EXPECT_EQ(lo, 1.0);
  EXPECT_EQ(mode, 1);
  EXPECT_DOUBLE_EQ(edit.GetStep(), 1.0);
  edit.SetRange(0, 1, 7);  // any other mode steps by tenths
  edit.GetRange(lo, hi, mode);
  EXPECT_EQ(mode, 2);
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
  // Other keys leave the value alone.
  edit.SetWindowText("12.3");
  Press(Qt::Key_PageUp);
  EXPECT_EQ(edit.GetWindowText(), "12.3");
}

TEST_F(CQuorPrnNumEditTest, ChangesReachThePartnerOnlyWhenLinked) {
  edit.SetPartner(&partner);
  edit.SetWindowText("100");
  partner.SetWindowText("1");
  Press(Qt::Key_Up);
  EXPECT_EQ(partner.GetWindowText(), "1");  // not linked yet
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
}

TEST_F(CQuorPrnNumEditTest, AnOwnerRecomputesInsteadOfThePartnerCopying) {
  RecordingOwner owner;
  edit.SetPartner(&partner);
  edit.SetOwner(&owner);
  edit.SetLink(1);
  partner.SetWindowText("7");
  edit.SetWindowText("0");
  Press(Qt::Key_Up, 3);
  edit.selectAll();
  QTest::keyClicks(&edit, "-5");
  EXPECT_EQ(owner.calls, (std::vector<int32_t>{1, 2, 3, 0, -50}));  // "-" alone reads as 0
  EXPECT_EQ(partner.GetWindowText(), "7");
}

}  // namespace
