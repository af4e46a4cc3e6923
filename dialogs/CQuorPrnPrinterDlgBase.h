// What both printer dialogs do: the user picks the current printer of one
// printer set, sees its state, opens its property sheet and corrects its
// systematic error by an offset and a scale. Works on a settings store of its
// own, opened for the given system, job and set; the registry changes only on
// confirm. Owns the store and the working copy of the printer properties; the
// caller's device-settings holder is borrowed and receives that copy on
// confirm. The two derived dialogs are entry points of their own with their
// own templates; they number their shared controls alike from the template
// id (see the control offsets below) and add what only they do through the
// hooks. Never reaches the spooler or the hive except through the store, the
// printer list and the spooler's platform calls.
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
#include "platform/ui/DialogTemplate.h"
#include "quorprn/QuorPrnRecords.h"
#include "store/CQuorPrnSettingStore.h"

class CPrnDevMode;
class UiWaitCursor;

class CQuorPrnPrinterDlgBase : public CYbDialog {
  Q_OBJECT
 public:
  // The shared controls' ids are the template id plus these.
  enum SharedControl : int {
    kPrinterListAt = 1,
    kPropertyPlaceholderAt,
    kPropertyButtonAt,
    kStatusAt,
    kTypeAt,
    kLocationAt,
    kCommentAt,
    kOffsetXAt,
    kOffsetXSpinAt,
    kOffsetYAt,
    kOffsetYSpinAt,
    kScaleXAt,
    kScaleXSpinAt,
    kScaleYAt,
    kScaleYSpinAt,
    kScaleFixAt,
  };

  ~CQuorPrnPrinterDlgBase() override;

  // The printer and correction groups of a template (caption, font, and
  // every control of both groups); the pictures' ids differ between the
  // dialogs. The dialog adds its own controls after these.
  static DialogTemplate SharedTemplate(int templateId, int cy, int offsetPicture, int scalePicture);

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
  CQuorPrnPrinterDlgBase(int templateId, QWidget* parent);

  // The open operation's shared steps, from the argument check to DoModal
  // (devMode: the caller's holder, borrowed; null gives 110). Returns 1, 2
  // or the code that kept the dialog from showing, also kept as the result.
  int32_t OpenDialog(const char* system, const char* job, uint32_t setNo, CPrnDevMode* devMode, uint32_t helpId);

  bool OnInitDialog() override;
  void OnCommand(int id) override;

  // Hooks for what only one dialog does, each called at its place in the
  // shared steps; by default they do nothing.
  // Once the current printer is settled, before the dialog shows.
  virtual void _prepareShow() {}
  // Between F6 and Return on the function-key bar.
  virtual void _addFunctionKeys() {}
  // After the property button is created, before the localisation.
  virtual void _createOwnControls() {}
  // After the shared controls and keys are localised.
  virtual void _localizeOwnControls() {}
  // On confirm, after the set reached the registry and before the caller's
  // holder receives the working copy.
  virtual void _confirmed(const std::string& /*printerName*/) {}

  virtual void _showValues();
  virtual int32_t _loadValues(const std::string& printerName);
  virtual int32_t _saveValues();

  // Takes a printer's stored values as the loaded (and shown) ones.
  void _takeValues(const std::string& printerName, const QUOR_PRN_PRINTER_INFO_TYPE& printer);
  // True when the edits and the check value still show what was loaded.
  bool _shownAsLoaded() const;
  // The loaded printer's record as the edits show it.
  QUOR_PRN_PRINTER_INFO_TYPE _shownPrinter() const;
  // Confirm's check of both scales: the horizontal one normalised, the
  // vertical one held to its range. False (the value corrected) keeps the
  // dialog open.
  bool _checkScales();
  std::string _selectedName() const;
  int _id(SharedControl at) const { return m_templateId + at; }

  CQuorPrnSettingStore m_store;
  int32_t m_selected = -1;
  std::string m_loadedPrinter;
  int32_t m_result = 1;

 private:
  void _showPrinterFields();
  void _applyScaleFix(bool fixed, bool copyAcross);
  int _normalize(int id);
  void _selectionChanged(int index);
  void _runPropertySheet();

  int m_templateId;
  uint32_t m_setNo = 0;
  uint32_t m_helpId = 0;
  double m_offsetX = 0.0;
  double m_offsetY = 0.0;
  double m_scaleX = 100.0;
  double m_scaleY = 100.0;
  int32_t m_loadedFix = 1;
  CPrnDevMode* m_devMode = nullptr;
  CQuorPrnDevModeCopy m_work;
  UiWaitCursor* m_waitCursor = nullptr;  // OpenDialog's own, while it runs

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
