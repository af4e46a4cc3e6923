#include "platform/ui/CYbButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QRadioButton>

#include "platform/ui/UiControl.h"
#include "platform/ui/UiText.h"

CYbButton::CYbButton(QWidget* parent) : QWidget(parent) {}

CYbButton::CYbButton(Kind kind, QWidget* parent) : QWidget(parent) { Setup(kind); }

void CYbButton::Setup(Kind kind) {
  if (button_ != nullptr) return;
  kind_ = kind;
  if (kind == Kind::Radio) {
    auto* r = new QRadioButton(this);
    r->setAutoExclusive(false);
    button_ = r;
  } else {
    button_ = new QCheckBox(this);
  }
  button_->setGeometry(rect());
  setFocusProxy(button_);
  connect(button_, &QAbstractButton::clicked, this, &CYbButton::clicked);
  button_->installEventFilter(this);
}

int CYbButton::GetCheck() const { return button_ && button_->isChecked() ? 1 : 0; }

void CYbButton::SetCheck(int check) {
  if (button_ == nullptr) return;
  // An exclusive group refuses to clear its checked button; clearing one
  // radio button by hand is what dialogs do before checking another.
  QButtonGroup* g = button_->group();
  const bool exclusive = g && g->exclusive();
  if (exclusive && check == 0) g->setExclusive(false);
  button_->setChecked(check != 0);
  if (exclusive && check == 0) g->setExclusive(true);
}

void CYbButton::SetWindowText(const std::string& text) {
  if (button_) button_->setText(UiText::ToQt(text));
}

std::string CYbButton::GetWindowText() const { return button_ ? UiText::FromQt(button_->text()) : std::string(); }

void CYbButton::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (button_) button_->setGeometry(rect());
}

bool CYbButton::eventFilter(QObject* watched, QEvent* e) {
  if (watched == button_ && e->type() == QEvent::FocusOut && UiControl::FocusMovedAway(static_cast<QFocusEvent*>(e))) {
    emit focusLost();
  }
  return QWidget::eventFilter(watched, e);
}
