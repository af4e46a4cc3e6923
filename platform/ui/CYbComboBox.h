// A drop-down list (not editable) with item texts in code page 932 and one
// whole-number datum per item. Indexes are 0-based; -1 means none.
#pragma once

#include <QComboBox>
#include <cstdint>
#include <string>

class CYbComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit CYbComboBox(QWidget* parent = nullptr);

  int AddString(const std::string& text);
  int InsertString(int index, const std::string& text);
  void ResetContent() { clear(); }
  int GetCount() const { return count(); }
  int GetCurSel() const { return currentIndex(); }
  // -1 clears the selection; an index out of range does the same.
  void SetCurSel(int index);
  std::string GetLBText(int index) const;
  void SetItemData(int index, intptr_t data);
  intptr_t GetItemData(int index) const;
  // Keyboard browsing without opening the list is Qt's default already.
  void SetExtendedUI(bool) {}
};
