#include "platform/ui/CYbComboBox.h"

#include <QKeyEvent>

#include "platform/ui/UiControl.h"
#include "platform/ui/UiText.h"

CYbComboBox::CYbComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  // QComboBox sends activated only for the user's choices (list or keys).
  connect(this, &QComboBox::activated, this, &CYbComboBox::userSelChanged);
}

int CYbComboBox::AddString(const std::string& text) {
  addItem(UiText::ToQt(text));
  return count() - 1;
}

int CYbComboBox::InsertString(int index, const std::string& text) {
  if (index < 0 || index > count()) index = count();
  insertItem(index, UiText::ToQt(text));
  return index;
}

void CYbComboBox::SetCurSel(int index) { setCurrentIndex(index >= 0 && index < count() ? index : -1); }

std::string CYbComboBox::GetLBText(int index) const {
  return index >= 0 && index < count() ? UiText::FromQt(itemText(index)) : std::string();
}

void CYbComboBox::SetItemData(int index, intptr_t data) {
  if (index >= 0 && index < count()) setItemData(index, QVariant::fromValue<qlonglong>(data));
}

intptr_t CYbComboBox::GetItemData(int index) const {
  return index >= 0 && index < count() ? static_cast<intptr_t>(itemData(index).toLongLong()) : 0;
}

void CYbComboBox::keyPressEvent(QKeyEvent* e) {
  if (extendedUI_ && e->modifiers() == Qt::NoModifier) {
    if (e->key() == Qt::Key_F4) {
      e->ignore();
      return;
    }
    if (e->key() == Qt::Key_Down) {
      showPopup();
      e->accept();
      return;
    }
  }
  QComboBox::keyPressEvent(e);
}

void CYbComboBox::focusOutEvent(QFocusEvent* e) {
  QComboBox::focusOutEvent(e);
  if (UiControl::FocusMovedAway(e)) emit focusLost();
}
