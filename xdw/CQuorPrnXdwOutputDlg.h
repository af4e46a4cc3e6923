// The DocuWorks output dialog: how an application writes its DocuWorks
// documents (separate, combined, or a binder in a chosen colour) and where
// they go (a folder, optionally a folder per customer below it, or a file
// named at output time). Shows the stored settings, opens the binder-colour
// and folder dialogs, and stores the choice when the user confirms; a cancel
// writes nothing. Lives for one call of QuorPrnXdwOutputDlgOpen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/CYbButton.h"
#include "platform/ui/CYbDialog.h"
#include "platform/ui/CYbEdit.h"
#include "platform/ui/CYbImageList.h"
#include "platform/ui/CYbPushBtn.h"
#include "quorprn/CQuorPrnXdwInfo.h"

class CQuorPrnXdwOutputDlg : public CYbDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 31801;
  enum ControlId : int {
    kIdIconSeparate = 31760,
    kIdIconCombined = 31761,
    kIdIconBinder = 31762,
    kIdRadioSeparate = 31763,
    kIdRadioCombined = 31764,
    kIdRadioBinder = 31765,
    kIdColorPlaceholder = 31766,
    kIdColorButton = 31767,
    kIdRadioFolder = 31768,
    kIdRadioInput = 31769,
    kIdEditFolder = 31770,
    kIdBrowsePlaceholder = 31771,
    kIdBrowseButton = 31772,
    kIdCheckCustomer = 31773,
  };

  explicit CQuorPrnXdwOutputDlg(QWidget* parent = nullptr);

  // Before DoModal: the help number for F1, whether the per-customer check
  // box shows (0 hides it), and the settings' system and job.
  void SetHelpId(int32_t helpId) { m_helpId = helpId; }
  void SetShowCustomerFolder(int32_t show) { m_showCustomerFolder = show; }
  CQuorPrnXdwInfo& XdwInfo() { return m_xdwInfo; }
  int32_t GetResult() const { return m_result; }
  int32_t GetColorIndex() const { return m_colorIndex; }

  int NotifyConfirmEvent() override;
  int NotifyCancelEvent() override;
  int NotifyFunctionEvent(int key) override;
  int NotifyClickedEvent(int id) override;
  uint32_t NotifyHelpPreEvent(int id) override;

 protected:
  bool OnInitDialog() override;
  void OnCommand(int id) override;

 private:
  void _enableFolder();
  void _enableColor();
  void _runColorAction();
  void _runBrowseAction();
  void _showBinderIcon();

  CYbPushBtn m_colorButton;
  CYbPushBtn m_browseButton;
  CYbButton m_radioSeparate;
  CYbButton m_radioCombined;
  CYbButton m_radioBinder;
  CYbButton m_radioFolder;
  CYbButton m_radioInput;
  CYbButton m_checkCustomer;
  CYbEdit m_editFolder;
  int32_t m_result = 1;
  int32_t m_helpId = 0;
  int32_t m_showCustomerFolder = 0;
  CQuorPrnXdwInfo m_xdwInfo;
  CYbImageList m_largeIcons;
  CYbImageList m_smallIcons;
  std::vector<std::string> m_colorNames;
  int32_t m_colorIndex = 0;
  // Read from the controls on confirm.
  int m_printChoice = 0;
  int m_outputChoice = 0;
  int m_customerChecked = 0;
  std::string m_folderText;
};
