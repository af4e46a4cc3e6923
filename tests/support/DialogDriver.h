// The one way dialog tests drive a dialog: as a user would, through real
// mouse clicks and key presses on the offscreen platform, inside the dialog's
// own modal loop. RunModal starts the dialog with a watchdog that closes
// whatever is left open (message boxes first), so a test whose script fails
// halfway fails instead of hanging. Message boxes are answered by a watcher
// armed before the action that opens one. Also makes the QApplication once
// for the whole test program, before any fixture builds a widget, and gives
// the fixture every dialog test starts from.
// Texts in and out are code page 932, like the library's.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <QTreeWidgetItem>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/ui/CMeraBWBaseDialog.h"
#include "platform/ui/UiApplication.h"
#include "quorprn/QuorPrnResult.h"
#include "tests/support/Sandbox.h"

namespace uitest {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_EQ(UiApplication::Ensure(), QUOR_PRN_SUCCESS); }
};

inline ::testing::Environment* const kQt = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// What RunModal answers when the watchdog had to end the dialog.
constexpr int kWatchdogCode = -99;

// A message box the driver answered.
struct SeenMessageBox {
  bool seen = false;
  std::string text;     // code page 932
  std::string caption;  // code page 932
  uint32_t icon = 0;    // kMbIconStop, kMbIconQuestion, kMbIconExclamation, kMbIconInformation or 0
  int answer = 0;       // kIdOk or kIdCancel
  std::vector<std::string> buttons;  // the button texts, code page 932, left to right
};

class DialogDriver {
 public:
  explicit DialogDriver(CMeraBWBaseDialog& dlg);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Runs dlg.DoModal(); `script` runs inside the dialog's loop once its
  // window is active. Returns DoModal's code, kWatchdogCode when the watchdog
  // ended the dialog after watchdogMs.
  int RunModal(const std::function<void()>& script, int watchdogMs = 5000);

  // A key (Qt::Key) pressed and released on the focused control.
  void PressKey(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // A function key by its virtual-key code (kVkF1.., kVkReturn, kVkEscape).
  void PressFunctionKey(int vk);
  // A mouse click on a template button, CYbPushBtn, check box or radio button
  // (on its indicator). False when there is no such visible, enabled control.
  bool ClickButton(int id);
  // A click on the function-key bar's button of vk; false without one.
  bool ClickBarButton(int vk);
  // Opens the combo's list and clicks entry `index`.
  bool PickComboEntry(int id, int index);
  // Clicks row `row` (its first column) of a CYbListCtrl.
  bool PickListRow(int id, int row);
  // Clicks `item` of a CYbTreeCtrl (its parents are expanded first).
  bool PickTreeItem(int id, QTreeWidgetItem* item);
  // Focuses the slider and presses the arrow keys until it stands at pos
  // (one user move per step).
  bool MoveSlider(int id, int pos);
  // Clicks into the edit, selects its text, types `text` (code page 932)
  // over it and, with leave, presses Tab so that the focus leaves it.
  bool TypeInto(int id, const std::string& text, bool leave = true);

  // Arms the watcher: the next message box that opens is read and closed with
  // kIdOk or kIdCancel. Arm it before the action that opens the box.
  void AnswerNextMessageBox(int answer);
  // The last message box answered (seen false when none came).
  const SeenMessageBox& LastMessageBox() const { return box_; }

  // The text a control shows: labels, buttons, groups, edits, the selected
  // entry of a combo box, the selected row (first column) of a list, the
  // selected item of a tree; "" for none.
  std::string Text(int id) const;
  // Saves the dialog as shown to build/gallery/<template id>-<language>.png
  // and returns the path ("" when it could not be written).
  std::string SavePng(const std::string& language) const;

 private:
  void CheckForMessageBox();

  CMeraBWBaseDialog& dlg_;
  QTimer* watcher_ = nullptr;
  int pendingAnswer_ = 0;
  SeenMessageBox box_;
};

// The modal window on top other than `below` (a message box), waiting up to
// 2 s for it to appear.
QWidget* WaitForModalAbove(QWidget* below);

// dlg run modally with `script` (see DialogDriver::RunModal), which may take
// the dialog's driver.
template <class F>
int RunModal(CMeraBWBaseDialog& dlg, F script, int watchdogMs = 5000) {
  DialogDriver driver(dlg);
  if constexpr (std::is_invocable_v<F&, DialogDriver&>) {
    return driver.RunModal([&] { script(driver); }, watchdogMs);
  } else {
    return driver.RunModal(script, watchdogMs);
  }
}

// Runs `act` on the window of type D that the next action opens modally above
// `below` (null: any), inside that window's own loop once it is active. `act`
// takes the window, and for a dialog may take its driver too.
template <class D, class F>
void WhenOpened(QWidget* below, F act) {
  QTimer::singleShot(0, [below, act] {
    auto* d = dynamic_cast<D*>(WaitForModalAbove(below));
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(d));
    if constexpr (std::is_invocable_v<const F&, D&, DialogDriver&>) {
      DialogDriver driver(*d);
      act(*d, driver);
    } else {
      act(*d);
    }
  });
}

// The sandbox with printers "Printer A" (the default) and "Printer B".
class DialogFixture : public testsupport::Sandbox {
 protected:
  void SetUp() override {
    Sandbox::SetUp();
    UsePrinters({"Printer A", "Printer B"}, "Printer A");
  }
};

}  // namespace uitest
