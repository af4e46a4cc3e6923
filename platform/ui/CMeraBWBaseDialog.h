// The base of every dialog: a QDialog built from a registered template
// (DialogTemplates) when it is first shown, with its controls found by id.
// Controls a dialog declares as members are bound to their template ids with
// BindControl before the dialog is built; every other template control is
// made here and owned by the dialog. Runs modally on the host's GUI thread.
// A dialog is a widget: an entry point calls UiApplication::Ensure() before
// it constructs one (or any control) and returns that code when it fails.
#pragma once

#include <QDialog>
#include <QFont>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ui/DialogTemplate.h"

class QButtonGroup;

class CMeraBWBaseDialog : public QDialog {
  Q_OBJECT
 public:
  CMeraBWBaseDialog(int templateId, QWidget* parent = nullptr);
  ~CMeraBWBaseDialog() override;

  // Builds the dialog, runs OnInitDialog and then the dialog modally. Returns
  // the code the dialog ended with (1 OK, 2 cancel, or what EndDialog got),
  // QUOR_PRN_ERR_DISPLAY when nothing can be shown, QUOR_PRN_ERR_ARGUMENT
  // when the template id is not registered.
  virtual int DoModal();
  // Ends the dialog with code; called from OnInitDialog the dialog never shows.
  void EndDialog(int code);

  // Builds the widgets from the template once; false for an unknown template
  // or no display. DoModal calls it; tests and previews may call it first.
  bool Create();
  int TemplateId() const { return templateId_; }

  // Use the member `control` for template control id; before Create only.
  void BindControl(int id, QWidget* control);
  // Null when no control has that id.
  QWidget* GetDlgItem(int id) const;
  template <class T>
  T* Item(int id) const {
    return qobject_cast<T*>(GetDlgItem(id));
  }

  // Dialog units to client pixels, through the template font's base units.
  QRect MapDialogRect(const QRect& du) const;
  int FunctionBarHeight() const { return barHeight_; }

  // Texts in code page 932. A control without a text gives "".
  std::string GetDlgItemText(int id) const;
  void SetDlgItemText(int id, const std::string& text);
  std::string GetWindowText() const;
  void SetWindowText(const std::string& text);
  // Check boxes and radio buttons: 1 checked, 0 not (also for unknown ids).
  int IsDlgButtonChecked(int id) const;
  void CheckDlgButton(int id, int check);
  // Checks `check` and clears the other radio buttons first..last.
  void CheckRadioButton(int first, int last, int check);
  // The checked id among first..last, 0 for none.
  int GetCheckedRadioButton(int first, int last) const;
  // Data exchange with member variables the dialog binds (in its constructor
  // or OnInitDialog): UpdateData(true) reads every bound control into its
  // variable, UpdateData(false) shows the variables in the controls. The base
  // OnInitDialog shows them once; CMeraBWBaseDialog::OnOK reads them before
  // closing. True; false only when a bound id is not in the template (the
  // other bindings are still transferred). The variables must outlive the
  // dialog's use of them (members of the dialog).
  bool UpdateData(bool saveAndValidate = true);
  // A check box: 1 checked, 0 not.
  void DdxCheck(int id, int* value);
  // A radio group starting at firstId (up to the next control that starts a
  // group): the 0-based position of the checked button, -1 for none.
  void DdxRadio(int firstId, int* index);
  // An edit's (or any text control's) text, code page 932.
  void DdxText(int id, std::string* value);
  // A numeric edit's value; shown through CYbNumEdit's formatting.
  void DdxValue(int id, double* value);
  void EnableDlgItem(int id, bool enable);
  void ShowDlgItem(int id, bool show);

  // The visible text of a control (label, button, group, edit, the selected
  // entry of a combo box), for any widget.
  static QString ControlText(const QWidget* w);
  // False for controls that show no text of their own (lists, trees, ...).
  static bool SetControlText(QWidget* w, const QString& text);

 protected:
  // After the controls exist and before the dialog shows; derived classes
  // call the base first. False is ignored (the focus stays where it is).
  virtual bool OnInitDialog();
  // Button 1 of the template; ends with 1.
  virtual void OnOK();
  // Button 2, Escape, or the window closed; ends with 2.
  virtual void OnCancel();
  // A template button, check box or radio button was clicked (not CYbPushBtn).
  virtual void OnCommand(int id);
  // Room below the template's area, in pixels (the function-key bar).
  virtual int ExtraBottom() const { return 0; }

  void reject() override;
  const DialogTemplate& Template() const { return tpl_; }

 private:
  QWidget* MakeControl(const DlgControl& c, QWidget* bound);
  // The radio buttons of the group that starts at firstId, in template order.
  std::vector<int> RadioGroup(int firstId) const;

  struct Exchange {
    int id;
    std::function<void()> save;  // control to variable
    std::function<void()> load;  // variable to control
  };
  std::vector<Exchange> exchanges_;

  int templateId_;
  DialogTemplate tpl_;
  bool created_ = false;
  bool ended_ = false;
  int endCode_ = 0;
  int baseX_ = 6, baseY_ = 12;
  int barHeight_ = 0;
  std::map<int, QWidget*> bound_;
  QButtonGroup* radioGroup_ = nullptr;
};
