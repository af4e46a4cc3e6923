#include "dialogs/CQuorPrnPrinterDlgEx.h"

#include "dialogs/CQuorPrnColorDlg.h"
#include "dialogs/CQuorPrnColorDlg2.h"

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/DialogTemplates.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiLocalize.h"

namespace {

using mbcs::Cp932;
using Dlg = CQuorPrnPrinterDlgEx;
static_assert(Dlg::kPrinterList == Dlg::kTemplateId + Dlg::kPrinterListAt &&
              Dlg::kScaleFix == Dlg::kTemplateId + Dlg::kScaleFixAt);

const DialogTemplates::Registrar kTemplate([] {
  DialogTemplate t = Dlg::SharedTemplate(Dlg::kTemplateId, 270, Dlg::kOffsetPicture, Dlg::kScalePicture);
  t.controls.insert(
      t.controls.end(),
      {
          {31712, DlgKind::GroupBox, Cp932("カラー対応された帳票を出力する場合、次の設定を行います。"), 6, 206, 288,
           58, kDlgGroup},
          {Dlg::kMonochrome, DlgKind::RadioButton, Cp932("モノクロ印刷"), 14, 222, 80, 10, kDlgGroup},
          {Dlg::kColour, DlgKind::RadioButton, Cp932("カラー印刷"), 100, 222, 80, 10, 0},
          {31713, DlgKind::Static, Cp932("色の設定："), 14, 243, 50, 10, kDlgGroup},
          {Dlg::kColourDisplay, DlgKind::Static, "", 66, 243, 100, 10, 0},
          {Dlg::kColourPlaceholder, DlgKind::PushButton, Cp932("色設定"), 230, 240, 58, 14,
           kDlgHidden | kDlgDisabled},
      });
  return t;
}());

}  // namespace

CQuorPrnPrinterDlgEx::CQuorPrnPrinterDlgEx(QWidget* parent) : CQuorPrnPrinterDlgBase(kTemplateId, parent) {
  BindControl(kMonochrome, &m_monochromeRadio);
  BindControl(kColour, &m_colourRadio);
}

int32_t CQuorPrnPrinterDlgEx::Open(const char* system, const char* job, uint32_t setNo, CPrnDevMode* devMode,
                                   QUOR_PRN_COLOR_INFO_TYPE* colourInfo, uint32_t helpId) {
  if (devMode == nullptr || colourInfo == nullptr) return m_result = QUOR_PRN_ERR_ARGUMENT;
  m_colourInfo = colourInfo;
  m_colourInfo->Palette.clear();
  return OpenDialog(system, job, setNo, devMode, helpId);
}

void CQuorPrnPrinterDlgEx::_prepareShow() {
  *m_colourInfo = QUOR_PRN_COLOR_INFO_TYPE();
  CQuorPrnSettingStore::Palette defaults;
  std::string presetName;
  m_store.GetColorPreset(0, defaults, presetName);
  m_colourAvailable = defaults.empty() ? 0 : 1;
}

void CQuorPrnPrinterDlgEx::_addFunctionKeys() {
  if (m_colourAvailable != 0) SetFuncBtn(kVkF9, Cp932("色設定"), 0);
}

void CQuorPrnPrinterDlgEx::_createOwnControls() {
  if (m_colourAvailable != 0) m_colourButton.CreateOver(this, kColourPlaceholder, kColourButton);
  ShowDlgItem(kColourDisplay, m_colourAvailable != 0);
}

void CQuorPrnPrinterDlgEx::_localizeOwnControls() {
  LocalizeControl(kMonochrome, "IDC_PRN2_RADIO_MONOCHROME");
  LocalizeControl(kColour, "IDC_PRN2_RADIO_COLOR");
  LocalizeControl(kColourDisplay, "IDC_PRN2_COLOR_DISP");
  LocalizeControl(kColourButton, "IDC_PRN2_COLOR_BTN");
  LocalizeControl(31712, "IDC_STATIC_012");
  LocalizeControl(31713, "IDC_STATIC_013");
  LocalizeFunc(kVkF9, "VK_F9");
}

void CQuorPrnPrinterDlgEx::_showValues() {
  CQuorPrnPrinterDlgBase::_showValues();
  CheckRadioButton(kMonochrome, kColour, m_loadedColour == 1 ? kColour : kMonochrome);
  if (m_colourAvailable != 0) {
    const char* key = "CD2010_IDC_PRN2_COLOR_DISP_001";
    const char* text = "自動モード";
    if (m_loadedMode >= 1 && m_loadedMode <= 99) {
      key = "CD2010_IDC_PRN2_COLOR_DISP_002";
      text = "選択モード";
    } else if (m_loadedMode == -1) {
      key = "CD2010_IDC_PRN2_COLOR_DISP_003";
      text = "カスタムモード";
    }
    SetDlgItemText(kColourDisplay, UiLocalize::ControlText(key, Cp932(text)));
  }
  _showColourState();
}

// The colour button, F9 and the mode display follow the radio buttons; they
// exist only while the store holds a default palette.
void CQuorPrnPrinterDlgEx::_showColourState() {
  if (m_colourAvailable == 0) return;
  const bool colour = m_colourRadio.GetCheck() != 0;
  m_colourButton.SetAttribute(colour ? 1 : 0);
  ChangeAttribute(kVkF9, colour ? 1 : 0);
  EnableDlgItem(kColourDisplay, colour);
}

int32_t CQuorPrnPrinterDlgEx::_loadValues(const std::string& printerName) {
  QUOR_PRN_PRINTER_INFO_TYPE printer;
  printer.PrinterName = printerName;
  QUOR_PRN_COLOR_INFO_TYPE colour;
  const int32_t r = m_store.GetPrinter(&printer, &colour);
  if (r != QUOR_PRN_SUCCESS) return r;
  m_loadedColour = colour.ColorPrint != 0 ? 1 : 0;
  m_loadedMode = colour.Mode >= 1 && colour.Mode <= 99 ? colour.Mode : (colour.Mode < 0 ? -1 : 0);
  _takeValues(printerName, printer);
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnPrinterDlgEx::_saveValues() {
  const int32_t colourPrint = m_colourRadio.GetCheck() != 0 ? 1 : 0;
  if (_shownAsLoaded() && colourPrint == m_loadedColour && m_colourChanged == 0) return QUOR_PRN_SUCCESS;
  const QUOR_PRN_PRINTER_INFO_TYPE printer = _shownPrinter();
  // The model and palette stay as stored (or as the colour dialog left them).
  QUOR_PRN_PRINTER_INFO_TYPE stored;
  stored.PrinterName = m_loadedPrinter;
  QUOR_PRN_COLOR_INFO_TYPE colour;
  if (const int32_t r = m_store.GetPrinter(&stored, &colour); r != QUOR_PRN_SUCCESS) return r;
  colour.ColorPrint = colourPrint;
  m_store.SetPrinter(printer, &colour);
  return QUOR_PRN_SUCCESS;
}

void CQuorPrnPrinterDlgEx::OnCommand(int id) {
  if (id == kMonochrome || id == kColour) {
    CheckRadioButton(kMonochrome, kColour, id);
    _showColourState();
  } else {
    CQuorPrnPrinterDlgBase::OnCommand(id);
  }
}

int CQuorPrnPrinterDlgEx::NotifyFunctionEvent(int key) {
  if (key == kVkF9) {
    _runColourDialog();
    return 0;
  }
  return CQuorPrnPrinterDlgBase::NotifyFunctionEvent(key);
}

int CQuorPrnPrinterDlgEx::NotifyClickedEvent(int id) {
  CQuorPrnPrinterDlgBase::NotifyClickedEvent(id);
  if (id == kColourButton) _runColourDialog();
  return 1;
}

// The colour dialogs start from what the store holds, so the values shown
// here are written first; afterwards the printer's values are read back, as
// the colour dialog may have changed its colour mode.
void CQuorPrnPrinterDlgEx::_runColourDialog() {
  if (!_checkScales() || m_selected < 0) return;
  const std::string name = _selectedName();
  m_store.SetCurrentPrinter(name.c_str());
  if (_saveValues() != QUOR_PRN_SUCCESS) return;
  m_store.SavePrinterSet();
  std::vector<std::string> models;
  m_store.GetColorPresetNames(models);
  if (models.empty()) {
    CQuorPrnColorDlg2 dlg(&m_store, name, this);
    dlg.DoModal();
  } else {
    CQuorPrnColorDlg dlg(&m_store, name, this);
    dlg.DoModal();
  }
  m_colourChanged = 1;
  _loadValues(name);
  _showValues();
}

// The caller's colour record gets the confirmed printer's colours.
void CQuorPrnPrinterDlgEx::_confirmed(const std::string& printerName) {
  *m_colourInfo = QUOR_PRN_COLOR_INFO_TYPE();
  QUOR_PRN_PRINTER_INFO_TYPE printer;
  printer.PrinterName = printerName;
  if (m_store.GetPrinter(&printer, m_colourInfo) != QUOR_PRN_SUCCESS) *m_colourInfo = QUOR_PRN_COLOR_INFO_TYPE();
}
