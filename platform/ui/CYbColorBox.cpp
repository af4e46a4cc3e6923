#include "platform/ui/CYbColorBox.h"

#include <QPainter>

CYbColorBox::CYbColorBox(QWidget* parent) : QFrame(parent) { setFrameStyle(QFrame::Panel | QFrame::Sunken); }

void CYbColorBox::SetColor(uint32_t rgb) {
  rgb_ = rgb;
  update();
}

void CYbColorBox::paintEvent(QPaintEvent* e) {
  {
    QPainter p(this);
    p.fillRect(contentsRect(), QColor(rgb_ & 0xFF, (rgb_ >> 8) & 0xFF, (rgb_ >> 16) & 0xFF));
  }
  QFrame::paintEvent(e);
}
