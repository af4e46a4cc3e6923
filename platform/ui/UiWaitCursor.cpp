#include "platform/ui/UiWaitCursor.h"

#include <QApplication>
#include <QCursor>

UiWaitCursor::UiWaitCursor() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
  QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  active_ = true;
}

UiWaitCursor::~UiWaitCursor() { Restore(); }

void UiWaitCursor::Restore() {
  if (!active_) return;
  active_ = false;
  QApplication::restoreOverrideCursor();
}

bool UiWaitCursor::IsShowing() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return false;
  const QCursor* c = QApplication::overrideCursor();
  return c != nullptr && c->shape() == Qt::WaitCursor;
}
