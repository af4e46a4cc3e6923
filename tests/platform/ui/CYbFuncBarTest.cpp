// Where the function-key bar puts its buttons: slots by key, packed when
// auto-arranged, never overlapping, inside the bar in both styles.
#include <gtest/gtest.h>

#include <QPushButton>
#include <vector>

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
  bar.resize(700, CYbFuncBar::kHeight);
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

  // An explicit position overrides the key's own place.
  bar.SetButton(kVkEscape, "Cancel", 1);
  EXPECT_LT(bar.Button(kVkEscape)->geometry().left(), bar.Button(kVkF1)->geometry().left());
  EXPECT_EQ(bar.Button(kVkF1)->text(), QStringLiteral("F1 Help"));
  EXPECT_EQ(bar.Button(kVkEscape)->focusPolicy(), Qt::NoFocus);
}

}  // namespace
