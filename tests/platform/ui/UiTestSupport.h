// Helpers for driving modal dialogs in tests: the actions run from a timer
// once the dialog's event loop runs, and a watchdog ends a dialog that a
// failed action left open, so a broken test fails instead of hanging. The
// QApplication is made once for the whole test program, before any case.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "platform/ui/CMeraBWBaseDialog.h"
#include "platform/ui/UiApplication.h"
#include "quorprn/QuorPrnResult.h"

namespace uitest {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_EQ(UiApplication::Ensure(), QUOR_PRN_SUCCESS); }
};

inline ::testing::Environment* const kQt = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

constexpr int kWatchdogCode = -99;

// Runs dlg.DoModal(); `actions` runs inside the dialog's loop once the window
// is active. Returns what DoModal returned (kWatchdogCode after 5 s).
inline int RunModal(CMeraBWBaseDialog& dlg, std::function<void()> actions, int watchdogMs = 5000) {
  QTimer::singleShot(0, &dlg, [&dlg, actions] {
    if (!QTest::qWaitForWindowActive(&dlg)) return;
    actions();
  });
  QTimer::singleShot(watchdogMs, &dlg, [&dlg] { dlg.EndDialog(kWatchdogCode); });
  return dlg.DoModal();
}

// The modal window on top other than `below` (a message box), waiting up to
// 2 s for it to appear.
inline QWidget* WaitForModalAbove(QWidget* below) {
  for (int i = 0; i < 200; ++i) {
    QWidget* top = QApplication::activeModalWidget();
    if (top != nullptr && top != below) return top;
    QTest::qWait(10);
  }
  return nullptr;
}

}  // namespace uitest
