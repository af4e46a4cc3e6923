// A horizontal track bar with whole-number positions. userMoved tells the
// user's moves (drag, click on the track, keys, wheel) from SetPos and
// SetRange, which stay silent.
#pragma once

#include <QSlider>

class CYbSliderCtrl : public QSlider {
  Q_OBJECT
 public:
  explicit CYbSliderCtrl(QWidget* parent = nullptr);
  void SetRange(int min, int max);
  void SetPos(int pos);
  int GetPos() const { return value(); }
  // A tick mark every `freq` positions below the track.
  void SetTicFreq(int freq);

 signals:
  // The user moved the slider to pos; GetPos() already answers pos.
  void userMoved(int pos);
  void focusLost();

 protected:
  void focusOutEvent(QFocusEvent* e) override;

 private:
  bool userMove_ = false;
};
