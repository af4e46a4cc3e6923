// Up steps only from below the maximum and Down only from above the minimum;
// the step itself is not cut at the bound, the dialog's own check on leaving
// the field does that.
#include "dialogs/CQuorPrnNumEdit.h"

#include <QKeyEvent>
#include <cmath>

#include "dialogs/IQuorPrnHeightOwner.h"

CQuorPrnNumEdit::CQuorPrnNumEdit(QWidget* parent) : CYbNumEdit(parent) {}

void CQuorPrnNumEdit::SetRange(double a, double b, int mode) {
  min_ = std::min(a, b);
  max_ = std::max(a, b);
  mode_ = mode == 1 ? 1 : 2;
  step_ = mode == 1 ? 1.0 : 0.1;
}

void CQuorPrnNumEdit::GetRange(double& min, double& max, int& mode) const {
  min = min_;
  max = max_;
  mode = mode_;
}

void CQuorPrnNumEdit::keyPressEvent(QKeyEvent* e) {
  CYbNumEdit::keyPressEvent(e);
  if (e->key() != Qt::Key_Up && e->key() != Qt::Key_Down) return;
  double v = GetWindowTextValue();
  if (e->key() == Qt::Key_Up) {
    if (v < max_) v += step_;
  } else {
    if (v > min_) v -= step_;
  }
  SetWindowTextValue(v);
  PassOn();
  e->accept();
}

void CQuorPrnNumEdit::OnTextEdited() {
  CYbNumEdit::OnTextEdited();
  PassOn();
}

void CQuorPrnNumEdit::PassOn() {
  if (link_ == 0 || partner_ == nullptr) return;
  if (owner_ != nullptr) {
    // The text holds one decimal; rounding keeps 0.3 from becoming 2 tenths.
    owner_->RecalcHeight(static_cast<int32_t>(std::lround(GetWindowTextValue() * 10.0)));
  } else {
    partner_->CYbEdit::SetWindowText(GetWindowText());
  }
}
