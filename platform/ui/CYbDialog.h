// The dialog with a function-key bar. Every function key on the bar, pressed
// anywhere inside the dialog or clicked on the bar, reaches
// NotifyFunctionEvent(key); Return then confirms through NotifyConfirmEvent
// (non-zero closes with 1), Escape cancels through NotifyCancelEvent
// (non-zero closes with 2), F1 shows the help for NotifyHelpPreEvent's number.
// Return and Escape keep working on a dialog that did not put them on the
// bar; a key whose button is disabled does nothing. The dialog also reports a
// control losing the focus (NotifyTabEvent), a full edit (NotifyMaxTextEvent)
// and a CYbPushBtn click (NotifyClickedEvent).
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/CMeraBWLocalizeDialog.h"

class CYbFuncBar;

class CYbDialog : public CMeraBWLocalizeDialog {
  Q_OBJECT
 public:
  CYbDialog(int templateId, QWidget* parent = nullptr);
  ~CYbDialog() override;

  // 1: the buttons share the bar's width; 2: fixed-width buttons at the right.
  void SetFuncStyle(int style);
  // key: virtual-key code (UiKeys.h); label in code page 932; position 1..
  // a slot on the bar, 0 the key's own place.
  void SetFuncBtn(int key, const std::string& label, int position);
  void SetFuncAutoArrange(int on);
  // Enables (non-zero) or disables a function key, button and key alike.
  void ChangeAttribute(int key, int enable);
  // Translates a key's label under "<dialog key>.<keyName>" ("VK_F1").
  void LocalizeFunc(int key, const std::string& keyName);
  CYbFuncBar* FuncBar() const { return bar_; }

  // What pressing `key` does, as if the user pressed it; false when the key
  // is not on the bar (F-keys) or is disabled, and nothing happened.
  bool RunFunctionKey(int key);

  // Hooks, all returning 1 by default. Return values that mean something:
  // NotifyConfirmEvent and NotifyCancelEvent (0 keeps the dialog open).
  virtual int NotifyFunctionEvent(int key);
  // A right click on the function-key bar.
  virtual int NotifyFuncMenuEvent(int key);
  virtual int NotifyConfirmEvent();
  virtual int NotifyCancelEvent();
  // The focus left control id; code 1 by Tab, 2 by Shift+Tab, 3 by a mouse
  // click, 0 otherwise.
  virtual int NotifyTabEvent(int id, int code);
  virtual int NotifyMaxTextEvent(int id);
  virtual int NotifyClickedEvent(int id);
  // The help context number for F1, given the id of the focused control.
  virtual uint32_t NotifyHelpPreEvent(int id);

 protected:
  int ExtraBottom() const override;
  bool OnInitDialog() override;
  void OnCancel() override;
  void OnOK() override;
  // Shows the help for a context number; the default is a message naming it.
  virtual void ShowHelp(uint32_t context);

  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void Confirm();
  void Cancel();
  bool Inside(QObject* o) const;

  CYbFuncBar* bar_;
  bool filtering_ = false;
};
