// The painted icons: ids follow the binder colour table and every picture
// that a dialog names exists at the size asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QStyle>
#include <set>

#include "platform/ui/CYbImageList.h"
#include "platform/ui/UiPictures.h"
#include "tests/support/DialogDriver.h"

namespace {

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
