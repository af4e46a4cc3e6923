// The colour dialog without a model choice: automatic or a custom palette
// (template 31620). Opened by the printer dialog with colour when no model
// presets are stored.
#pragma once

#include "dialogs/CQuorPrnColorDlgBase.h"

class CQuorPrnColorDlg2 : public CQuorPrnColorDlgBase {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 31620;
  enum : int {
    IDC_COLOR_MODESEL_AUTO = 31621,
    IDC_COLOR_MODESEL_CUSTOM = 31623,
    IDC_COLOR_PALETTE_SEL = 31625,
    IDC_COLOR_SLIDER_R = 31626,
    IDC_COLOR_SLIDER_G = 31627,
    IDC_COLOR_SLIDER_B = 31628,
    IDC_COLOR_PREVIEW = 31629,
    IDC_COLOR_VALUE_R = 31630,
    IDC_COLOR_VALUE_G = 31631,
    IDC_COLOR_VALUE_B = 31632,
  };

  // `store` (not owned) holds the open printer set of `printerName`.
  CQuorPrnColorDlg2(CQuorPrnSettingStore* store, const std::string& printerName, QWidget* parent = nullptr);
};
