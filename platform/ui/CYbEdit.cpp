// The "edit is full" notice goes to the dialog's NotifyMaxTextEvent; an edit
// outside a CYbDialog simply has nobody to tell.
#include "platform/ui/CYbEdit.h"

#include <QFocusEvent>

#include "platform/ui/CYbDialog.h"
#include "platform/ui/UiControl.h"
#include "platform/ui/UiText.h"

namespace {
constexpr int kDefaultLimit = 32767;  // QLineEdit's own default
}

CYbEdit::CYbEdit(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textEdited, this, [this] {
    OnTextEdited();
    emit userEdited();
  });
}

void CYbEdit::SetWindowText(const std::string& text) { setText(UiText::ToQt(text)); }

std::string CYbEdit::GetWindowText() const { return UiText::FromQt(text()); }

void CYbEdit::SetInputMode(int mode) {
  inputMode_ = mode;
  setAttribute(Qt::WA_InputMethodEnabled, mode != 1);
  setInputMethodHints(mode == 1 ? (Qt::ImhPreferLatin | Qt::ImhNoPredictiveText) : Qt::ImhNone);
}

void CYbEdit::SetLimitText(int chars) { setMaxLength(chars > 0 ? chars : kDefaultLimit); }

void CYbEdit::OnTextEdited() {
  if (maxLength() >= kDefaultLimit || text().size() < maxLength()) return;
  if (CYbDialog* dlg = UiControl::Dialog(this)) dlg->NotifyMaxTextEvent(UiControl::Id(this));
}

void CYbEdit::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (UiControl::FocusMovedAway(e)) emit focusLost();
}
