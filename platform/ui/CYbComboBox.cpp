#include "platform/ui/CYbComboBox.h"

#include "platform/ui/UiText.h"

CYbComboBox::CYbComboBox(QWidget* parent) : QComboBox(parent) { setEditable(false); }

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
