// Values are kept twice: as loaded (to tell whether anything changed) and in
// the edits. Switching printers saves the shown values into the store's
// in-memory set before the next printer's values are loaded, so the registry
// sees every visited printer at once on confirm, and nothing on cancel.
#include "dialogs/CQuorPrnPrinterDlgBase.h"

#include "meraprn/CPrnDevMode.h"
#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/WinSpool.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiPictures.h"
#include "platform/ui/UiWaitCursor.h"
#include "printer/CQuorPrnPrinterInfoManager.h"

namespace {

using mbcs::Cp932;

constexpr double kOffsetMin = -999.9;
constexpr double kOffsetMax = 999.9;
constexpr double kScaleMin = 80.0;
constexpr double kScaleMax = 120.0;

}  // namespace

DialogTemplate CQuorPrnPrinterDlgBase::SharedTemplate(int templateId, int cy, int offsetPicture, int scalePicture) {
  auto id = [templateId](SharedControl at) { return templateId + at; };
  DialogTemplate t;
  t.id = templateId;
  t.caption = Cp932("プリンタ設定");
  t.cx = 300;
  t.cy = cy;
  t.fontFace = Cp932("ＭＳ ゴシック");
  t.pointSize = 9;
  t.controls = {
      {31701, DlgKind::GroupBox, Cp932("プリンタ"), 6, 4, 288, 94, kDlgGroup},
      {31702, DlgKind::Static, Cp932("プリンタ名："), 14, 20, 50, 10, 0},
      {id(kPrinterListAt), DlgKind::ComboBox, "", 66, 18, 158, 120, kDlgGroup},
      {id(kPropertyPlaceholderAt), DlgKind::PushButton, Cp932("ﾌﾟﾛﾊﾟﾃｨ"), 230, 17, 58, 14, kDlgHidden | kDlgDisabled},
      {31703, DlgKind::Static, Cp932("状態："), 14, 38, 50, 10, 0},
      {id(kStatusAt), DlgKind::Static, "", 66, 38, 222, 10, 0},
      {31704, DlgKind::Static, Cp932("種類："), 14, 52, 50, 10, 0},
      {id(kTypeAt), DlgKind::Static, "", 66, 52, 222, 10, 0},
      {31705, DlgKind::Static, Cp932("場所："), 14, 66, 50, 10, 0},
      {id(kLocationAt), DlgKind::Static, "", 66, 66, 222, 10, 0},
      {31706, DlgKind::Static, Cp932("コメント："), 14, 80, 50, 10, 0},
      {id(kCommentAt), DlgKind::Static, "", 66, 80, 222, 10, 0},
      {31707, DlgKind::GroupBox, Cp932("プリンタの機種による誤差を補正する場合、次の設定を行います。"), 6, 104, 288, 96,
       kDlgGroup},
      {offsetPicture, DlgKind::Icon, "", 66, 116, 20, 20, 0, UiPictures::kPrinterOffset},
      {31708, DlgKind::Static, Cp932("印刷位置"), 90, 124, 70, 10, 0},
      {scalePicture, DlgKind::Icon, "", 176, 116, 20, 20, 0, UiPictures::kPrinterScale},
      {31709, DlgKind::Static, Cp932("拡大／縮小"), 200, 124, 80, 10, 0},
      {31710, DlgKind::Static, Cp932("横方向："), 14, 146, 50, 10, 0},
      {id(kOffsetXAt), DlgKind::NumEdit, "", 66, 144, 48, 12, kDlgGroup},
      {id(kOffsetXSpinAt), DlgKind::Spin, "", 114, 144, 10, 12, 0},
      {31714, DlgKind::Static, "mm", 128, 146, 20, 10, 0},
      {id(kScaleXAt), DlgKind::NumEdit, "", 176, 144, 48, 12, kDlgGroup},
      {id(kScaleXSpinAt), DlgKind::Spin, "", 224, 144, 10, 12, 0},
      {31716, DlgKind::Static, "%", 238, 146, 20, 10, 0},
      {31711, DlgKind::Static, Cp932("縦方向："), 14, 164, 50, 10, 0},
      {id(kOffsetYAt), DlgKind::NumEdit, "", 66, 162, 48, 12, kDlgGroup},
      {id(kOffsetYSpinAt), DlgKind::Spin, "", 114, 162, 10, 12, 0},
      {31715, DlgKind::Static, "mm", 128, 164, 20, 10, 0},
      {id(kScaleYAt), DlgKind::NumEdit, "", 176, 162, 48, 12, kDlgGroup},
      {id(kScaleYSpinAt), DlgKind::Spin, "", 224, 162, 10, 12, 0},
      {31717, DlgKind::Static, "%", 238, 164, 20, 10, 0},
      {id(kScaleFixAt), DlgKind::CheckBox, Cp932("縦横比を固定する。"), 176, 182, 112, 10, kDlgGroup},
  };
  return t;
}

CQuorPrnPrinterDlgBase::CQuorPrnPrinterDlgBase(int templateId, QWidget* parent)
    : CYbDialog(templateId, parent), m_templateId(templateId) {
  BindControl(_id(kPrinterListAt), &m_printerList);
  BindControl(_id(kOffsetXAt), &m_offsetXEdit);
  BindControl(_id(kOffsetXSpinAt), &m_offsetXSpin);
  BindControl(_id(kOffsetYAt), &m_offsetYEdit);
  BindControl(_id(kOffsetYSpinAt), &m_offsetYSpin);
  BindControl(_id(kScaleXAt), &m_scaleXEdit);
  BindControl(_id(kScaleXSpinAt), &m_scaleXSpin);
  BindControl(_id(kScaleYAt), &m_scaleYEdit);
  BindControl(_id(kScaleYSpinAt), &m_scaleYSpin);
  BindControl(_id(kScaleFixAt), &m_scaleFixCheck);
  connect(&m_printerList, &CYbComboBox::userSelChanged, this, [this](int index) { _selectionChanged(index); });
  connect(&m_scaleXEdit, &CYbEdit::focusLost, this, [this] { _normalize(_id(kScaleXAt)); });
  connect(&m_scaleYEdit, &CYbEdit::focusLost, this, [this] { _normalize(_id(kScaleYAt)); });
}

CQuorPrnPrinterDlgBase::~CQuorPrnPrinterDlgBase() { m_store.ClosePrinterSet(); }

int32_t CQuorPrnPrinterDlgBase::OpenDialog(const char* system, const char* job, uint32_t setNo, CPrnDevMode* devMode,
                                           uint32_t helpId) {
  auto fail = [this](int32_t code) { return m_result = code; };
  if (devMode == nullptr) return fail(QUOR_PRN_ERR_ARGUMENT);
  m_setNo = setNo;
  m_helpId = helpId;
  m_devMode = devMode;
  m_work.TakeFrom(*devMode);
  // Busy until the dialog shows (OnInitDialog ends it) or an error ends the open.
  UiWaitCursor wait;
  m_waitCursor = &wait;

  CQuorPrnPrinterInfoManager::RefreshPrinters();
  std::string defaultPrinter;
  if (!GetDefaultPrinterName(&defaultPrinter) || defaultPrinter.empty()) return fail(QUOR_PRN_ERR_NO_PRINTER);

  std::string current;
  const int32_t loaded = m_store.LoadPrinterSet(system, job, setNo);
  if (loaded == QUOR_PRN_SUCCESS) {
    m_store.GetCurrentPrinter(current);
  } else if (loaded == QUOR_PRN_NO_PRINTER_SET || loaded == QUOR_PRN_NO_CURRENT_PRINTER ||
             loaded == QUOR_PRN_NO_PRINTER_ENTRY) {
    current = defaultPrinter;
    m_store.SetCurrentPrinter(current.c_str());
  } else {
    return fail(loaded);
  }
  if (!current.empty()) {
    if (const int32_t r = _loadValues(current); r != QUOR_PRN_SUCCESS) return fail(r);
  }
  m_selected = CQuorPrnPrinterInfoManager::GetPrinterIndex(current);
  if (m_selected < 0) {
    m_selected = CQuorPrnPrinterInfoManager::GetPrinterIndex(defaultPrinter);
    if (m_selected < 0) return fail(QUOR_PRN_ERR_NO_PRINTER);
    m_store.SetCurrentPrinter(defaultPrinter.c_str());
    if (const int32_t r = _loadValues(defaultPrinter); r != QUOR_PRN_SUCCESS) return fail(r);
  }
  _prepareShow();
  const int code = DoModal();
  m_waitCursor = nullptr;
  if (code != QUOR_PRN_SUCCESS && code != QUOR_PRN_CANCEL) m_result = code;
  return code;
}

bool CQuorPrnPrinterDlgBase::OnInitDialog() {
  CYbDialog::OnInitDialog();
  m_printerList.SetExtendedUI(true);
  m_offsetXEdit.InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, kOffsetMin, kOffsetMax);
  m_offsetYEdit.InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, kOffsetMin, kOffsetMax);
  m_scaleXEdit.InitEdit(kNumEditNumeric, 0, 3, 1, kScaleMin, kScaleMax);
  m_scaleYEdit.InitEdit(kNumEditNumeric, 0, 3, 1, kScaleMin, kScaleMax);
  for (CQuorPrnNumEdit* e : {&m_offsetXEdit, &m_offsetYEdit, &m_scaleXEdit, &m_scaleYEdit}) e->SetInputMode(1);

  SetFuncStyle(2);
  SetFuncAutoArrange(1);
  SetFuncBtn(kVkF1, Cp932("ヘルプ"), 0);
  SetFuncBtn(kVkF6, Cp932("ﾌﾟﾛﾊﾟﾃｨ"), 0);
  _addFunctionKeys();
  SetFuncBtn(kVkReturn, Cp932("確定"), 0);
  SetFuncBtn(kVkEscape, Cp932("ｷｬﾝｾﾙ"), 0);

  std::vector<std::string> names;
  CQuorPrnPrinterInfoManager::GetPrinterNames(names);
  for (const std::string& name : names) m_printerList.AddString(name);
  m_printerList.SetCurSel(m_selected);

  const std::pair<CQuorPrnNumEdit*, CQuorPrnSpinCtrl*> pairs[] = {
      {&m_offsetXEdit, &m_offsetXSpin}, {&m_offsetYEdit, &m_offsetYSpin},
      {&m_scaleXEdit, &m_scaleXSpin}, {&m_scaleYEdit, &m_scaleYSpin}};
  for (const auto& [edit, spin] : pairs) {
    const bool offset = edit == &m_offsetXEdit || edit == &m_offsetYEdit;
    edit->SetRange(offset ? kOffsetMin : kScaleMin, offset ? kOffsetMax : kScaleMax, 2);
    spin->SetRange(offset ? kOffsetMin : kScaleMin, offset ? kOffsetMax : kScaleMax, 2);
    spin->SetBuddy(edit);
  }
  m_propertyButton.CreateOver(this, _id(kPropertyPlaceholderAt), _id(kPropertyButtonAt));
  _createOwnControls();

  SetLocalizeDialogID("CD2010");
  LocalizeDialog();
  LocalizeControl(_id(kPrinterListAt), "IDC_PRN2_PRINTERNAME");
  LocalizeControl(_id(kPropertyButtonAt), "IDC_PRN2_PROPERTY_BTN");
  LocalizeControl(_id(kStatusAt), "IDC_PRN2_STATUS");
  LocalizeControl(_id(kTypeAt), "IDC_PRN2_TYPE");
  LocalizeControl(_id(kLocationAt), "IDC_PRN2_LOCATION");
  LocalizeControl(_id(kCommentAt), "IDC_PRN2_COMMENT");
  LocalizeControl(_id(kOffsetXAt), "IDC_PRN2_OFFSETX");
  LocalizeControl(_id(kOffsetYAt), "IDC_PRN2_OFFSETY");
  LocalizeControl(_id(kScaleXAt), "IDC_PRN2_SCALEX");
  LocalizeControl(_id(kScaleYAt), "IDC_PRN2_SCALEY");
  LocalizeControl(_id(kScaleFixAt), "IDC_PRN2_SCALE_FIX");
  for (int i = 1; i <= 11; ++i) LocalizeControl(31700 + i, "IDC_STATIC_0" + std::string(i < 10 ? "0" : "") + std::to_string(i));
  for (int i = 14; i <= 17; ++i) LocalizeControl(31700 + i, "IDC_STATIC_0" + std::to_string(i));
  LocalizeFunc(kVkF1, "VK_F1");
  LocalizeFunc(kVkF6, "VK_F6");
  LocalizeFunc(kVkReturn, "VK_RETURN");
  LocalizeFunc(kVkEscape, "VK_ESCAPE");
  _localizeOwnControls();

  // The fields that carry data are filled after the localisation, which
  // would otherwise put their labels' keys' texts over them.
  _showPrinterFields();
  _showValues();
  if (m_waitCursor != nullptr) m_waitCursor->Restore();
  return true;
}

void CQuorPrnPrinterDlgBase::_showPrinterFields() {
  const PrinterInfo* info = CQuorPrnPrinterInfoManager::GetPrinterAt(m_selected);
  SetDlgItemText(_id(kStatusAt), info ? info->statusText : std::string());
  SetDlgItemText(_id(kTypeAt), info ? info->driverName : std::string());
  SetDlgItemText(_id(kLocationAt), info ? info->location : std::string());
  SetDlgItemText(_id(kCommentAt), info ? info->comment : std::string());
}

void CQuorPrnPrinterDlgBase::_showValues() {
  m_scaleFixCheck.SetCheck(m_scaleFix);
  m_offsetXEdit.SetWindowTextValue(m_offsetX);
  m_offsetYEdit.SetWindowTextValue(m_offsetY);
  m_scaleXEdit.SetWindowTextValue(m_scaleX);
  m_scaleYEdit.SetWindowTextValue(m_scaleY);
  _applyScaleFix(m_scaleFix != 0, /*copyAcross=*/m_scaleFix != 0);
}

// The vertical scale edit is the partner of both horizontal controls either
// way; only the link flag decides whether they pass their changes on.
// copyAcross: the vertical edit starts from the horizontal value.
void CQuorPrnPrinterDlgBase::_applyScaleFix(bool fixed, bool copyAcross) {
  m_scaleYEdit.setEnabled(!fixed);
  m_scaleYSpin.setEnabled(!fixed);
  if (copyAcross) m_scaleYEdit.CYbEdit::SetWindowText(m_scaleXEdit.GetWindowText());
  m_scaleXEdit.SetPartner(&m_scaleYEdit);
  m_scaleXSpin.SetPartner(&m_scaleYEdit);
  m_scaleXEdit.SetLink(fixed ? 1 : 0);
  m_scaleXSpin.SetLink(fixed ? 1 : 0);
}

int32_t CQuorPrnPrinterDlgBase::_loadValues(const std::string& printerName) {
  QUOR_PRN_PRINTER_INFO_TYPE printer;
  printer.PrinterName = printerName;
  const int32_t r = m_store.GetPrinter(&printer, nullptr);
  if (r != QUOR_PRN_SUCCESS) return r;
  _takeValues(printerName, printer);
  return QUOR_PRN_SUCCESS;
}

void CQuorPrnPrinterDlgBase::_takeValues(const std::string& printerName, const QUOR_PRN_PRINTER_INFO_TYPE& printer) {
  m_loadedPrinter = printerName;
  m_loadedFix = printer.ScaleFix;
  m_scaleFix = printer.ScaleFix;
  m_offsetX = printer.OffsetX / 10.0;
  m_offsetY = printer.OffsetY / 10.0;
  m_scaleX = printer.ScaleX / 10.0;
  m_scaleY = printer.ScaleY / 10.0;
}

int32_t CQuorPrnPrinterDlgBase::_saveValues() {
  if (_shownAsLoaded()) return QUOR_PRN_SUCCESS;
  return m_store.SetPrinter(_shownPrinter(), nullptr);
}

bool CQuorPrnPrinterDlgBase::_shownAsLoaded() const {
  return m_offsetXEdit.GetWindowTextValue() == m_offsetX && m_offsetYEdit.GetWindowTextValue() == m_offsetY &&
         m_scaleXEdit.GetWindowTextValue() == m_scaleX && m_scaleYEdit.GetWindowTextValue() == m_scaleY &&
         m_scaleFix == m_loadedFix;
}

QUOR_PRN_PRINTER_INFO_TYPE CQuorPrnPrinterDlgBase::_shownPrinter() const {
  const double scaleX = m_scaleXEdit.GetWindowTextValue();
  QUOR_PRN_PRINTER_INFO_TYPE printer;
  printer.PrinterName = m_loadedPrinter;
  printer.OffsetX = static_cast<int32_t>(m_offsetXEdit.GetWindowTextValue() * 10.0);
  printer.OffsetY = static_cast<int32_t>(m_offsetYEdit.GetWindowTextValue() * 10.0);
  printer.ScaleX = static_cast<int32_t>(scaleX * 10.0);
  printer.ScaleY = static_cast<int32_t>((m_scaleFix != 0 ? scaleX : m_scaleYEdit.GetWindowTextValue()) * 10.0);
  printer.ScaleFix = m_scaleFix;
  return printer;
}

int CQuorPrnPrinterDlgBase::_normalize(int id) {
  auto correct = [](CQuorPrnNumEdit& edit) {
    const double v = edit.GetWindowTextValue();
    if (v < kScaleMin) {
      edit.SetWindowText("80");
      return true;
    }
    if (v > kScaleMax) {
      edit.SetWindowText("120");
      return true;
    }
    return false;
  };
  int result = 1;
  if (id == _id(kScaleXAt)) {
    if (correct(m_scaleXEdit)) {
      m_scaleYEdit.SetWindowText(m_scaleXEdit.GetWindowText());
      result = 0;
    }
  } else if (id == _id(kScaleYAt) && m_scaleFix == 0) {
    if (correct(m_scaleYEdit)) return 0;
  }
  if (auto* edit = Item<CYbEdit>(id)) edit->SetWindowText(edit->GetWindowText());
  return result;
}

bool CQuorPrnPrinterDlgBase::_checkScales() {
  m_scaleFix = m_scaleFixCheck.GetCheck();
  if (_normalize(_id(kScaleXAt)) == 0) return false;
  const double scaleY = m_scaleYEdit.GetWindowTextValue();
  if (scaleY < kScaleMin || scaleY > kScaleMax) {
    m_scaleYEdit.SetWindowText(scaleY < kScaleMin ? "80" : "120");
    return false;
  }
  return true;
}

void CQuorPrnPrinterDlgBase::_selectionChanged(int index) {
  m_work.Drop();
  if (index < 0 || index >= m_printerList.GetCount() || index == m_selected) return;
  m_selected = index;
  _showPrinterFields();
  const std::string name = _selectedName();
  m_store.SetCurrentPrinter(name.c_str());
  if (_saveValues() == QUOR_PRN_SUCCESS) {
    _loadValues(name);
    _showValues();
  }
}

std::string CQuorPrnPrinterDlgBase::_selectedName() const {
  return m_selected >= 0 ? m_printerList.GetLBText(m_selected) : std::string();
}

void CQuorPrnPrinterDlgBase::_runPropertySheet() {
  std::string current;
  m_store.GetCurrentPrinter(current);
  m_work.EditInPropertySheet(static_cast<QWidget*>(this), current);
}

void CQuorPrnPrinterDlgBase::OnCommand(int id) {
  if (id == _id(kScaleFixAt)) {
    m_scaleFix = m_scaleFixCheck.GetCheck();
    // The vertical edit shows the horizontal value in both states: fixing the
    // aspect makes it so, and releasing it starts from the same value.
    _applyScaleFix(m_scaleFix != 0, /*copyAcross=*/true);
  }
}

int CQuorPrnPrinterDlgBase::NotifyFunctionEvent(int key) {
  if (key != kVkF6) return 1;
  _runPropertySheet();
  return 0;
}

int CQuorPrnPrinterDlgBase::NotifyClickedEvent(int id) {
  if (id == _id(kPropertyButtonAt)) _runPropertySheet();
  return 1;
}

int CQuorPrnPrinterDlgBase::NotifyTabEvent(int id, int /*code*/) {
  _normalize(id);
  return 1;
}

int CQuorPrnPrinterDlgBase::NotifyMaxTextEvent(int id) {
  _normalize(id);
  return 1;
}

uint32_t CQuorPrnPrinterDlgBase::NotifyHelpPreEvent(int /*id*/) { return m_helpId; }

int CQuorPrnPrinterDlgBase::NotifyConfirmEvent() {
  if (!_checkScales()) return 0;
  if (m_selected < 0) return 1;
  const std::string name = _selectedName();
  m_store.SetCurrentPrinter(name.c_str());
  if (_saveValues() == QUOR_PRN_SUCCESS && m_store.SavePrinterSet() == QUOR_PRN_SUCCESS) {
    _confirmed(name);
    m_work.HandTo(*m_devMode);
  }
  return 1;
}

int CQuorPrnPrinterDlgBase::NotifyCancelEvent() {
  m_work.Drop();
  return 1;
}
