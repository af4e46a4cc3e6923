// A framed box filled with one colour (a colour preview). The colour is a
// 32-bit value with red in the lowest byte, then green, then blue.
#pragma once

#include <QFrame>
#include <cstdint>

class CYbColorBox : public QFrame {
  Q_OBJECT
 public:
  explicit CYbColorBox(QWidget* parent = nullptr);
  void SetColor(uint32_t rgb);
  uint32_t GetColor() const { return rgb_; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  uint32_t rgb_ = 0;
};
