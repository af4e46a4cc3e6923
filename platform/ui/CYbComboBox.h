// A drop-down list (not editable) with item texts in code page 932 and one
// whole-number datum per item. Indexes are 0-based; -1 means none.
// userSelChanged tells the user's choices from the code's: filling the list or
// SetCurSel never sends it, so a dialog's "the user picked" handler never runs
// while the dialog sets itself up.
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
  // The text of the selected entry, "" with none.
  std::string GetWindowText() const { return GetLBText(GetCurSel()); }
  void SetItemData(int index, intptr_t data);
  intptr_t GetItemData(int index) const;
  // The extended keyboard interface: F4 no longer opens the list, the Down
  // arrow does (instead of stepping to the next entry).
  void SetExtendedUI(bool on) { extendedUI_ = on; }
  bool GetExtendedUI() const { return extendedUI_; }

 signals:
  // The user chose an entry (in the open list, or by a key on the closed box),
  // also the one already selected. Never sent for changes made by code.
  void userSelChanged(int index);
  // The focus moved from the box to another control (not when the window
  // merely lost the focus or the box opened its list).
  void focusLost();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  bool extendedUI_ = false;
};
