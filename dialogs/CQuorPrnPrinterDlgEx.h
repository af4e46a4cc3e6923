// The printer dialog with colour (template 31550): the printer dialog's
// choice of printer, property sheet, offsets and scale, and a third group in
// which the user chooses monochrome or colour output for the printer and,
// where the store holds a default palette, opens the colour dialogs. Owns its
// settings store (which the colour dialogs borrow) and the working copy of the
// printer properties; the caller's device-settings holder and colour record
// are borrowed and filled on confirm. The registry changes on confirm, and
// when the colour dialogs open (they start from what was shown). Never
// reaches the spooler or the hive except through the store, the printer list
// and the spooler's platform calls.
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
#include "quorprn/QuorPrnRecords.h"
#include "store/CQuorPrnSettingStore.h"

class CPrnDevMode;
class UiWaitCursor;

class CQuorPrnPrinterDlgEx : public CYbDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 31550;
  enum ControlId : int {
    kPrinterList = 31551,
    kPropertyPlaceholder = 31552,
    kPropertyButton = 31553,
    kStatus = 31554,
    kType = 31555,
    kLocation = 31556,
    kComment = 31557,
    kOffsetX = 31558,
    kOffsetXSpin = 31559,
    kOffsetY = 31560,
    kOffsetYSpin = 31561,
    kScaleX = 31562,
    kScaleXSpin = 31563,
    kScaleY = 31564,
    kScaleYSpin = 31565,
    kScaleFix = 31566,
    kMonochrome = 31567,
    kColour = 31568,
    kColourDisplay = 31569,
    kColourPlaceholder = 31570,
    kColourButton = 31571,
    kOffsetPicture = 31572,
    kScalePicture = 31573,
  };

  explicit CQuorPrnPrinterDlgEx(QWidget* parent = nullptr);
  ~CQuorPrnPrinterDlgEx() override;

  // Prepares the dialog for (system, job, setNo) and runs it modally.
  // devMode: the caller's holder, handed the working property copy on
  // confirm; colourInfo: the caller's record (its palette is emptied at once),
  // filled with the confirmed printer's colours. Both borrowed; either null
  // gives 110. Returns 1 (confirmed), 2 (cancelled) or the code that kept the
  // dialog from showing: 110, 114, 150, or a store code of the set or printer
  // read. The same code stays in ResultValue().
  int32_t Open(const char* system, const char* job, uint32_t setNo, CPrnDevMode* devMode,
               QUOR_PRN_COLOR_INFO_TYPE* colourInfo, uint32_t helpId);
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
  bool ColourAvailable() const { return m_colourAvailable != 0; }
  int32_t LoadedColourMode() const { return m_loadedMode; }

 protected:
  bool OnInitDialog() override;
  void OnCommand(int id) override;

 private:
  void _showPrinterFields();
  void _showValues();
  void _showColourState();
  int32_t _loadValues(const std::string& printerName);
  int32_t _saveValues();
  void _applyScaleFix(bool fixed, bool copyAcross);
  int _normalize(int id);
  bool _checkScales();
  void _selectionChanged(int index);
  void _runPropertySheet();
  void _runColourDialog();
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
  int32_t m_loadedColour = 0;
  int32_t m_loadedMode = 0;
  int32_t m_colourChanged = 0;
  int32_t m_colourAvailable = 0;
  CPrnDevMode* m_devMode = nullptr;
  QUOR_PRN_COLOR_INFO_TYPE* m_colourInfo = nullptr;
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
  CYbButton m_monochromeRadio;
  CYbButton m_colourRadio;
  int32_t m_scaleFix = 1;
  CYbPushBtn m_propertyButton;
  CYbPushBtn m_colourButton;
};
