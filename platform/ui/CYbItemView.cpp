#include "platform/ui/CYbItemView.h"

#include <QFocusEvent>

#include "platform/ui/CYbImageList.h"
#include "platform/ui/UiControl.h"

CYbItemView::CYbItemView(QWidget* parent) : QTreeWidget(parent) {}

void CYbItemView::SetImageList(const CYbImageList* images) {
  images_ = images;
  if (images_) setIconSize(images_->Size());
}

bool CYbItemView::viewportEvent(QEvent* e) {
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
      ++userInput_;
      const bool r = QTreeWidget::viewportEvent(e);
      --userInput_;
      return r;
    }
    default:
      return QTreeWidget::viewportEvent(e);
  }
}

void CYbItemView::keyPressEvent(QKeyEvent* e) {
  ++userInput_;
  QTreeWidget::keyPressEvent(e);
  --userInput_;
}

void CYbItemView::focusOutEvent(QFocusEvent* e) {
  QTreeWidget::focusOutEvent(e);
  if (UiControl::FocusMovedAway(e)) emit focusLost();
}
