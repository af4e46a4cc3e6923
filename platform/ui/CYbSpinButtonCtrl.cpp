#include "platform/ui/CYbSpinButtonCtrl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "platform/ui/CYbNumEdit.h"

CYbSpinButtonCtrl::CYbSpinButtonCtrl(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

void CYbSpinButtonCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int half = height() / 2;
  const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
  for (int i = 0; i < 2; ++i) {
    QStyleOptionButton b;
    b.initFrom(this);
    b.rect = halves[i];
    const bool down = (i == 0 && pressed_ == Half::Up) || (i == 1 && pressed_ == Half::Down);
    b.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &b, &p, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = halves[i].adjusted(3, 2, -3, -2);
    style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &arrow, &p, this);
  }
}

void CYbSpinButtonCtrl::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    pressed_ = IsUpper(e->position().toPoint()) ? Half::Up : Half::Down;
    update();
  }
  e->accept();
}

void CYbSpinButtonCtrl::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    pressed_ = Half::None;
    update();
  }
  e->accept();
}
