// Up steps only from below the maximum and Down only from above the minimum;
// the step itself is not cut at the bound, the dialog's own check on leaving
// the field does that.
#include "dialogs/CQuorPrnNumEdit.h"

#include <QKeyEvent>

CQuorPrnNumEdit::CQuorPrnNumEdit(QWidget* parent) : CYbNumEdit(parent) {}

void CQuorPrnNumEdit::keyPressEvent(QKeyEvent* e) {
  CYbNumEdit::keyPressEvent(e);
  if (e->key() != Qt::Key_Up && e->key() != Qt::Key_Down) return;
  double v = GetWindowTextValue();
  if (e->key() == Qt::Key_Up) {
    if (v < high_) v += step_;
  } else {
    if (v > low_) v -= step_;
  }
  SetWindowTextValue(v);
  PassOn();
  e->accept();
}

void CQuorPrnNumEdit::OnTextEdited() {
  CYbNumEdit::OnTextEdited();
  PassOn();
}

void CQuorPrnNumEdit::PassOn() { CQuorPrnStepLink::PassOn(GetWindowText(), GetWindowTextValue()); }
