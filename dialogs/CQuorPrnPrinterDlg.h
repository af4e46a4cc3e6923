// The printer dialog (template 31500): the printer and correction groups of
// the base alone. The dialog the entry point opens when the host asks for no
// colour choice.
#pragma once

#include <cstdint>

#include "dialogs/CQuorPrnPrinterDlgBase.h"

class CPrnDevMode;

class CQuorPrnPrinterDlg : public CQuorPrnPrinterDlgBase {
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

  // Prepares the dialog for (system, job, setNo) and runs it modally.
  // devMode: the caller's holder (borrowed; null gives 110), handed the
  // working property copy on confirm. Returns 1 (confirmed), 2 (cancelled) or
  // the code that kept the dialog from showing: 110, 114, 150, or a store
  // code of the set or printer read. The same code stays in ResultValue().
  int32_t Open(const char* system, const char* job, uint32_t setNo, CPrnDevMode* devMode, uint32_t helpId);
};
