// QAbstractSlider reports a user action (actionTriggered) after moving the
// slider position but before the value follows; the value change right after
// it is the user's, and only that one is passed on as userMoved.
#include "platform/ui/CYbSliderCtrl.h"

#include "platform/ui/UiControl.h"

CYbSliderCtrl::CYbSliderCtrl(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  connect(this, &QAbstractSlider::actionTriggered, this, [this](int) { userMove_ = sliderPosition() != value(); });
  connect(this, &QAbstractSlider::valueChanged, this, [this](int v) {
    if (!userMove_) return;
    userMove_ = false;
    emit userMoved(v);
  });
}

void CYbSliderCtrl::SetRange(int min, int max) {
  userMove_ = false;
  setRange(min, max);
}

void CYbSliderCtrl::SetPos(int pos) {
  userMove_ = false;
  setValue(pos);
}

void CYbSliderCtrl::SetTicFreq(int freq) {
  setTickPosition(freq > 0 ? QSlider::TicksBelow : QSlider::NoTicks);
  setTickInterval(freq);
}

void CYbSliderCtrl::focusOutEvent(QFocusEvent* e) {
  QSlider::focusOutEvent(e);
  if (UiControl::FocusMovedAway(e)) emit focusLost();
}
