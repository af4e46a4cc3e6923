#include "platform/ui/CYbListCtrl.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "platform/ui/CYbImageList.h"
#include "platform/ui/UiText.h"

CYbListCtrl::CYbListCtrl(QWidget* parent) : CYbItemView(parent) {
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setColumnCount(0);
  header()->setStretchLastSection(false);
  connect(this, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item, int) { emit rowDoubleClicked(item ? indexOfTopLevelItem(item) : -1); });
  connect(this, &QTreeWidget::itemSelectionChanged, this,
          [this] { ReportUserChange([this] { emit userSelChanged(GetNextSelectedItem(-1)); }); });
}

unsigned CYbListCtrl::SetExtendedStyle(unsigned styles) {
  const unsigned old = exStyle_;
  exStyle_ = styles;
  setAllColumnsShowFocus((styles & kLvsExFullRowSelect) != 0);
  viewport()->update();
  return old;
}

bool CYbListCtrl::viewportEvent(QEvent* e) {
  const QEvent::Type t = e->type();
  // Without full-row selection the other columns are not part of the row.
  if ((t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick || t == QEvent::MouseMove) &&
      !(exStyle_ & kLvsExFullRowSelect) &&
      indexAt(static_cast<QMouseEvent*>(e)->position().toPoint()).column() > 0) {
    return true;
  }
  return CYbItemView::viewportEvent(e);
}

int CYbListCtrl::InsertColumn(int column, const std::string& heading, int align, int width) {
  const int n = columnCount();
  if (column < 0 || column > n) column = n;
  setColumnCount(n + 1);
  QTreeWidgetItem* h = headerItem();
  for (int c = n; c > column; --c) h->setText(c, h->text(c - 1));
  h->setText(column, UiText::ToQt(heading));
  const Qt::Alignment a = align == 1 ? Qt::AlignRight : align == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
  h->setTextAlignment(column, a | Qt::AlignVCenter);
  setColumnWidth(column, width);
  return column;
}

int CYbListCtrl::InsertItem(int row, const std::string& text, int image) {
  if (row < 0 || row > topLevelItemCount()) row = topLevelItemCount();
  auto* item = new QTreeWidgetItem();
  item->setText(0, UiText::ToQt(text));
  if (Images()) item->setIcon(0, Images()->Icon(image));
  insertTopLevelItem(row, item);
  return row;
}

bool CYbListCtrl::SetItemText(int row, int column, const std::string& text) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr || column < 0 || column >= columnCount()) return false;
  item->setText(column, UiText::ToQt(text));
  return true;
}

std::string CYbListCtrl::GetItemText(int row, int column) const {
  QTreeWidgetItem* item = topLevelItem(row);
  return item ? UiText::FromQt(item->text(column)) : std::string();
}

unsigned CYbListCtrl::GetItemState(int row, unsigned mask) const {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr) return 0;
  unsigned state = 0;
  if (item->isSelected()) state |= kLvisSelected;
  if (currentItem() == item) state |= kLvisFocused;
  return state & mask;
}

void CYbListCtrl::SetItemState(int row, unsigned state, unsigned mask) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr) return;
  if (mask & kLvisFocused) {
    if (state & kLvisFocused) setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
  }
  if (mask & kLvisSelected) item->setSelected((state & kLvisSelected) != 0);
}

int CYbListCtrl::GetNextSelectedItem(int after) const {
  for (int row = after + 1; row < topLevelItemCount(); ++row) {
    if (topLevelItem(row)->isSelected()) return row;
  }
  return -1;
}

void CYbListCtrl::EnsureVisible(int row) {
  if (QTreeWidgetItem* item = topLevelItem(row)) scrollToItem(item);
}
