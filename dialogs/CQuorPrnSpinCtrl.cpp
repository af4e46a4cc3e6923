// Nothing changes on the press itself: the first step comes with the first
// tick, so a short click steps once at most.
#include "dialogs/CQuorPrnSpinCtrl.h"

#include <QMouseEvent>
#include <cmath>

#include "dialogs/IQuorPrnHeightOwner.h"
#include "platform/ui/CYbNumEdit.h"

CQuorPrnSpinCtrl::CQuorPrnSpinCtrl(QWidget* parent) : CYbSpinButtonCtrl(parent) {
  timer_.setInterval(kPeriodMs);
  connect(&timer_, &QTimer::timeout, this, [this] { OnTimer(timerId_); });
}

void CQuorPrnSpinCtrl::SetRange(double a, double b, int mode) {
  min_ = std::min(a, b);
  max_ = std::max(a, b);
  mode_ = mode == 1 ? 1 : 2;
  step_ = mode == 1 ? 1.0 : 0.1;
}

void CQuorPrnSpinCtrl::GetRange(double& min, double& max, int& mode) const {
  min = min_;
  max = max_;
  mode = mode_;
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
    if (v + inc <= max_) {
      v += inc;
    } else if (v < max_) {
      v += step_;
    }
  } else if (id == kTimerDown) {
    if (v - inc >= min_) {
      v -= inc;
    } else if (v > min_) {
      v -= step_;
    }
  }
  buddy->SetWindowTextValue(v);
  if (PassOn(buddy->GetWindowText(), buddy->GetWindowTextValue())) return;
  ++repeat_;
}

bool CQuorPrnSpinCtrl::PassOn(const std::string& text, double value) {
  if (link_ == 0 || partner_ == nullptr) return false;
  if (owner_ != nullptr) {
    owner_->RecalcHeight(static_cast<int32_t>(std::lround(value * 10.0)));
    return true;
  }
  partner_->CYbEdit::SetWindowText(text);
  return false;
}
