// The spin beside a numeric edit: pressing and holding an arrow steps the
// buddy edit every 80 ms (timer 99 up, 2 down), by the step for the first 30
// ticks, 10 steps from tick 30 and 50 steps from tick 60; at a bound it
// closes in by single steps. Each tick reads the value back from the buddy's
// formatted text, so rounding errors never pile up. Changes are passed on
// like the numeric edit's; a tick passed to an owner does not accelerate.
// The timer stops on release (wherever the button is released), and when the
// spin is hidden or disabled. Owns neither buddy, partner nor owner.
#pragma once

#include <QPointer>
#include <QTimer>

#include "platform/ui/CYbSpinButtonCtrl.h"

class CYbEdit;
class IQuorPrnHeightOwner;

class CQuorPrnSpinCtrl : public CYbSpinButtonCtrl {
  Q_OBJECT
 public:
  static constexpr int kTimerUp = 99;
  static constexpr int kTimerDown = 2;
  static constexpr int kPeriodMs = 80;

  explicit CQuorPrnSpinCtrl(QWidget* parent = nullptr);

  void SetRange(double a, double b, int mode);
  void GetRange(double& min, double& max, int& mode) const;
  double GetStep() const { return step_; }
  void SetLink(int link) { link_ = link; }
  int GetLink() const { return link_; }
  void SetPartner(CYbEdit* partner) { partner_ = partner; }
  void SetOwner(IQuorPrnHeightOwner* owner) { owner_ = owner; }

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
  // True when the change went to an owner.
  bool PassOn(const std::string& text, double value);
  void Stop();

  QTimer timer_;
  int timerId_ = 0;
  double min_ = 0.0;
  double max_ = 100.0;
  double step_ = 1.0;
  int mode_ = 1;
  int repeat_ = 0;
  int link_ = 0;
  QPointer<CYbEdit> partner_;
  IQuorPrnHeightOwner* owner_ = nullptr;
};
