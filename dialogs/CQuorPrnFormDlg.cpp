// The form dialog. Positions in the two lists count from 1 for the printer's
// entries: position 0 is "follow the printer's properties" (paper -1, bin 0).
// The paper's width and length that the height follows are set only when the
// user picks a paper; until then the height is left as it is, since no aspect
// is known.
//
// Nothing reaches the registry before confirm. The set's current printer is
// written together with the form (the lookup reads stored forms only through
// it), and everything confirm writes is one unit: a failed write leaves the
// registry as it was, and the dialog still closes as confirmed.
#include "dialogs/CQuorPrnFormDlg.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/WinSpool.h"
#include "platform/ui/CYbComboBox.h"
#include "platform/ui/DialogTemplates.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiLocalize.h"
#include "platform/ui/UiPictures.h"
#include "platform/ui/UiWaitCursor.h"
#include "printer/CQuorPrnFormTemplate.h"
#include "quorprn/CQuorPrnPrinterAccess.h"
#include "quorprn/QuorPrnResult.h"
#include "store/CQuorPrnSettingStore.h"

namespace {

using mbcs::Cp932;
using Dlg = CQuorPrnFormDlg;

constexpr double kOffsetLimit = 999.9;
constexpr double kSizeLimit = 100.0;
constexpr int kRangeMode = 2;  // steps of 0.1
constexpr int kNumFlags = kNumEditNumeric | kNumEditSigned;
constexpr int32_t kStandardPapers[] = {8, 9, 11, 12, 13, 46, 45};

const DialogTemplates::Registrar kRegistered([] {
  DialogTemplate t;
  t.id = Dlg::kTemplateId;
  t.caption = Cp932("用紙設定");
  t.cx = 300;
  t.cy = 150;
  t.fontFace = Cp932("ＭＳ ゴシック");
  t.pointSize = 9;
  t.controls = {
      {Dlg::IDC_STATIC_001, DlgKind::GroupBox, Cp932("設定する帳票"), 6, 4, 288, 26, kDlgGroup},
      {Dlg::IDC_FORM_FORMNAME, DlgKind::Static, "", 14, 15, 272, 10, 0},
      {31702, DlgKind::Static, Cp932("用紙ｻｲｽﾞ："), 10, 40, 58, 10, 0},
      {Dlg::IDC_FORM_PAPERSIZE, DlgKind::ComboBox, "", 70, 38, 160, 120, kDlgGroup},
      {Dlg::IDC_FORM_PAPERSIZEFIT, DlgKind::CheckBox, Cp932("用紙ｻｲｽﾞに合わせて拡大/縮小する"), 70, 54, 166, 10,
       kDlgGroup},
      {31703, DlgKind::Static, Cp932("給紙方法："), 10, 72, 58, 10, 0},
      {Dlg::IDC_FORM_BIN, DlgKind::ComboBox, "", 70, 70, 160, 120, kDlgGroup},
      {Dlg::IDC_FORM_PORTRAIT, DlgKind::Icon, "", 246, 36, 44, 48, 0, UiPictures::kPaperPortrait},
      {Dlg::IDC_FORM_LANDSCAPE, DlgKind::Icon, "", 246, 36, 44, 48, kDlgHidden, UiPictures::kPaperLandscape},
      {31704, DlgKind::GroupBox, Cp932("印刷位置の調整"), 6, 90, 141, 54, kDlgGroup},
      {31705, DlgKind::Static, Cp932("横方向："), 12, 105, 50, 10, 0},
      {Dlg::IDC_FORM_OFFSETX, DlgKind::NumEdit, "", 64, 103, 44, 12, kDlgGroup},
      {Dlg::IDC_FORM_OFFSETX_SPIN, DlgKind::Spin, "", 108, 103, 10, 12, 0},
      {31706, DlgKind::Static, "mm", 122, 105, 20, 10, 0},
      {31707, DlgKind::Static, Cp932("縦方向："), 12, 124, 50, 10, 0},
      {Dlg::IDC_FORM_OFFSETY, DlgKind::NumEdit, "", 64, 122, 44, 12, kDlgGroup},
      {Dlg::IDC_FORM_OFFSETY_SPIN, DlgKind::Spin, "", 108, 122, 10, 12, 0},
      {31708, DlgKind::Static, "mm", 122, 124, 20, 10, 0},
      {31709, DlgKind::GroupBox, Cp932("印刷サイズの調整"), 153, 90, 141, 54, kDlgGroup},
      {31710, DlgKind::Static, Cp932("横方向："), 159, 105, 50, 10, 0},
      {Dlg::IDC_FORM_WIDTH, DlgKind::NumEdit, "", 211, 103, 44, 12, kDlgGroup},
      {Dlg::IDC_FORM_WIDTH_SPIN, DlgKind::Spin, "", 255, 103, 10, 12, 0},
      {31711, DlgKind::Static, "mm", 269, 105, 20, 10, 0},
      {31712, DlgKind::Static, Cp932("縦方向："), 159, 124, 50, 10, 0},
      {Dlg::IDC_FORM_HEIGHT, DlgKind::NumEdit, "", 211, 122, 44, 12, kDlgGroup},
      {Dlg::IDC_FORM_HEIGHT_SPIN, DlgKind::Spin, "", 255, 122, 10, 12, 0},
      {31713, DlgKind::Static, "mm", 269, 124, 20, 10, 0},
  };
  return t;
}());

bool IsStandardPaper(int32_t paperNo) {
  for (int32_t n : kStandardPapers) {
    if (n == paperNo) return true;
  }
  return false;
}

// The platform's ASCII-to-integer reading of stored decimal texts.
int32_t DecimalOf(const std::string& text) { return static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10)); }

std::string FieldText(const char* field, size_t width) { return std::string(field, strnlen(field, width)); }

// One of the printer's number lists with its names, in the printer's order,
// asked of the driver with the printer's port and default device settings.
// Each list is filled right after its own count, as the spooler expects. 1,
// or 113 when the printer or either list cannot be had.
int32_t ReadDriverList(const std::string& printerName, uint16_t numbersCap, uint16_t namesCap, size_t field,
                       std::vector<uint16_t>& numbers, std::vector<std::string>& names) {
  numbers.clear();
  names.clear();
  HANDLE handle = nullptr;
  PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
  if (printerName.empty() || !OpenPrinterA(printerName.c_str(), &handle, &defaults) || handle == nullptr) {
    return QUOR_PRN_ERR_SPOOLER;
  }
  uint32_t needed = 0;
  GetPrinterA(handle, 2, nullptr, 0, &needed);
  const size_t units = (size_t{needed} + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
  std::unique_ptr<std::max_align_t[]> block(needed == 0 ? nullptr : new (std::nothrow) std::max_align_t[units]);
  const bool read =
      block && GetPrinterA(handle, 2, reinterpret_cast<unsigned char*>(block.get()), needed, &needed) != 0;
  ClosePrinter(handle);
  if (!read) return QUOR_PRN_ERR_SPOOLER;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(block.get());
  const char* device = printerName.c_str();

  const int count = DeviceCapabilitiesA(device, info->pPortName, numbersCap, nullptr, info->pDevMode);
  if (count < 0) return QUOR_PRN_ERR_SPOOLER;
  std::vector<uint16_t> found(static_cast<size_t>(count) + 1);
  if (DeviceCapabilitiesA(device, info->pPortName, numbersCap, reinterpret_cast<char*>(found.data()),
                          info->pDevMode) < 0) {
    return QUOR_PRN_ERR_SPOOLER;
  }
  const int nameCount = DeviceCapabilitiesA(device, info->pPortName, namesCap, nullptr, info->pDevMode);
  if (nameCount < 0) return QUOR_PRN_ERR_SPOOLER;
  std::vector<char> fields((static_cast<size_t>(nameCount) + 1) * field, '\0');
  if (DeviceCapabilitiesA(device, info->pPortName, namesCap, fields.data(), info->pDevMode) < 0) {
    return QUOR_PRN_ERR_SPOOLER;
  }
  // A driver that answers fewer names than numbers lists only the named ones.
  const int kept = std::min(count, nameCount);
  for (int i = 0; i < kept; ++i) {
    numbers.push_back(found[static_cast<size_t>(i)]);
    names.push_back(FieldText(fields.data() + static_cast<size_t>(i) * field, field));
  }
  return QUOR_PRN_SUCCESS;
}

}  // namespace

CQuorPrnFormDlg::CQuorPrnFormDlg(QWidget* parent)
    : CYbDialog(kTemplateId, parent), m_store(std::make_unique<CQuorPrnSettingStore>()) {
  BindControl(IDC_FORM_OFFSETX, &m_offsetX);
  BindControl(IDC_FORM_OFFSETX_SPIN, &m_offsetXSpin);
  BindControl(IDC_FORM_OFFSETY, &m_offsetY);
  BindControl(IDC_FORM_OFFSETY_SPIN, &m_offsetYSpin);
  BindControl(IDC_FORM_WIDTH, &m_width);
  BindControl(IDC_FORM_WIDTH_SPIN, &m_widthSpin);
  BindControl(IDC_FORM_HEIGHT, &m_height);
  BindControl(IDC_FORM_HEIGHT_SPIN, &m_heightSpin);
}

CQuorPrnFormDlg::~CQuorPrnFormDlg() { m_store->CloseForm(); }

int32_t CQuorPrnFormDlg::_fail(int32_t code) {
  m_result = code;
  return code;
}

int32_t CQuorPrnFormDlg::Open(const char* system, const char* job, uint32_t setNo, const char* formName,
                              const char* formFile, const char* formTitle, int32_t standardPapersOnly,
                              uint32_t helpId) {
  const int32_t prepared =
      Prepare(system, job, setNo, formName, formFile, formTitle, standardPapersOnly, helpId);
  if (prepared != QUOR_PRN_SUCCESS) return prepared;
  const int code = DoModal();
  // A dialog that could not be shown at all must not read as confirmed.
  if (code != QUOR_PRN_SUCCESS && code != QUOR_PRN_CANCEL) m_result = code;
  return code;
}

int32_t CQuorPrnFormDlg::Prepare(const char* system, const char* job, uint32_t setNo, const char* formName,
                                 const char* formFile, const char* formTitle, int32_t standardPapersOnly,
                                 uint32_t helpId) {
  UiWaitCursor wait;
  // Making the printer-access object enumerates the printers afresh.
  CQuorPrnPrinterAccess access;
  m_system = system ? system : "";
  m_job = job ? job : "";
  m_setNo = setNo;
  m_formName = formName ? formName : "";
  m_formTitle = formTitle ? formTitle : "";
  m_standardOnly = standardPapersOnly;
  m_helpId = helpId;

  std::string defaultPrinter;
  if (!GetDefaultPrinterName(&defaultPrinter)) return _fail(QUOR_PRN_ERR_NO_PRINTER);

  // Every other answer of the lookup still leaves records to start from.
  const int32_t looked = access.GetPrinterInfoEx(m_system.c_str(), m_job.c_str(), m_setNo, formFile,
                                                 m_formName.c_str(), &m_printer, &m_form, /*useTemplate=*/1,
                                                 /*color=*/nullptr, /*devMode=*/nullptr);
  if (looked == QUOR_PRN_ERR_TEMPLATE) return _fail(looked);
  access.GetPaperSize(&m_formPaperNo, &m_orientation, &m_formPaperWidth, &m_formPaperLength);
  m_curPaperNo = m_formPaperNo;

  if (_readPaperList() != QUOR_PRN_SUCCESS || _readBinList() != QUOR_PRN_SUCCESS) {
    return _fail(QUOR_PRN_ERR_SPOOLER);
  }

  // The printer becomes current in memory only; confirm writes it.
  m_store->SetCurrentPrinter(m_printer.PrinterName.c_str());
  const int32_t loaded = m_store->LoadForm(m_system.c_str(), m_job.c_str(), m_setNo, m_formName.c_str());
  if (loaded != QUOR_PRN_SUCCESS && loaded != QUOR_PRN_NO_PRINTER_ENTRY && loaded != QUOR_PRN_NO_FORM_ENTRY) {
    return _fail(loaded);
  }
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnFormDlg::_readPaperList() {
  std::vector<uint16_t> numbers;
  std::vector<std::string> names;
  const int32_t r =
      ReadDriverList(m_printer.PrinterName, DC_PAPERS, DC_PAPERNAMES, kPaperNameField, numbers, names);
  if (r != QUOR_PRN_SUCCESS) return r;
  m_paperNumbers.clear();
  m_paperNames.clear();
  m_defaultPaperPos = -1;
  if (m_formPaperNo == -1) m_defaultPaperPos = 0;
  if (m_formPaperNo == 256) {
    m_paperNumbers.push_back(256);
    m_paperNames.push_back(m_form.PaperName);
    m_defaultPaperPos = 1;
  }
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (m_standardOnly != 0 && !IsStandardPaper(numbers[i])) continue;
    m_paperNumbers.push_back(numbers[i]);
    m_paperNames.push_back(names[i]);
    if (numbers[i] == m_formPaperNo && (m_standardOnly != 0 || m_defaultPaperPos != 1)) {
      m_defaultPaperPos = static_cast<int32_t>(m_paperNumbers.size());
    }
  }
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnFormDlg::_readBinList() {
  return ReadDriverList(m_printer.PrinterName, DC_BINS, DC_BINNAMES, kBinNameField, m_binNumbers, m_binNames);
}

CYbComboBox* CQuorPrnFormDlg::_paperList() const { return Item<CYbComboBox>(IDC_FORM_PAPERSIZE); }
CYbComboBox* CQuorPrnFormDlg::_binList() const { return Item<CYbComboBox>(IDC_FORM_BIN); }

void CQuorPrnFormDlg::_fillPaperList() {
  CYbComboBox* list = _paperList();
  list->ResetContent();
  list->AddString(UiLocalize::ControlText("NAME_PRINTER_PROPERTY", Cp932("プリンタプロパティに従う")));
  list->SetItemData(0, -1);
  for (size_t i = 0; i < m_paperNames.size(); ++i) {
    const int at = list->AddString(m_paperNames[i]);
    list->SetItemData(at, m_paperNumbers[i]);
  }
}

void CQuorPrnFormDlg::_fillBinList() {
  CYbComboBox* list = _binList();
  list->ResetContent();
  list->AddString(UiLocalize::ControlText("NAME_PRINTER_PROPERTY", Cp932("プリンタプロパティに従う")));
  list->SetItemData(0, 0);
  for (size_t i = 0; i < m_binNames.size(); ++i) {
    const int at = list->AddString(m_binNames[i]);
    list->SetItemData(at, m_binNumbers[i]);
  }
}

int CQuorPrnFormDlg::_findPaper(int32_t paperNo) const {
  for (size_t i = 0; i < m_paperNumbers.size(); ++i) {
    if (m_paperNumbers[i] == paperNo) return static_cast<int>(i) + 1;
  }
  return 0;
}

int CQuorPrnFormDlg::_findBin(int32_t binNo) const {
  for (size_t i = m_binNumbers.size(); i > 0; --i) {
    if (m_binNumbers[i - 1] == binNo) return static_cast<int>(i);
  }
  return 0;
}

bool CQuorPrnFormDlg::OnInitDialog() {
  CYbDialog::OnInitDialog();
  _paperList()->SetExtendedUI(true);
  _binList()->SetExtendedUI(true);

  SetFuncStyle(2);
  SetFuncAutoArrange(0);
  SetFuncBtn(kVkF1, Cp932("ヘルプ"), 10);
  SetFuncBtn(kVkF9, Cp932("初期値"), 5);
  SetFuncBtn(kVkReturn, Cp932("確定"), 128);
  SetFuncBtn(kVkEscape, Cp932("ｷｬﾝｾﾙ"), 5);

  SetLocalizeDialogID("CD2020");
  LocalizeDialog();
  LocalizeControl(IDC_FORM_PAPERSIZE, "IDC_FORM_PAPERSIZE");
  LocalizeControl(IDC_FORM_PAPERSIZEFIT, "IDC_FORM_PAPERSIZEFIT");
  LocalizeControl(IDC_FORM_BIN, "IDC_FORM_BIN");
  LocalizeControl(IDC_FORM_OFFSETX, "IDC_FORM_OFFSETX");
  LocalizeControl(IDC_FORM_OFFSETY, "IDC_FORM_OFFSETY");
  LocalizeControl(IDC_FORM_WIDTH, "IDC_FORM_WIDTH");
  LocalizeControl(IDC_FORM_HEIGHT, "IDC_FORM_HEIGHT");
  LocalizeControl(IDC_FORM_FORMNAME, "IDC_FORM_FORMNAME");
  for (int id = IDC_STATIC_001; id <= IDC_STATIC_013; ++id) {
    char key[24];
    std::snprintf(key, sizeof key, "IDC_STATIC_%03d", id - IDC_STATIC_001 + 1);
    LocalizeControl(id, key);
  }
  LocalizeFunc(kVkF1, "VK_F1");
  LocalizeFunc(kVkF9, "VK_F9");
  LocalizeFunc(kVkReturn, "VK_RETURN");
  LocalizeFunc(kVkEscape, "VK_ESCAPE");

  for (CQuorPrnNumEdit* e : {&m_offsetX, &m_offsetY}) {
    e->InitEdit(kNumFlags, 0, 3, 1, -kOffsetLimit, kOffsetLimit);
    e->SetInputMode(1);
    e->SetRange(-kOffsetLimit, kOffsetLimit, kRangeMode);
  }
  for (CQuorPrnNumEdit* e : {&m_width, &m_height}) {
    e->InitEdit(kNumFlags, 0, 3, 1, -kSizeLimit, kSizeLimit);
    e->SetInputMode(1);
    e->SetRange(-kSizeLimit, kSizeLimit, kRangeMode);
  }
  m_offsetXSpin.SetRange(-kOffsetLimit, kOffsetLimit, kRangeMode);
  m_offsetYSpin.SetRange(-kOffsetLimit, kOffsetLimit, kRangeMode);
  m_widthSpin.SetRange(-kSizeLimit, kSizeLimit, kRangeMode);
  m_heightSpin.SetRange(-kSizeLimit, kSizeLimit, kRangeMode);
  m_offsetXSpin.SetBuddy(&m_offsetX);
  m_offsetYSpin.SetBuddy(&m_offsetY);
  m_widthSpin.SetBuddy(&m_width);
  m_heightSpin.SetBuddy(&m_height);
  m_width.SetOwner(this);
  m_widthSpin.SetOwner(this);

  SetDlgItemText(IDC_FORM_FORMNAME, m_formTitle);
  ShowDlgItem(IDC_FORM_PORTRAIT, m_orientation == 1);
  ShowDlgItem(IDC_FORM_LANDSCAPE, m_orientation != 1);

  _fillPaperList();
  _fillBinList();
  connect(_paperList(), &CYbComboBox::userSelChanged, this, [this](int index) { _onPaperSelected(index); });
  connect(&m_width, &CYbEdit::focusLost, this, [this] { _onWidthLeft(); });
  connect(&m_height, &CYbEdit::focusLost, this, [this] { _normalize(IDC_FORM_HEIGHT); });
  _loadValues();
  return true;
}

void CQuorPrnFormDlg::_loadValues() {
  QUOR_PRN_FORM_INFO_TYPE form;
  form.FormName = m_formName;
  m_store->GetForm(&form);
  m_fitCheck = form.PaperSizeFit;
  m_link = form.WidthHeightFix;
  CheckDlgButton(IDC_FORM_PAPERSIZEFIT, m_fitCheck);

  int paperPos = 0;
  if (!form.PaperSize.empty()) {
    m_selPaperNo = DecimalOf(form.PaperSize);
    m_selPaperName = form.PaperName;
    paperPos = _findPaper(m_selPaperNo);
  } else {
    paperPos = _findPaper(m_formPaperNo);
    if (paperPos > 0) {
      m_selPaperNo = m_paperNumbers[static_cast<size_t>(paperPos) - 1];
      m_selPaperName = m_paperNames[static_cast<size_t>(paperPos) - 1];
    } else {
      m_selPaperNo = -1;
      m_selPaperName.clear();
    }
  }
  _paperList()->SetCurSel(paperPos);

  m_loadStoredBin = form.Bin;
  if (!form.Bin.empty()) {
    m_selBinNo = DecimalOf(form.Bin);
    _binList()->SetCurSel(_findBin(m_selBinNo));
  } else {
    m_selBinNo = 0;
    _binList()->SetCurSel(0);
  }

  m_offsetX.SetWindowTextValue(form.OffsetX / 10.0);
  m_offsetY.SetWindowTextValue(form.OffsetY / 10.0);
  m_width.SetWindowTextValue(form.Width / 10.0);
  m_height.SetWindowTextValue(form.Height / 10.0);
  m_width.SetPartner(&m_height);
  m_widthSpin.SetPartner(&m_height);
  _applyLink();

  m_loadFormName = m_formName;
  m_loadPaperSize = std::to_string(m_selPaperNo);
  m_loadPaperName = m_selPaperName;
  m_loadBin = std::to_string(m_selBinNo);
  m_loadFit = form.PaperSizeFit;
  m_loadOffsetX = form.OffsetX;
  m_loadOffsetY = form.OffsetY;
  m_loadWidth = form.Width;
  m_loadHeight = form.Height;
  m_loadLink = form.WidthHeightFix;
}

void CQuorPrnFormDlg::_applyLink() {
  const bool linked = m_link != 0;
  m_height.setEnabled(!linked);
  m_heightSpin.setEnabled(!linked);
  m_width.SetLink(linked ? 1 : 0);
  m_widthSpin.SetLink(linked ? 1 : 0);
}

void CQuorPrnFormDlg::RecalcHeight(int32_t widthTenths) {
  if (m_paperWidth <= 0) return;
  const int64_t w = m_paperWidth;
  const int64_t h = m_paperLength;
  // Integer division truncates toward zero, as the aspect rule wants.
  const int64_t change = h - h * (w - widthTenths) / w;
  m_height.SetWindowTextValue(static_cast<double>(change) / 10.0);
}

void CQuorPrnFormDlg::_recalcFromWidth() {
  RecalcHeight(static_cast<int32_t>(m_width.GetWindowTextValue() * 10.0));
}

void CQuorPrnFormDlg::_setPaperSize() {
  if (m_curPaperNo == 256 || m_curPaperNo == -1) {
    m_paperWidth = m_formPaperWidth;
    m_paperLength = m_formPaperLength;
    return;
  }
  // A paper the table has no size for leaves the aspect unknown.
  CQuorPrnFormTemplate::TableSize(m_curPaperNo, m_orientation, &m_paperWidth, &m_paperLength);
}

void CQuorPrnFormDlg::_onPaperSelected(int index) {
  m_curPaperNo = index <= 0 || index > static_cast<int>(m_paperNumbers.size())
                     ? -1
                     : m_paperNumbers[static_cast<size_t>(index) - 1];
  _setPaperSize();
  if (m_link != 0) _recalcFromWidth();
}

void CQuorPrnFormDlg::_onWidthLeft() {
  _normalize(IDC_FORM_WIDTH);
  if (m_link != 0) _recalcFromWidth();
}

namespace {

// Puts an edit's value back into -100.0 .. 100.0; true when it had to.
bool CorrectSize(CQuorPrnNumEdit& edit) {
  const double v = edit.GetWindowTextValue();
  if (v < -kSizeLimit) {
    edit.SetWindowText("-100.0");
    return true;
  }
  if (v > kSizeLimit) {
    edit.SetWindowText("100.0");
    return true;
  }
  return false;
}

void Rewrite(CQuorPrnNumEdit& edit) { edit.SetWindowText(edit.GetWindowText()); }

}  // namespace

int CQuorPrnFormDlg::_normalize(int id) {
  switch (id) {
    case IDC_FORM_WIDTH:
    case IDC_FORM_WIDTH_SPIN:
      if (CorrectSize(m_width) || CorrectSize(m_height)) return 1;
      Rewrite(m_width);
      break;
    case IDC_FORM_HEIGHT:
    case IDC_FORM_HEIGHT_SPIN:
      if (CorrectSize(m_height)) return 1;
      Rewrite(m_height);
      break;
    case IDC_FORM_OFFSETX:
    case IDC_FORM_OFFSETX_SPIN:
      Rewrite(m_offsetX);
      break;
    case IDC_FORM_OFFSETY:
    case IDC_FORM_OFFSETY_SPIN:
      Rewrite(m_offsetY);
      break;
    default:
      break;
  }
  return 1;
}

int CQuorPrnFormDlg::NotifyTabEvent(int id, int) { return _normalize(id); }

int CQuorPrnFormDlg::NotifyMaxTextEvent(int id) {
  _normalize(id);
  if (m_link != 0) _recalcFromWidth();
  return 1;
}

uint32_t CQuorPrnFormDlg::NotifyHelpPreEvent(int) { return m_helpId; }

int CQuorPrnFormDlg::NotifyFunctionEvent(int key) {
  if (key == kVkF9) _reset();
  return 0;
}

void CQuorPrnFormDlg::_reset() {
  m_link = 0;
  m_fitCheck = 1;
  CheckDlgButton(IDC_FORM_PAPERSIZEFIT, 1);
  _paperList()->SetCurSel(m_defaultPaperPos);
  _binList()->SetCurSel(0);
  for (CQuorPrnNumEdit* e : {&m_offsetX, &m_offsetY, &m_width, &m_height}) e->SetWindowText("0");
  _applyLink();
  CorrectSize(m_height);
}

int CQuorPrnFormDlg::NotifyCancelEvent() { return 1; }

int CQuorPrnFormDlg::NotifyConfirmEvent() {
  m_fitCheck = IsDlgButtonChecked(IDC_FORM_PAPERSIZEFIT);
  CorrectSize(m_width);
  if (m_link != 0) {
    _recalcFromWidth();
  } else {
    CorrectSize(m_height);
  }
  if (_save() == QUOR_PRN_SUCCESS) _writeConfirmed();
  return 1;
}

int32_t CQuorPrnFormDlg::_save() {
  const int paperPos = _paperList()->GetCurSel();
  int32_t paperNo = -1;
  std::string paperName;
  if (paperPos >= 1 && paperPos <= static_cast<int>(m_paperNumbers.size())) {
    paperNo = m_paperNumbers[static_cast<size_t>(paperPos) - 1];
    paperName = m_paperNames[static_cast<size_t>(paperPos) - 1];
  }
  const int binPos = _binList()->GetCurSel();
  m_binFollowsPrinter = 0;
  int32_t binNo = 0;
  if (binPos >= 1 && binPos <= static_cast<int>(m_binNumbers.size())) {
    binNo = m_binNumbers[static_cast<size_t>(binPos) - 1];
  } else {
    m_binFollowsPrinter = 1;
  }
  m_selBinNo = binNo;

  QUOR_PRN_FORM_INFO_TYPE form;
  form.FormName = m_formName;
  form.PaperSize = std::to_string(paperNo);
  form.PaperName = paperName;
  form.Bin = std::to_string(binNo);
  form.BinName.clear();
  form.PaperSizeFit = m_fitCheck;
  // The edits hold one decimal, so ten times the value is whole.
  form.OffsetX = static_cast<int32_t>(m_offsetX.GetWindowTextValue() * 10.0);
  form.OffsetY = static_cast<int32_t>(m_offsetY.GetWindowTextValue() * 10.0);
  form.Width = static_cast<int32_t>(m_width.GetWindowTextValue() * 10.0);
  form.Height = static_cast<int32_t>(m_height.GetWindowTextValue() * 10.0);
  form.WidthHeightFix = m_link;

  if (form.PaperSize == m_loadPaperSize && form.PaperName == m_loadPaperName && form.Bin == m_loadBin &&
      form.PaperSizeFit == m_loadFit && form.OffsetX == m_loadOffsetX && form.OffsetY == m_loadOffsetY &&
      form.Width == m_loadWidth && form.Height == m_loadHeight && form.WidthHeightFix == m_loadLink) {
    return QUOR_PRN_SUCCESS;
  }
  const int32_t r = m_store->SetForm(form);
  m_formsWritten = 1;
  return r;
}

int32_t CQuorPrnFormDlg::_writeConfirmed() {
  // A bin written with the form is already empty; a stored bin that is empty
  // has nothing to clear.
  const bool clearBin = m_binFollowsPrinter != 0 && m_formsWritten == 0 && !m_loadStoredBin.empty();
  if (m_formsWritten == 0 && !clearBin) return QUOR_PRN_SUCCESS;
  const std::string printer = m_printer.PrinterName;
  return m_store->RunAtomically([&]() -> int32_t {
    int32_t r = m_store->SelectPrinter(m_system.c_str(), m_job.c_str(), m_setNo, printer.c_str());
    if (r != QUOR_PRN_SUCCESS) return r;
    if (m_formsWritten != 0) {
      r = m_store->SaveForm();
      if (r != QUOR_PRN_SUCCESS) return r;
    }
    if (clearBin) {
      m_store->CloseForm();
      r = m_store->ClearFormBin(m_system.c_str(), m_job.c_str(), m_setNo, printer.c_str(), m_formName.c_str());
      // A form or printer without an entry has no bin to clear.
      if (r != QUOR_PRN_SUCCESS && r != QUOR_PRN_NO_PRINTER_ENTRY && r != QUOR_PRN_NO_FORM_ENTRY) return r;
    }
    return QUOR_PRN_SUCCESS;
  });
}
