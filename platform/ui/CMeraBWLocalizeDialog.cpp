#include "platform/ui/CMeraBWLocalizeDialog.h"

#include <QLineEdit>

#include "platform/ui/UiLocalize.h"
#include "platform/ui/UiText.h"

CMeraBWLocalizeDialog::CMeraBWLocalizeDialog(int templateId, QWidget* parent) : CMeraBWBaseDialog(templateId, parent) {}

std::string CMeraBWLocalizeDialog::LocalizeText(const std::string& name, const std::string& defaultText) const {
  if (dialogKey_.empty()) return defaultText;
  return UiLocalize::ControlText(dialogKey_ + "." + name, defaultText);
}

void CMeraBWLocalizeDialog::LocalizeDialog() { SetWindowText(LocalizeText("CAPTION", GetWindowText())); }

void CMeraBWLocalizeDialog::LocalizeControl(int id, const std::string& controlKey) {
  QWidget* w = GetDlgItem(id);
  if (w == nullptr) return;
  // An edit's text is the user's value, never a label to translate.
  if (qobject_cast<QLineEdit*>(w) != nullptr) {
    w->setAccessibleName(UiText::ToQt(LocalizeText(controlKey, UiText::FromQt(w->accessibleName()))));
    return;
  }
  const std::string text = LocalizeText(controlKey, UiText::FromQt(ControlText(w)));
  if (!SetControlText(w, UiText::ToQt(text))) w->setAccessibleName(UiText::ToQt(text));
}
