// Which button a message box answers with, driven like a user would.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/ui/UiMessageBox.h"
#include "tests/support/DialogDriver.h"

namespace {

int Answer(uint32_t type, std::function<void(QMessageBox*)> act) {
  QMessageBox* seen = nullptr;
  QTimer::singleShot(0, [&] {
    seen = qobject_cast<QMessageBox*>(uitest::WaitForModalAbove(nullptr));
    if (seen == nullptr) return;
    if (!QTest::qWaitForWindowActive(seen)) return;
    act(seen);
  });
  // The watchdog: a box that is still open after 5 s is closed as Escape would.
  QTimer::singleShot(5000, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
  });
  const int r = UiMessageBox::Show(nullptr, "text", "caption", type);
  return seen ? r : -1;
}

TEST(UiMessageBoxTest, AnswersOkOrCancelAsTheUserChose) {
  EXPECT_EQ(Answer(kMbOkCancel | kMbIconQuestion, [](QMessageBox* b) { b->button(QMessageBox::Cancel)->click(); }),
            kIdCancel);
  EXPECT_EQ(Answer(kMbOkCancel | kMbIconQuestion, [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Return); }), kIdOk);
  EXPECT_EQ(Answer(kMbOkCancel, [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); }), kIdCancel);
  // With OK alone, Escape is OK.
  EXPECT_EQ(Answer(kMbOk | kMbIconExclamation, [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); }), kIdOk);
}

}  // namespace
