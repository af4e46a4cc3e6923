#include "platform/ui/CYbSliderCtrl.h"

CYbSliderCtrl::CYbSliderCtrl(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void CYbSliderCtrl::SetTicFreq(int freq) {
  setTickPosition(freq > 0 ? QSlider::TicksBelow : QSlider::NoTicks);
  setTickInterval(freq);
}
