// Everything is painted on a 48-unit square grid (64 for the pictures) and
// scaled by the painter, so one drawing serves every size.
#include "platform/ui/UiPictures.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QPolygonF>
#include <QStyle>
#include <cmath>

#include "platform/ui/UiText.h"

namespace {

// Binder colours in the order of their icon ids (31720 navy ... 31750 white).
constexpr QRgb kIconColours[16] = {
    0x1f2f6f, 0x2e8b3a, 0x2f6fd0, 0xf2d13a, 0xf08a24, 0xd03030, 0xb0307a, 0xf29bc0,
    0x7b3fa0, 0x8b5a2b, 0x9acd32, 0x808020, 0x7ec8f0, 0xf5e6b8, 0x9a9a9a, 0xf8f8f8,
};
// Colour index (0..16) to the position in kIconColours; index 0 shows red.
constexpr int kIndexToIcon[17] = {5, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 10, 12, 13, 14, 15};

void Binder(QPainter& p, QColor c) {
  const QColor edge = c.darker(160);
  p.setPen(QPen(edge, 1.5));
  p.setBrush(c);
  p.drawRoundedRect(QRectF(9, 4, 35, 40), 3, 3);
  p.setBrush(c.darker(125));
  p.drawRoundedRect(QRectF(4, 4, 10, 40), 2, 2);
  p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.5));
  p.setBrush(QColor(0xd8, 0xd8, 0xd8));
  for (int y : {11, 22, 33}) p.drawEllipse(QRectF(11, y, 6, 4));
  p.setPen(QPen(edge, 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(22, 12, 16, 10));
}

void Sheet(QPainter& p, QRectF r) {
  p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.2));
  p.setBrush(Qt::white);
  p.drawRect(r);
  p.setPen(QPen(QColor(0x90, 0x90, 0xb0), 1));
  for (qreal y = r.top() + 5; y < r.bottom() - 3; y += 4) p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void Folder(QPainter& p, QColor c) {
  p.setPen(QPen(c.darker(170), 1.5));
  p.setBrush(c.darker(115));
  QPainterPath back;
  back.moveTo(4, 12);
  back.lineTo(4, 40);
  back.lineTo(44, 40);
  back.lineTo(44, 14);
  back.lineTo(22, 14);
  back.lineTo(18, 9);
  back.lineTo(6, 9);
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(c);
  p.drawRect(QRectF(4, 18, 40, 22));
}

void Paper(QPainter& p, bool portrait) {
  const QRectF r = portrait ? QRectF(16, 6, 32, 52) : QRectF(6, 16, 52, 32);
  Sheet(p, r);
  p.setPen(QPen(QColor(0x20, 0x40, 0x90), 2));
  p.drawLine(QPointF(r.left() + 4, r.top() + 3), QPointF(r.left() + 12, r.top() + 3));
}

// The printer dialogs' pictures: a printed block on a sheet, moved off its
// place (offset) or grown beyond it (scale); the dashed outline is where the
// printer would have put it, the red arrow the correction.
void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const qreal len = std::hypot(d.x(), d.y());
  if (len <= 0) return;
  const QPointF u = d / len, n(-u.y(), u.x());
  QPolygonF head;
  head << to << to - 5 * u + 3 * n << to - 5 * u - 3 * n;
  p.setBrush(QColor(0xc0, 0x20, 0x20));
  p.drawPolygon(head);
}

void Correction(QPainter& p, bool scale) {
  Sheet(p, QRectF(8, 4, 48, 56));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.2, Qt::DashLine));
  const QRectF planned(16, 14, 22, 26);
  p.drawRect(planned);
  const QRectF placed = scale ? QRectF(16, 14, 32, 38) : QRectF(24, 22, 22, 26);
  p.setPen(QPen(QColor(0x20, 0x40, 0x90), 1.8));
  p.setBrush(QColor(0x20, 0x40, 0x90, 40));
  p.drawRect(placed);
  if (scale) {
    Arrow(p, planned.bottomRight() + QPointF(-2, -2), placed.bottomRight() + QPointF(-1, -1));
  } else {
    Arrow(p, planned.topLeft() + QPointF(1, 1), placed.topLeft() + QPointF(-1, -1));
  }
}

int NaturalSize(int id) {
  if (id >= UiPictures::kBinderFirst && id <= UiPictures::kBinderLast) return (id - UiPictures::kBinderFirst) % 2 ? 16 : 48;
  if (id >= UiPictures::kOutputSeparate && id <= UiPictures::kFolder) return 32;
  if (id == UiPictures::kSystemInformation) return UiPictures::IconSize();
  return 64;
}

}  // namespace

bool UiPictures::Has(int id) {
  return (id >= kBinderFirst && id <= kFolder) || id == kPaperPortrait || id == kPaperLandscape ||
         id == kPrinterOffset || id == kPrinterScale || id == kSystemInformation;
}

int UiPictures::SmallIconSize() { return QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize); }

int UiPictures::IconSize() { return QApplication::style()->pixelMetric(QStyle::PM_MessageBoxIconSize); }

int UiPictures::BinderIconId(int colourIndex, bool large) {
  if (colourIndex < 0 || colourIndex >= kBinderColours) return 0;
  return kBinderFirst + 2 * kIndexToIcon[colourIndex] + (large ? 0 : 1);
}

QColor UiPictures::BinderColour(int colourIndex) {
  if (colourIndex < 0 || colourIndex >= kBinderColours) return {};
  return QColor::fromRgb(kIconColours[kIndexToIcon[colourIndex]]);
}

QPixmap UiPictures::Pixmap(int id, int size) {
  if (!Has(id)) return {};
  if (size <= 0) size = NaturalSize(id);
  if (id == kSystemInformation) {
    // A style may hold the icon in fewer sizes than asked for.
    const QPixmap pm = QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size);
    return pm.width() == size ? pm : pm.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  const QString key = UiText::Literal("quorprn/picture/") + QString::number(id) + QLatin1Char('/') + QString::number(size);
  QPixmap cached;
  if (QPixmapCache::find(key, &cached)) return cached;

  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const bool picture = id >= kPaperPortrait;
    p.scale(size / (picture ? 64.0 : 48.0), size / (picture ? 64.0 : 48.0));
    if (id <= kBinderLast) {
      Binder(p, QColor::fromRgb(kIconColours[(id - kBinderFirst) / 2]));
    } else if (id == kOutputSeparate) {
      Sheet(p, QRectF(4, 10, 16, 22));
      Sheet(p, QRectF(16, 16, 16, 22));
      Sheet(p, QRectF(28, 22, 16, 22));
    } else if (id == kOutputCombined) {
      Sheet(p, QRectF(18, 6, 22, 30));
      Sheet(p, QRectF(13, 10, 22, 30));
      Sheet(p, QRectF(8, 14, 22, 30));
      p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2.5));
      p.drawLine(QPointF(10, 12), QPointF(10, 20));
    } else if (id == kFolderRoot) {
      p.setPen(QPen(QColor(0x20, 0x3a, 0x70), 1.5));
      p.setBrush(QColor(0x4a, 0x78, 0xc8));
      p.drawRoundedRect(QRectF(4, 6, 40, 36), 3, 3);
      p.setBrush(QColor(0xf4, 0xd0, 0x60));
      p.drawRect(QRectF(10, 18, 28, 18));
    } else if (id == kFolderUser) {
      Folder(p, QColor(0xf0, 0xc8, 0x50));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0x30, 0x60, 0xb0));
      p.drawEllipse(QRectF(20, 20, 8, 8));
      p.drawChord(QRectF(16, 28, 16, 14), 0, 180 * 16);
    } else if (id == kFolder) {
      Folder(p, QColor(0xf0, 0xc8, 0x50));
    } else if (id == kPaperPortrait || id == kPaperLandscape) {
      Paper(p, id == kPaperPortrait);
    } else {
      Correction(p, id == kPrinterScale);
    }
  }
  QPixmap pm = QPixmap::fromImage(img);
  QPixmapCache::insert(key, pm);
  return pm;
}
