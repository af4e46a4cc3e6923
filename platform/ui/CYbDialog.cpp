// Keys are caught by an application-wide event filter while the dialog shows,
// before the focused control sees them: a focused button or list would
// otherwise take Return for itself. Only keys for a widget of this window
// while it is the active modal window are taken, so a message box or a
// nested dialog on top keeps its own keys.
#include "platform/ui/CYbDialog.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPushButton>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/CYbFuncBar.h"
#include "platform/ui/UiControl.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiLocalize.h"
#include "platform/ui/UiMessageBox.h"

CYbDialog::CYbDialog(int templateId, QWidget* parent) : CMeraBWLocalizeDialog(templateId, parent), bar_(new CYbFuncBar(this)) {
  bar_->SetCallback([this](int vk) { RunFunctionKey(vk); });
  bar_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(bar_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    QWidget* child = bar_->childAt(pos);
    NotifyFuncMenuEvent(child ? child->property("quorprn_vk").toInt() : 0);
  });
}

CYbDialog::~CYbDialog() {
  if (filtering_) qApp->removeEventFilter(this);
}

void CYbDialog::SetFuncStyle(int style) { bar_->SetStyle(style); }

void CYbDialog::SetFuncBtn(int key, const std::string& label, int position) { bar_->SetButton(key, label, position); }

void CYbDialog::SetFuncAutoArrange(int on) { bar_->SetAutoArrange(on != 0); }

void CYbDialog::ChangeAttribute(int key, int enable) { bar_->SetEnabledKey(key, enable != 0); }

void CYbDialog::LocalizeFunc(int key, const std::string& keyName) {
  if (!bar_->HasKey(key)) return;
  bar_->SetLabel(key, LocalizeText(keyName, bar_->Label(key)));
}

int CYbDialog::ExtraBottom() const { return CYbFuncBar::kHeight; }

bool CYbDialog::OnInitDialog() {
  CMeraBWLocalizeDialog::OnInitDialog();
  bar_->setGeometry(0, height() - CYbFuncBar::kHeight, width(), CYbFuncBar::kHeight);
  bar_->raise();
  return true;
}

void CYbDialog::resizeEvent(QResizeEvent* e) {
  CMeraBWLocalizeDialog::resizeEvent(e);
  bar_->setGeometry(0, height() - CYbFuncBar::kHeight, width(), CYbFuncBar::kHeight);
}

bool CYbDialog::RunFunctionKey(int key) {
  const bool onBar = bar_->HasKey(key);
  if (onBar && !bar_->IsKeyEnabled(key)) return false;
  if (!onBar && key != kVkReturn && key != kVkEscape) return false;
  NotifyFunctionEvent(key);
  if (key == kVkReturn) {
    Confirm();
  } else if (key == kVkEscape) {
    Cancel();
  } else if (key == kVkF1) {
    QWidget* focus = focusWidget();
    ShowHelp(NotifyHelpPreEvent(focus ? UiControl::OwningId(focus) : 0));
  }
  return true;
}

void CYbDialog::Confirm() {
  if (NotifyConfirmEvent() != 0) EndDialog(1);
}

void CYbDialog::Cancel() {
  if (NotifyCancelEvent() != 0) EndDialog(2);
}

void CYbDialog::OnOK() { Confirm(); }

void CYbDialog::OnCancel() { Cancel(); }

int CYbDialog::NotifyFunctionEvent(int) { return 1; }
int CYbDialog::NotifyFuncMenuEvent(int) { return 1; }
int CYbDialog::NotifyConfirmEvent() { return 1; }
int CYbDialog::NotifyCancelEvent() { return 1; }
int CYbDialog::NotifyTabEvent(int, int) { return 1; }
int CYbDialog::NotifyMaxTextEvent(int) { return 1; }
int CYbDialog::NotifyClickedEvent(int) { return 1; }
uint32_t CYbDialog::NotifyHelpPreEvent(int) { return 0; }

void CYbDialog::ShowHelp(uint32_t context) {
  // "%u" in the text (also in a translation) stands for the number.
  std::string text = UiLocalize::Message("QUORPRN_HELP_CONTEXT", mbcs::Cp932("ヘルプ（コンテキスト番号 %u）"));
  if (const size_t at = text.find("%u"); at != std::string::npos) text.replace(at, 2, std::to_string(context));
  UiMessageBox::Show(this, text, GetWindowText(), kMbOk | kMbIconInformation);
}

void CYbDialog::showEvent(QShowEvent* e) {
  // Labels set or translated in OnInitDialog may need more room than the
  // template gave: the bar never cuts a label.
  if (bar_->MinimumWidth() > width()) setFixedSize(bar_->MinimumWidth(), height());
  CMeraBWLocalizeDialog::showEvent(e);
  if (!filtering_) {
    qApp->installEventFilter(this);
    filtering_ = true;
  }
}

void CYbDialog::hideEvent(QHideEvent* e) {
  if (filtering_) {
    qApp->removeEventFilter(this);
    filtering_ = false;
  }
  CMeraBWLocalizeDialog::hideEvent(e);
}

bool CYbDialog::Inside(QObject* o) const {
  if (!o->isWidgetType()) return false;
  const auto* w = static_cast<QWidget*>(o);
  if (w->window() != this || QApplication::activePopupWidget() != nullptr) return false;
  QWidget* modal = QApplication::activeModalWidget();
  return modal == nullptr || modal == this;
}

bool CYbDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && Inside(watched)) {
    auto* k = static_cast<QKeyEvent*>(event);
    const int vk = UiKeys::FromQtKey(k->key());
    if (vk == 0 || (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
    // A held key would open a dialog or confirm once per repeat.
    if (k->isAutoRepeat()) return bar_->HasKey(vk) || vk == kVkReturn || vk == kVkEscape;
    // Return and Escape are always the dialog's, also while their key is disabled.
    return RunFunctionKey(vk) || vk == kVkReturn || vk == kVkEscape;
  }
  if (event->type() == QEvent::FocusOut && watched->isWidgetType()) {
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != this) return false;
    int code = 0;
    switch (static_cast<QFocusEvent*>(event)->reason()) {
      case Qt::ActiveWindowFocusReason:
      case Qt::PopupFocusReason:
        return false;  // the focus did not move inside the dialog
      case Qt::TabFocusReason: code = 1; break;
      case Qt::BacktabFocusReason: code = 2; break;
      case Qt::MouseFocusReason: code = 3; break;
      default: break;
    }
    if (const int id = UiControl::OwningId(w)) NotifyTabEvent(id, code);
  }
  return false;
}
