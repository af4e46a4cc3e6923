#include "platform/ui/CYbImageList.h"

#include "platform/ui/UiPictures.h"

int CYbImageList::Add(const QPixmap& image) {
  images_.push_back(image.size() == size_ ? image
                                          : image.scaled(size_, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  return GetImageCount() - 1;
}

int CYbImageList::AddPicture(int pictureId) {
  const QPixmap p = UiPictures::Pixmap(pictureId, size_.width());
  return p.isNull() ? -1 : Add(p);
}

QPixmap CYbImageList::Pixmap(int index) const {
  return index >= 0 && index < GetImageCount() ? images_[static_cast<size_t>(index)] : QPixmap();
}

QIcon CYbImageList::Icon(int index) const {
  const QPixmap p = Pixmap(index);
  return p.isNull() ? QIcon() : QIcon(p);
}
