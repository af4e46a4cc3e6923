// The busy cursor comes back on every way out of a scope.
#include <gtest/gtest.h>

#include <QApplication>
#include <stdexcept>

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

}  // namespace
