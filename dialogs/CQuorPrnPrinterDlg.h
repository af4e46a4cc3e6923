// The printer dialog (template 31500): the user picks the current printer of
// one printer set, sees its state, opens its property sheet and corrects its
// systematic error by an offset and a scale. Works on a settings store of its
// own, opened for the given system, job and set; the registry changes only on
// confirm. Owns the store and the working copy of the printer properties; the
// caller's device-settings holder is borrowed and receives that copy on
// confirm. Never reaches the spooler or the hive except through the store,
// the printer list and the spooler's platform calls.
#pragma once

#include <cstdint>
#include <string>

#include "dialogs/CQuorPrnDevModeCopy.h"
#include "dialogs/CQuorPrnNumEdit.h"
#include "dialogs/CQuorPrnSpinCtrl.h"
#include "platform/ui/CYbButton.h"
#include "platform/ui/CYbComboBox.h"
#include "platform/ui/CYbDialog.h"
#include "platform/ui/CYbPushBtn.h"
#include "store/CQuorPrnSettingStore.h"

class CPrnDevMode;
class UiWaitCursor;

class CQuorPrnPrinterDlg : public CYbDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 31500;
  enum ControlId : int {
    kPrinterList = 31501,
    kPropertyPlaceholder = 31502,
    kPropertyButton = 31503,
    kStatus = 31504,
    kType = 31505,
    kLocation = 31506,
    kComment = 31507,
    kOffsetX = 31508,
    kOffsetXSpin = 31509,
    kOffsetY = 31510,
    kOffsetYSpin = 31511,
    kScaleX = 31512,
    kScaleXSpin = 31513,
    kScaleY = 31514,
    kScaleYSpin = 31515,
    kScaleFix = 31516,
    kOffsetPicture = 31517,
    kScalePicture = 31518,
  };

  explicit CQuorPrnPrinterDlg(QWidget* parent = nullptr);
  ~CQuorPrnPrinterDlg() override;

  // Prepares the dialog for (system, job, setNo) and runs it modally.
  // devMode: the caller's holder (borrowed; null gives 110), handed the
  // working property copy on confirm. Returns 1 (confirmed), 2 (cancelled) or
  // the code that kept the dialog from showing: 110, 114, 150, or a store
  // code of the set or printer read. The same code stays in ResultValue().
  int32_t Open(const char* system, const char* job, uint32_t setNo, CPrnDevMode* devMode, uint32_t helpId);
  int32_t ResultValue() const { return m_result; }

  int NotifyFunctionEvent(int key) override;
  int NotifyConfirmEvent() override;
  int NotifyCancelEvent() override;
  int NotifyTabEvent(int id, int code) override;
  int NotifyMaxTextEvent(int id) override;
  int NotifyClickedEvent(int id) override;
  uint32_t NotifyHelpPreEvent(int id) override;

  // Read-only views for tests and the command.
  int SelectedIndex() const { return m_selected; }
  const std::string& LoadedPrinter() const { return m_loadedPrinter; }
  const CQuorPrnDevModeCopy& WorkingCopy() const { return m_work; }

 protected:
  bool OnInitDialog() override;
  void OnCommand(int id) override;

 private:
  void _showPrinterFields();
  void _showValues();
  int32_t _loadValues(const std::string& printerName);
  int32_t _saveValues();
  void _applyScaleFix(bool fixed, bool copyAcross);
  int _normalize(int id);
  void _selectionChanged(int index);
  void _runPropertySheet();
  std::string _selectedName() const;

  CQuorPrnSettingStore m_store;
  uint32_t m_setNo = 0;
  uint32_t m_helpId = 0;
  int32_t m_selected = -1;
  std::string m_loadedPrinter;
  double m_offsetX = 0.0;
  double m_offsetY = 0.0;
  double m_scaleX = 100.0;
  double m_scaleY = 100.0;
  int32_t m_loadedFix = 1;
  CPrnDevMode* m_devMode = nullptr;
  CQuorPrnDevModeCopy m_work;
  int32_t m_result = 1;
  UiWaitCursor* m_waitCursor = nullptr;  // Open's own, while it runs

  CYbComboBox m_printerList;
  CQuorPrnNumEdit m_offsetXEdit;
  CQuorPrnSpinCtrl m_offsetXSpin;
  CQuorPrnNumEdit m_offsetYEdit;
  CQuorPrnSpinCtrl m_offsetYSpin;
  CQuorPrnNumEdit m_scaleXEdit;
  CQuorPrnSpinCtrl m_scaleXSpin;
  CQuorPrnNumEdit m_scaleYEdit;
  CQuorPrnSpinCtrl m_scaleYSpin;
  CYbButton m_scaleFixCheck;
  int32_t m_scaleFix = 1;
  CYbPushBtn m_propertyButton;
};
