// Where the function-key bar puts its buttons: slots by key, packed when
// auto-arranged, never overlapping, inside the bar in both styles.
#include <gtest/gtest.h>

#include <QPushButton>
#include <vector>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/CYbFuncBar.h"
#include "platform/ui/UiKeys.h"
#include "tests/support/DialogDriver.h"

namespace {

std::vector<QRect> Rects(const CYbFuncBar& bar, const std::vector<int>& keys) {
  std::vector<QRect> r;
  for (int k : keys) r.push_back(bar.Button(k)->geometry());
  return r;
}

void ExpectInOrderInside(const CYbFuncBar& bar, const std::vector<QRect>& r) {
  ASSERT_FALSE(r.empty());
  for (size_t i = 0; i < r.size(); ++i) {
    EXPECT_GE(r[i].left(), 0) << i;
    EXPECT_LE(r[i].right(), bar.width()) << i;
    EXPECT_GT(r[i].width(), 20) << i;
    if (i > 0) {
      EXPECT_LT(r[i - 1].right(), r[i].left()) << i;
    }
  }
}

TEST(CYbFuncBarTest, ButtonsFollowTheKeyboardOrPackWhenAutoArranged) {
  CYbFuncBar bar(nullptr);
  bar.resize(1400, CYbFuncBar::kHeight);
  // Declared out of keyboard order on purpose.
  bar.SetButton(kVkEscape, "Cancel", 0);
  bar.SetButton(kVkF9, "Colour", 0);
  bar.SetButton(kVkF1, "Help", 0);
  bar.SetButton(kVkReturn, "OK", 0);
  const std::vector<int> order = {kVkF1, kVkF9, kVkReturn, kVkEscape};

  bar.SetStyle(1);
  auto slotted = Rects(bar, order);
  ExpectInOrderInside(bar, slotted);
  // Without auto-arrange F2 to F8 keep their empty slots between F1 and F9.
  EXPECT_GT(slotted[1].left() - slotted[0].right(), 5 * slotted[0].width());

  // Slots too narrow for the labels: packed rather than cut.
  bar.resize(700, CYbFuncBar::kHeight);
  bar.SetStyle(1);
  EXPECT_LT(Rects(bar, order)[1].left() - Rects(bar, order)[0].right(), 10);

  bar.SetAutoArrange(true);
  auto packed = Rects(bar, order);
  ExpectInOrderInside(bar, packed);
  EXPECT_LT(packed[1].left() - packed[0].right(), 10);
  EXPECT_GE(packed[3].right(), bar.width() - 10);  // style 1 fills the width

  bar.SetStyle(2);
  auto right = Rects(bar, order);
  ExpectInOrderInside(bar, right);
  EXPECT_GT(right[0].left(), bar.width() / 3);  // fixed widths gather at the right
  EXPECT_GE(right[3].right(), bar.width() - 10);

  // A position never takes a key out of keyboard order.
  bar.SetButton(kVkEscape, "Cancel", 1);
  ExpectInOrderInside(bar, Rects(bar, order));
  EXPECT_EQ(bar.Button(kVkF1)->text(), QStringLiteral("F1 Help"));
  EXPECT_EQ(bar.Button(kVkEscape)->focusPolicy(), Qt::NoFocus);
}

// The form dialog's bar: no auto-arrange, F1 at 10, F9 at 5, Return at 128,
// Escape at 5. Positions are spaces before the buttons, so the wide one sets
// confirm and cancel apart; a narrower bar shrinks buttons to their labels,
// then the spaces, never a label.
TEST(CYbFuncBarTest, PositionsAreSpacesThatShrinkBeforeAnyLabelIsCut) {
  const std::vector<int> order = {kVkF1, kVkF9, kVkReturn, kVkEscape};
  CYbFuncBar bar(nullptr);
  bar.SetButton(kVkF1, mbcs::Cp932("ヘルプ"), 10);
  bar.SetButton(kVkF9, mbcs::Cp932("初期値"), 5);
  bar.SetButton(kVkReturn, mbcs::Cp932("確定"), 128);
  bar.SetButton(kVkEscape, mbcs::Cp932("ｷｬﾝｾﾙ"), 5);
  for (int barWidth : {640, 480, bar.MinimumWidth() + 20}) {
    bar.resize(barWidth, CYbFuncBar::kHeight);
    bar.SetStyle(2);  // lays the hidden bar out now
    SCOPED_TRACE(barWidth);
    const auto r = Rects(bar, order);
    ExpectInOrderInside(bar, r);
    for (size_t i = 0; i < order.size(); ++i) {
      const QPushButton* b = bar.Button(order[i]);
      EXPECT_GE(r[i].width(), b->fontMetrics().horizontalAdvance(b->text())) << i;
    }
    const int beforeReturn = r[2].left() - r[1].right(), beforeF9 = r[1].left() - r[0].right();
    EXPECT_GT(beforeReturn, beforeF9);
    if (barWidth == 640) {
      EXPECT_EQ(beforeReturn, 129);  // the whole space: right() is the last pixel inside
      EXPECT_EQ(r[3].left() - r[2].right(), 6);
      EXPECT_EQ(r[3].right(), barWidth - 5);  // style 2 gathers at the right
    }
  }
  bar.resize(bar.MinimumWidth(), CYbFuncBar::kHeight);
  bar.SetStyle(1);
  ExpectInOrderInside(bar, Rects(bar, order));
}

}  // namespace
