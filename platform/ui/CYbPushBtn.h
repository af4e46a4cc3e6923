// A push button that a dialog creates at run time, usually over a hidden
// placeholder of its template. A click reaches the dialog's
// NotifyClickedEvent(id) exactly once and nothing else, so a dialog maps the
// button's action in one place.
#pragma once

#include <QPushButton>
#include <string>

class CMeraBWBaseDialog;

class CYbPushBtn : public QPushButton {
  Q_OBJECT
 public:
  explicit CYbPushBtn(QWidget* parent = nullptr);

  // label and faceName in code page 932; rect in the parent's client pixels;
  // fontHeight the font's absolute pixel height (0 keeps the parent's font).
  // False when there is no parent.
  bool Create(const std::string& label, const QRect& rect, QWidget* parent, int id, int fontHeight,
              const std::string& faceName);
  // Create over the template control placeholderId of dlg with its rectangle,
  // its text and the dialog's font; false (and nothing created) when the
  // placeholder does not exist.
  bool CreateOver(CMeraBWBaseDialog* dlg, int placeholderId, int id);
  void SetAttribute(int enable) { setEnabled(enable != 0); }
  bool IsCreated() const { return created_; }

 private:
  bool created_ = false;
};
