// Nothing changes on the press itself: the first step comes with the first
// tick, so a short click steps once at most.
#include "dialogs/CQuorPrnSpinCtrl.h"

#include <QMouseEvent>

#include "platform/ui/CYbNumEdit.h"

CQuorPrnSpinCtrl::CQuorPrnSpinCtrl(QWidget* parent) : CYbSpinButtonCtrl(parent) {
  timer_.setInterval(kPeriodMs);
  connect(&timer_, &QTimer::timeout, this, [this] { OnTimer(timerId_); });
}

void CQuorPrnSpinCtrl::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    timerId_ = IsUpper(e->position().toPoint()) ? kTimerUp : kTimerDown;
    timer_.start();
  }
  CYbSpinButtonCtrl::mousePressEvent(e);
}

void CQuorPrnSpinCtrl::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) Stop();
  CYbSpinButtonCtrl::mouseReleaseEvent(e);
}

void CQuorPrnSpinCtrl::hideEvent(QHideEvent* e) {
  Stop();
  CYbSpinButtonCtrl::hideEvent(e);
}

void CQuorPrnSpinCtrl::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange && !isEnabled()) Stop();
  CYbSpinButtonCtrl::changeEvent(e);
}

void CQuorPrnSpinCtrl::Stop() {
  timer_.stop();
  timerId_ = 0;
  repeat_ = 0;
}

void CQuorPrnSpinCtrl::OnTimer(int id) {
  CYbNumEdit* buddy = GetBuddy();
  if (buddy == nullptr) return;
  double v = buddy->GetWindowTextValue();
  const double inc = repeat_ < 30 ? step_ : repeat_ < 60 ? 10.0 * step_ : 50.0 * step_;
  if (id == kTimerUp) {
    if (v + inc <= high_) {
      v += inc;
    } else if (v < high_) {
      v += step_;
    }
  } else if (id == kTimerDown) {
    if (v - inc >= low_) {
      v -= inc;
    } else if (v > low_) {
      v -= step_;
    }
  }
  buddy->SetWindowTextValue(v);
  if (PassOn(buddy->GetWindowText(), buddy->GetWindowTextValue())) return;
  ++repeat_;
}
