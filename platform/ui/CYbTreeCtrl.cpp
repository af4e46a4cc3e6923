// QTreeView asks for an item's children as it expands, so filling an item in
// the expanded signal shows the new children in the same paint.
#include "platform/ui/CYbTreeCtrl.h"

#include "platform/ui/CYbImageList.h"
#include "platform/ui/UiText.h"

namespace {
constexpr int kDataRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kSelectedImageRole = Qt::UserRole + 2;
}  // namespace

CYbTreeCtrl::CYbTreeCtrl(QWidget* parent) : CYbItemView(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformRowHeights(true);
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { emit itemExpanding(item); });
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item, QTreeWidgetItem*) {
    ReportUserChange([this, item] { emit userSelChanged(item); });
  });
}

void CYbTreeCtrl::SetImages(HTREEITEM item) {
  const CYbImageList* images = Images();
  if (images == nullptr) return;
  QIcon icon(images->Pixmap(item->data(0, kImageRole).toInt()));
  const QPixmap selected = images->Pixmap(item->data(0, kSelectedImageRole).toInt());
  if (!selected.isNull()) icon.addPixmap(selected, QIcon::Selected);
  item->setIcon(0, icon);
}

HTREEITEM CYbTreeCtrl::InsertItem(const std::string& text, int image, int selectedImage, intptr_t data,
                                  HTREEITEM parent) {
  auto* item = new QTreeWidgetItem();
  item->setText(0, UiText::ToQt(text));
  item->setData(0, kDataRole, QVariant::fromValue<qlonglong>(data));
  item->setData(0, kImageRole, image);
  item->setData(0, kSelectedImageRole, selectedImage);
  SetImages(item);
  if (parent) {
    parent->addChild(item);
  } else {
    addTopLevelItem(item);
  }
  return item;
}

void CYbTreeCtrl::DeleteItem(HTREEITEM item) { delete item; }

HTREEITEM CYbTreeCtrl::GetChildItem(HTREEITEM item) const {
  if (item == nullptr) return topLevelItem(0);
  return item->childCount() > 0 ? item->child(0) : nullptr;
}

HTREEITEM CYbTreeCtrl::GetNextSiblingItem(HTREEITEM item) const {
  if (item == nullptr) return nullptr;
  if (QTreeWidgetItem* p = item->parent()) {
    const int i = p->indexOfChild(item) + 1;
    return i < p->childCount() ? p->child(i) : nullptr;
  }
  const int i = indexOfTopLevelItem(item) + 1;
  return i < topLevelItemCount() ? topLevelItem(i) : nullptr;
}

std::string CYbTreeCtrl::GetItemText(HTREEITEM item) const { return item ? UiText::FromQt(item->text(0)) : std::string(); }

intptr_t CYbTreeCtrl::GetItemData(HTREEITEM item) const {
  return item ? static_cast<intptr_t>(item->data(0, kDataRole).toLongLong()) : 0;
}

int CYbTreeCtrl::GetItemImage(HTREEITEM item) const { return item ? item->data(0, kImageRole).toInt() : 0; }

int CYbTreeCtrl::GetItemSelectedImage(HTREEITEM item) const {
  return item ? item->data(0, kSelectedImageRole).toInt() : 0;
}

void CYbTreeCtrl::Expand(HTREEITEM item, bool expand) {
  if (item) item->setExpanded(expand);
}

void CYbTreeCtrl::SelectItem(HTREEITEM item) {
  if (item == nullptr) {
    setCurrentItem(nullptr);
    return;
  }
  setCurrentItem(item);
  scrollToItem(item);
}
