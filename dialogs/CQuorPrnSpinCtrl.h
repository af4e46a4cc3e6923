// The spin beside a numeric edit: pressing and holding an arrow steps the
// buddy edit every 80 ms (timer 99 up, 2 down), by the step for the first 30
// ticks, 10 steps from tick 30 and 50 steps from tick 60; at a bound it
// closes in by single steps. Each tick reads the value back from the buddy's
// formatted text, so rounding errors never pile up. Changes are passed on
// like the numeric edit's; a tick passed to an owner does not accelerate.
// The timer stops on release (wherever the button is released), and when the
// spin is hidden or disabled. Owns neither buddy, partner nor owner.
#pragma once

#include <QTimer>

#include "dialogs/CQuorPrnStepLink.h"
#include "platform/ui/CYbSpinButtonCtrl.h"

class CQuorPrnSpinCtrl : public CYbSpinButtonCtrl, public CQuorPrnStepLink {
  Q_OBJECT
 public:
  static constexpr int kTimerUp = 99;
  static constexpr int kTimerDown = 2;
  static constexpr int kPeriodMs = 80;

  explicit CQuorPrnSpinCtrl(QWidget* parent = nullptr);

  // One tick of timer `id`, as the running timer delivers it.
  void OnTimer(int id);
  // kTimerUp, kTimerDown or 0 when no arrow is held.
  int RunningTimer() const { return timerId_; }
  int RepeatCount() const { return repeat_; }

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void Stop();

  QTimer timer_;
  int timerId_ = 0;
  int repeat_ = 0;
};
