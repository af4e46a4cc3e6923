// A horizontal track bar with whole-number positions.
#pragma once

#include <QSlider>

class CYbSliderCtrl : public QSlider {
  Q_OBJECT
 public:
  explicit CYbSliderCtrl(QWidget* parent = nullptr);
  void SetRange(int min, int max) { setRange(min, max); }
  void SetPos(int pos) { setValue(pos); }
  int GetPos() const { return value(); }
  // A tick mark every `freq` positions below the track.
  void SetTicFreq(int freq);
};
