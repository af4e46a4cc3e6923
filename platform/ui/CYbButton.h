// A check box or a radio button, decided when the dialog template binds it
// (a member declared before its kind is known, as dialogs declare controls).
// Owns the Qt button inside it; radio buttons are made exclusive by the
// dialog base per template group, not by this class.
#pragma once

#include <QWidget>
#include <string>

class QAbstractButton;

class CYbButton : public QWidget {
  Q_OBJECT
 public:
  enum class Kind { CheckBox, Radio };
  explicit CYbButton(QWidget* parent = nullptr);
  CYbButton(Kind kind, QWidget* parent);

  // Makes the inner button; a second call keeps the first kind.
  void Setup(Kind kind);
  Kind GetKind() const { return kind_; }
  // 1 checked, 0 not.
  int GetCheck() const;
  void SetCheck(int check);
  void SetWindowText(const std::string& text);
  std::string GetWindowText() const;
  QAbstractButton* Button() const { return button_; }

 signals:
  // The user clicked it (also by Space); not sent by SetCheck or
  // CheckRadioButton. A radio button sends it also when it was checked already.
  void clicked();
  // The focus moved from the button to another control.
  void focusLost();

 protected:
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  Kind kind_ = Kind::CheckBox;
  QAbstractButton* button_ = nullptr;
};
