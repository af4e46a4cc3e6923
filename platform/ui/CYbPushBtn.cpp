// The button keeps the focus policy of a dialog button but never becomes the
// default button: Return belongs to the dialog's confirm key.
#include "platform/ui/CYbPushBtn.h"

#include "platform/ui/CMeraBWBaseDialog.h"
#include "platform/ui/CYbDialog.h"
#include "platform/ui/UiControl.h"
#include "platform/ui/UiText.h"

CYbPushBtn::CYbPushBtn(QWidget* parent) : QPushButton(parent) {
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] {
    if (CYbDialog* dlg = UiControl::Dialog(this)) dlg->NotifyClickedEvent(UiControl::Id(this));
  });
}

bool CYbPushBtn::Create(const std::string& label, const QRect& rect, QWidget* parent, int id, int fontHeight,
                        const std::string& faceName) {
  if (parent == nullptr) return false;
  setParent(parent);
  UiControl::SetId(this, id);
  setText(UiText::ToQt(label));
  if (fontHeight != 0) {
    QFont f = parent->font();
    if (!faceName.empty()) f.setFamily(UiText::ToQt(faceName));
    f.setPixelSize(fontHeight < 0 ? -fontHeight : fontHeight);
    setFont(f);
  }
  setGeometry(rect);
  show();
  created_ = true;
  return true;
}

bool CYbPushBtn::CreateOver(CMeraBWBaseDialog* dlg, int placeholderId, int id) {
  QWidget* placeholder = dlg ? dlg->GetDlgItem(placeholderId) : nullptr;
  if (placeholder == nullptr) return false;
  const QFont f = dlg->font();
  const bool ok = Create(dlg->GetDlgItemText(placeholderId), placeholder->geometry(), dlg, id,
                         QFontInfo(f).pixelSize(), UiText::FromQt(f.family()));
  // Take the placeholder's place in the tab order as well.
  if (ok) QWidget::setTabOrder(placeholder, this);
  return ok;
}
