// The small services the dialogs lean on: the busy cursor comes back on every
// way out of a scope, a message box answers with the button the user chose,
// and the painted icons follow the binder colour table and exist at the size
// asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <set>
#include <stdexcept>

#include "platform/ui/CYbImageList.h"
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

}  // namespace
