// An ordered list of equally sized images, as lists and trees show them by
// index. Holds pixmaps (copies are cheap, shared); not a widget.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <vector>

class CYbImageList {
 public:
  CYbImageList() = default;
  void Create(int cx, int cy) {
    size_ = QSize(cx, cy);
    images_.clear();
  }
  // Scaled to the list's size; returns the new index.
  int Add(const QPixmap& image);
  // A picture of the library's own (UiPictures id); -1 when the id is unknown.
  int AddPicture(int pictureId);
  int GetImageCount() const { return static_cast<int>(images_.size()); }
  QSize Size() const { return size_; }
  // Empty for an index out of range.
  QPixmap Pixmap(int index) const;
  QIcon Icon(int index) const;

 private:
  QSize size_{16, 16};
  std::vector<QPixmap> images_;
};
