// The colour dialog with all three modes: automatic, a printer model's
// preset, or a custom palette (template 31600). Opened by the printer dialog
// with colour when model presets are stored.
#pragma once

#include "dialogs/CQuorPrnColorDlgBase.h"

class CQuorPrnColorDlg : public CQuorPrnColorDlgBase {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 31600;
  enum : int {
    IDC_COLOR_MODESEL_AUTO = 31601,
    IDC_COLOR_MODESEL_PRNDEF = 31602,
    IDC_COLOR_MODESEL_CUSTOM = 31603,
    IDC_COLOR_PRINTERDEF_SEL = 31604,
    IDC_COLOR_PALETTE_SEL = 31605,
    IDC_COLOR_SLIDER_R = 31606,
    IDC_COLOR_SLIDER_G = 31607,
    IDC_COLOR_SLIDER_B = 31608,
    IDC_COLOR_PREVIEW = 31609,
    IDC_COLOR_VALUE_R = 31610,
    IDC_COLOR_VALUE_G = 31611,
    IDC_COLOR_VALUE_B = 31612,
  };

  // `store` (not owned) holds the open printer set of `printerName`.
  CQuorPrnColorDlg(CQuorPrnSettingStore* store, const std::string& printerName, QWidget* parent = nullptr);
};
