// A list in report view: rows of texts in columns, the first column with an
// icon from an image list. Rows and columns are 0-based. Does not own the
// image list it is given; the caller keeps it alive while the list shows.
// userSelChanged tells a selection the user made (mouse or keys) from one made
// by code (SetItemState, filling, clearing), which stays silent.
#pragma once

#include <string>

#include "platform/ui/CYbItemView.h"

// Extended styles (SetExtendedStyle).
enum YbListExStyle : unsigned {
  kLvsExFullRowSelect = 0x20,  // a click anywhere on a row selects it, the whole row highlights
};

enum YbListItemState : unsigned {
  kLvisFocused = 1,
  kLvisSelected = 2,
};

class CYbListCtrl : public CYbItemView {
  Q_OBJECT
 public:
  explicit CYbListCtrl(QWidget* parent = nullptr);

  // align: 0 left, 1 right, 2 centre; width in pixels.
  int InsertColumn(int column, const std::string& heading, int align, int width);
  // Returns the row it was inserted at.
  int InsertItem(int row, const std::string& text, int image);
  bool SetItemText(int row, int column, const std::string& text);
  std::string GetItemText(int row, int column) const;
  int GetItemCount() const { return topLevelItemCount(); }
  void DeleteAllItems() { clear(); }
  // kLvisSelected and kLvisFocused bits of the row; out-of-range rows give 0.
  unsigned GetItemState(int row, unsigned mask) const;
  void SetItemState(int row, unsigned state, unsigned mask);
  // The first selected row after `after` (-1 to start), or -1.
  int GetNextSelectedItem(int after) const;
  void EnsureVisible(int row);
  // Without kLvsExFullRowSelect only a click on a row's first column selects
  // it; with it a click anywhere on the row does. Returns the previous styles.
  unsigned SetExtendedStyle(unsigned styles);
  unsigned GetExtendedStyle() const { return exStyle_; }

 signals:
  // A row was double-clicked; -1 when the click hit no row.
  void rowDoubleClicked(int row);
  // The user changed the selection; row is the selected row or -1.
  void userSelChanged(int row);

 protected:
  bool viewportEvent(QEvent* e) override;

 private:
  unsigned exStyle_ = 0;
};
