// Ids live in a dynamic property: no control class needs a base of ours.
#include "platform/ui/UiControl.h"

#include <QApplication>
#include <QFocusEvent>
#include <QVariant>
#include <QWidget>

#include "platform/ui/CYbDialog.h"

namespace {
constexpr const char* kIdProperty = "quorprn_id";
}

void UiControl::SetId(QWidget* w, int id) { w->setProperty(kIdProperty, id); }

int UiControl::Id(const QWidget* w) {
  const QVariant v = w->property(kIdProperty);
  return v.isValid() ? v.toInt() : 0;
}

int UiControl::OwningId(const QWidget* w) {
  for (; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
    if (int id = Id(w)) return id;
  }
  return 0;
}

CYbDialog* UiControl::Dialog(QWidget* w) { return w ? qobject_cast<CYbDialog*>(w->window()) : nullptr; }

bool UiControl::FocusMovedAway(const QFocusEvent* e) {
  if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return false;
  // Qt has already handed the focus on when the old widget hears of it; a
  // combo box's open list takes it, with varying reasons, and gives it back.
  const QWidget* to = QApplication::focusWidget();
  return to == nullptr || to->window()->windowType() != Qt::Popup;
}
