// The small pieces the dialogs lean on: the busy cursor comes back on every
// way out of a scope, a message box answers with the button the user chose,
// the painted icons follow the binder colour table and exist at the size
// asked for, the numeric edit (what it shows, reads back and lets a user
// type) and the function-key bar (slots by key, packed when auto-arranged,
// never overlapping, inside the bar in both styles).
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <clocale>
#include <set>
#include <stdexcept>
#include <vector>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/CYbFuncBar.h"
#include "platform/ui/CYbImageList.h"
#include "platform/ui/CYbNumEdit.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiMessageBox.h"
#include "platform/ui/UiPictures.h"
#include "platform/ui/UiWaitCursor.h"
#include "tests/support/DialogDriver.h"

namespace {

// An open operation in the shape the dialogs have: busy while reading, with
// an early error return and a failure that throws.
int Open(int failAt) {
  UiWaitCursor wait;
  if (!UiWaitCursor::IsShowing()) return -1;
  if (failAt == 1) return 120;
  {
    UiWaitCursor nested;
    if (failAt == 2) throw std::runtime_error("read failed");
  }
  if (!UiWaitCursor::IsShowing()) return -2;  // the inner one gave back only its own
  wait.Restore();                             // the dialog shows: the user may act again
  return UiWaitCursor::IsShowing() ? -3 : 1;
}

TEST(UiWaitCursorTest, RestoresTheCursorOnSuccessErrorAndException) {
  EXPECT_EQ(Open(0), 1);
  EXPECT_FALSE(UiWaitCursor::IsShowing());
  EXPECT_EQ(Open(1), 120);
  EXPECT_FALSE(UiWaitCursor::IsShowing());
  EXPECT_THROW(Open(2), std::runtime_error);
  EXPECT_FALSE(UiWaitCursor::IsShowing());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The answer of a message box of `type` that the user handles with `act`.
int Answer(uint32_t type, std::function<void(QMessageBox&)> act) {
  uitest::WhenOpened<QMessageBox>(nullptr, act);
  return UiMessageBox::Show(nullptr, "text", "caption", type);
}

TEST(UiMessageBoxTest, AnswersOkOrCancelAsTheUserChose) {
  EXPECT_EQ(Answer(kMbOkCancel | kMbIconQuestion, [](QMessageBox& b) { b.button(QMessageBox::Cancel)->click(); }),
            kIdCancel);
  EXPECT_EQ(Answer(kMbOkCancel | kMbIconQuestion, [](QMessageBox& b) { QTest::keyClick(&b, Qt::Key_Return); }), kIdOk);
  EXPECT_EQ(Answer(kMbOkCancel, [](QMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); }), kIdCancel);
  // With OK alone, Escape is OK.
  EXPECT_EQ(Answer(kMbOk | kMbIconExclamation, [](QMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); }), kIdOk);
}

TEST(UiPicturesTest, BinderIconsFollowTheColourTable) {
  EXPECT_EQ(UiPictures::BinderIconId(1, true), 31720);
  EXPECT_EQ(UiPictures::BinderIconId(11, true), 31742);  // olive after lime in the ids
  EXPECT_EQ(UiPictures::BinderIconId(12, true), 31740);
  EXPECT_EQ(UiPictures::BinderIconId(16, false), 31751);
  EXPECT_EQ(UiPictures::BinderIconId(0, true), UiPictures::BinderIconId(6, true));  // standard shows red
  EXPECT_EQ(UiPictures::BinderIconId(17, true), 0);
  EXPECT_EQ(UiPictures::BinderIconId(-1, false), 0);
  std::set<int> ids;
  for (int i = 1; i < UiPictures::kBinderColours; ++i) {
    const int large = UiPictures::BinderIconId(i, true);
    ids.insert(large);
    const QImage big = UiPictures::Pixmap(large).toImage();
    const QImage little = UiPictures::Pixmap(UiPictures::BinderIconId(i, false)).toImage();
    EXPECT_EQ(big.size(), QSize(48, 48)) << i;
    EXPECT_EQ(little.size(), QSize(16, 16)) << i;
    // The cover is drawn in the binder's own colour.
    EXPECT_EQ(QColor(big.pixel(30, 34)).rgb(), UiPictures::BinderColour(i).rgb()) << i;
  }
  EXPECT_EQ(ids.size(), 16u);
}

TEST(UiPicturesTest, EveryNamedPictureExistsAndUnknownIdsAreRefused) {
  for (int id : {31752, 31753, 31754, 31755, 31756, 31901, 31902, 31951, 31952}) {
    const QPixmap p = UiPictures::Pixmap(id, 20);
    ASSERT_FALSE(p.isNull()) << id;
    EXPECT_EQ(p.size(), QSize(20, 20)) << id;
    // Not an empty canvas: something was drawn in the middle band.
    const QImage img = p.toImage();
    bool drawn = false;
    for (int x = 0; x < 20 && !drawn; ++x) drawn = qAlpha(img.pixel(x, 10)) != 0;
    EXPECT_TRUE(drawn) << id;
  }
  // The system's own sizes and information icon, as the style gives them.
  EXPECT_EQ(UiPictures::SmallIconSize(), QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize));
  EXPECT_GT(UiPictures::SmallIconSize(), 0);
  const QPixmap info = UiPictures::Pixmap(UiPictures::kSystemInformation);
  ASSERT_FALSE(info.isNull());
  EXPECT_EQ(info.width(), UiPictures::IconSize());
  EXPECT_TRUE(UiPictures::Pixmap(31719).isNull());
  EXPECT_TRUE(UiPictures::Pixmap(31900).isNull());
  CYbImageList list;
  list.Create(16, 16);
  EXPECT_EQ(list.AddPicture(31754), 0);
  EXPECT_EQ(list.AddPicture(4711), -1);
  EXPECT_EQ(list.GetImageCount(), 1);
  EXPECT_TRUE(list.Pixmap(1).isNull());
}

TEST(CYbNumEditTest, ReadsAndWritesTextWithADotWhateverTheLocale) {
  // A locale with a decimal comma, where one is installed.
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  CYbNumEdit e;
  e.InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, -999.9, 999.9);
  e.SetWindowTextValue(-1.5);
  EXPECT_EQ(e.GetWindowText(), "-1.5");
  EXPECT_DOUBLE_EQ(e.GetWindowTextValue(), -1.5);
  // Writing a text rounds it to the decimal digits and shows exactly that many.
  e.SetWindowText("79.96");
  EXPECT_EQ(e.GetWindowText(), "80.0");
  e.SetWindowText("-100.0");
  EXPECT_EQ(e.GetWindowText(), "-100.0");
  e.SetWindowText("abc");  // not a number: shown as given, read as 0
  EXPECT_DOUBLE_EQ(e.GetWindowTextValue(), 0.0);
  e.SetWindowText("");
  EXPECT_DOUBLE_EQ(e.GetWindowTextValue(), 0.0);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

// At most five significant digits without decimal digits, exactly that many
// with them; binary noise, exponents and negative zero never show.
TEST(CYbNumEditTest, ShowsValuesWithTheirDecimalDigits) {
  const std::pair<double, const char*> values[] = {{3.0, "3"},           {0.1 + 0.2, "0.3"},  {999.9, "999.9"},
                                                   {-999.9, "-999.9"},   {1234.56, "1234.6"}, {12345.6, "12346"},
                                                   {123456.0, "123456"}, {-0.0, "0"},         {-1e-9, "0"}};
  for (const auto& [value, shown] : values) EXPECT_EQ(CYbNumEdit::FormatValue(value), shown) << value;
  EXPECT_EQ(CYbNumEdit::FormatValue(-1e-9, 1), "0.0");

  CYbNumEdit e;
  e.InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, -999.9, 999.9);
  const std::pair<const char*, const char*> texts[] = {{"80", "80.0"},    {"100.0", "100.0"}, {"-1.5", "-1.5"},
                                                       {"0", "0.0"},      {"3", "3.0"},       {"-0.04", "0.0"},
                                                       {"12.35", "12.4"}, {"999.9", "999.9"}, {" 7 ", "7.0"}};
  for (const auto& [given, shown] : texts) {
    e.SetWindowText(given);
    EXPECT_EQ(e.GetWindowText(), shown) << given;
  }
  e.SetWindowTextValue(0.1 + 0.2);
  EXPECT_EQ(e.GetWindowText(), "0.3");
  EXPECT_DOUBLE_EQ(e.GetWindowTextValue(), 0.3);
  e.SetWindowTextValue(-3);
  EXPECT_EQ(e.GetWindowText(), "-3.0");
  // Without decimal digits a value keeps its shortest form.
  CYbNumEdit whole;
  whole.InitEdit(kNumEditNumeric, 0, 3, 0, 0, 999);
  whole.SetWindowText("41.6");
  EXPECT_EQ(whole.GetWindowText(), "42");
}

TEST(CYbNumEditTest, TypingIsLimitedToTheDigitsAndSign) {
  CYbNumEdit signedEdit;
  signedEdit.InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, -999.9, 999.9);
  QTest::keyClicks(&signedEdit, "-12a.34");
  EXPECT_EQ(signedEdit.text(), QStringLiteral("-12.3"));
  signedEdit.clear();
  QTest::keyClicks(&signedEdit, "12345");
  EXPECT_EQ(signedEdit.text(), QStringLiteral("123"));

  CYbNumEdit scale;
  scale.InitEdit(kNumEditNumeric, 0, 3, 1, 80.0, 120.0);
  QTest::keyClicks(&scale, "-99.5");
  EXPECT_EQ(scale.text(), QStringLiteral("99.5"));
}

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
