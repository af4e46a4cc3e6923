// A single-line edit with the text in code page 932. Tells its dialog when the
// user fills it to its limit. Holds no state of its own beyond the input mode.
// userEdited and focusLost are the user's: SetWindowText never sends either.
#pragma once

#include <QLineEdit>
#include <string>

class CYbEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit CYbEdit(QWidget* parent = nullptr);

  virtual void SetWindowText(const std::string& text);
  void GetWindowText(std::string& out) const { out = GetWindowText(); }
  std::string GetWindowText() const;
  // 1: half-width input only (no input method); 0: free input.
  void SetInputMode(int mode);
  int GetInputMode() const { return inputMode_; }
  // Characters the user may enter; 0 restores the default limit.
  void SetLimitText(int chars);

 signals:
  // The user changed the text (typing, deleting, pasting); after OnTextEdited.
  void userEdited();
  // The focus moved from the edit to another control (not when the window
  // merely lost the focus, say to a message box).
  void focusLost();

 protected:
  // After every change the user made to the text (typing, deleting, pasting).
  virtual void OnTextEdited();
  void focusOutEvent(QFocusEvent* e) override;

 private:
  int inputMode_ = 0;
};
