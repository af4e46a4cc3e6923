// The printer dialog with colour (template 31550): the base's printer and
// correction groups and a third group in which the user chooses monochrome or
// colour output for the printer and, where the store holds a default palette,
// opens the colour dialogs. The colour dialogs borrow the base's store; the
// caller's colour record is borrowed and filled on confirm. The registry
// changes on confirm, and when the colour dialogs open (they start from what
// was shown).
#pragma once

#include <cstdint>
#include <string>

#include "dialogs/CQuorPrnPrinterDlgBase.h"
#include "platform/ui/CYbButton.h"
#include "platform/ui/CYbPushBtn.h"
#include "quorprn/QuorPrnRecords.h"

class CPrnDevMode;

class CQuorPrnPrinterDlgEx : public CQuorPrnPrinterDlgBase {
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

  // Prepares the dialog for (system, job, setNo) and runs it modally.
  // devMode: the caller's holder, handed the working property copy on
  // confirm; colourInfo: the caller's record (its palette is emptied at once),
  // filled with the confirmed printer's colours. Both borrowed; either null
  // gives 110. Returns 1 (confirmed), 2 (cancelled) or the code that kept the
  // dialog from showing: 110, 114, 150, or a store code of the set or printer
  // read. The same code stays in ResultValue().
  int32_t Open(const char* system, const char* job, uint32_t setNo, CPrnDevMode* devMode,
               QUOR_PRN_COLOR_INFO_TYPE* colourInfo, uint32_t helpId);

  int NotifyFunctionEvent(int key) override;
  int NotifyClickedEvent(int id) override;

  // Read-only views for tests and the command.
  bool ColourAvailable() const { return m_colourAvailable != 0; }
  int32_t LoadedColourMode() const { return m_loadedMode; }

 protected:
  void OnCommand(int id) override;
  void _prepareShow() override;
  void _addFunctionKeys() override;
  void _createOwnControls() override;
  void _localizeOwnControls() override;
  void _confirmed(const std::string& printerName) override;
  void _showValues() override;
  int32_t _loadValues(const std::string& printerName) override;
  int32_t _saveValues() override;

 private:
  void _showColourState();
  void _runColourDialog();

  int32_t m_loadedColour = 0;
  int32_t m_loadedMode = 0;
  int32_t m_colourChanged = 0;
  int32_t m_colourAvailable = 0;
  QUOR_PRN_COLOR_INFO_TYPE* m_colourInfo = nullptr;

  CYbButton m_monochromeRadio;
  CYbButton m_colourRadio;
  CYbPushBtn m_colourButton;
};
