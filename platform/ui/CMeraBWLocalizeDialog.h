// A dialog whose texts are translated through the localisation component:
// the caption under "<dialog key>.CAPTION", each control under
// "<dialog key>.<control key>". Without a translation the template text stays.
#pragma once

#include <string>

#include "platform/ui/CMeraBWBaseDialog.h"

class CMeraBWLocalizeDialog : public CMeraBWBaseDialog {
  Q_OBJECT
 public:
  CMeraBWLocalizeDialog(int templateId, QWidget* parent = nullptr);

  // The dialog key, such as "CD2010" or "IDD_QUORPRN_XDWOUTPUTDLG".
  void SetLocalizeDialogID(const std::string& dialogKey) { dialogKey_ = dialogKey; }
  const std::string& LocalizeDialogID() const { return dialogKey_; }
  // Translates the caption.
  void LocalizeDialog();
  // Translates the text of control id; controls that show no text of their own
  // (lists, trees, combo boxes) get it as their accessible name.
  void LocalizeControl(int id, const std::string& controlKey);

 protected:
  // The text to show for "<dialog key>.<name>", defaultText when untranslated.
  std::string LocalizeText(const std::string& name, const std::string& defaultText) const;

 private:
  std::string dialogKey_;
};
