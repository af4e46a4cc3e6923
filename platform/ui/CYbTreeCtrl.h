// A tree with buttons and lines; every item carries a text (code page 932),
// an image and a selected image from an image list, and one whole-number
// datum. Items are handed out as pointers that stay valid until the item is
// deleted. Does not own the image list. userSelChanged tells a selection the
// user made from one made by code (SelectItem, inserting, deleting).
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/CYbItemView.h"

using HTREEITEM = QTreeWidgetItem*;

class CYbTreeCtrl : public CYbItemView {
  Q_OBJECT
 public:
  explicit CYbTreeCtrl(QWidget* parent = nullptr);

  // Appends under parent (null: top level); returns the new item.
  HTREEITEM InsertItem(const std::string& text, int image, int selectedImage, intptr_t data, HTREEITEM parent);
  void DeleteItem(HTREEITEM item);
  HTREEITEM GetRootItem() const { return topLevelItem(0); }
  HTREEITEM GetChildItem(HTREEITEM item) const;
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
  HTREEITEM GetParentItem(HTREEITEM item) const { return item ? item->parent() : nullptr; }
  std::string GetItemText(HTREEITEM item) const;
  intptr_t GetItemData(HTREEITEM item) const;
  int GetItemImage(HTREEITEM item) const;
  int GetItemSelectedImage(HTREEITEM item) const;
  void Expand(HTREEITEM item, bool expand);
  void SelectItem(HTREEITEM item);
  HTREEITEM GetSelectedItem() const { return currentItem(); }

 signals:
  // Before the item's children show: a dialog fills a lazily read item here.
  void itemExpanding(QTreeWidgetItem* item);
  // The user selected item (mouse or keys); GetSelectedItem() answers it.
  void userSelChanged(QTreeWidgetItem* item);

 private:
  void SetImages(HTREEITEM item);
};
