// An up-down control: two arrow halves beside a buddy edit. On its own it
// only shows which half is pressed; what a press does to the buddy belongs to
// the classes built on it. Does not own its buddy.
#pragma once

#include <QPointer>
#include <QWidget>

class CYbNumEdit;

class CYbSpinButtonCtrl : public QWidget {
  Q_OBJECT
 public:
  explicit CYbSpinButtonCtrl(QWidget* parent = nullptr);

  void SetBuddy(CYbNumEdit* buddy) { buddy_ = buddy; }
  CYbNumEdit* GetBuddy() const { return buddy_.data(); }
  // True for a point in the upper half (the up arrow).
  bool IsUpper(const QPoint& p) const { return p.y() < height() / 2; }

  QSize sizeHint() const override { return QSize(16, 22); }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  enum class Half { None, Up, Down };
  Half pressed_ = Half::None;
  QPointer<CYbNumEdit> buddy_;
};
