// The colour dialogs' behaviour. Only what the user does moves the dialog on:
// lists and sliders report user actions alone, so setting three sliders one
// after another for a newly selected colour item never writes a half-updated
// colour back into the palette. A colour-item index is checked against the
// shown palette every time, because a model's preset may hold fewer colours
// than the item list names.
#include "dialogs/CQuorPrnColorDlgBase.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/CYbColorBox.h"
#include "platform/ui/CYbComboBox.h"
#include "platform/ui/CYbSliderCtrl.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiLocalize.h"
#include "platform/ui/UiMessageBox.h"

namespace {

using mbcs::Cp932;

constexpr int kSliderMax = 255;
constexpr int kSliderTicks = 16;

bool IsModel(int32_t mode) { return mode >= 1 && mode <= 99; }

}  // namespace

DialogTemplate CQuorPrnColorDlgBase::SharedTemplate(int templateId, int cy, const ControlIds& ids, int colorTop) {
  const int y = colorTop;
  DialogTemplate t;
  t.id = templateId;
  t.caption = Cp932("色設定");
  t.cx = 280;
  t.cy = cy;
  t.fontFace = Cp932("ＭＳ ゴシック");
  t.pointSize = 9;
  t.controls = {
      {kMessage, DlgKind::Static, Cp932("カラープリンタは、機種により若干色合いに差が出る場合があります。"), 6, 6, 268, 10, 0},
      {kColorGroup, DlgKind::GroupBox, Cp932("色の設定"), 6, y, 268, 84, kDlgGroup},
      {kPatternLabel, DlgKind::Static, Cp932("カラーパターン："), 14, y + 14, 72, 10, 0},
      {ids.patternList, DlgKind::ComboBox, "", 88, y + 12, 130, 100, kDlgGroup},
      {kRedLabel, DlgKind::Static, Cp932("赤："), 14, y + 32, 28, 10, 0},
      {ids.red, DlgKind::Slider, "", 44, y + 29, 142, 16, kDlgGroup},
      {ids.redValue, DlgKind::Static, "", 190, y + 32, 20, 10, kDlgRight},
      {kGreenLabel, DlgKind::Static, Cp932("緑："), 14, y + 50, 28, 10, 0},
      {ids.green, DlgKind::Slider, "", 44, y + 47, 142, 16, kDlgGroup},
      {ids.greenValue, DlgKind::Static, "", 190, y + 50, 20, 10, kDlgRight},
      {kBlueLabel, DlgKind::Static, Cp932("青："), 14, y + 68, 28, 10, 0},
      {ids.blue, DlgKind::Slider, "", 44, y + 65, 142, 16, kDlgGroup},
      {ids.blueValue, DlgKind::Static, "", 190, y + 68, 20, 10, kDlgRight},
      {ids.preview, DlgKind::ColorBox, "", 226, y + 12, 40, 68, kDlgSunken},
  };
  return t;
}

CQuorPrnColorDlgBase::CQuorPrnColorDlgBase(int templateId, const ControlIds& ids, CQuorPrnSettingStore* store,
                                           const std::string& printerName, QWidget* parent)
    : CYbDialog(templateId, parent), m_store(store), m_ids(ids) {
  m_printerInfo.PrinterName = printerName;
}

CQuorPrnColorDlgBase::~CQuorPrnColorDlgBase() = default;

// Both dialogs name their controls by role; the model controls and the
// model label exist only where a model can be chosen.
void CQuorPrnColorDlgBase::_localizeControls() {
  const std::pair<int, const char*> keyed[] = {
      {m_ids.autoRadio, "IDC_COLOR_MODESEL_AUTO"},     {m_ids.modelRadio, "IDC_COLOR_MODESEL_PRNDEF"},
      {m_ids.modelList, "IDC_COLOR_PRINTERDEF_SEL"},   {m_ids.customRadio, "IDC_COLOR_MODESEL_CUSTOM"},
      {m_ids.patternList, "IDC_COLOR_PALETTE_SEL"},    {m_ids.redValue, "IDC_COLOR_VALUE_R"},
      {m_ids.greenValue, "IDC_COLOR_VALUE_G"},         {m_ids.blueValue, "IDC_COLOR_VALUE_B"},
  };
  for (const auto& [id, key] : keyed) {
    if (id != 0) LocalizeControl(id, key);
  }
  for (int id = kMessage; id <= kBlueLabel; ++id) {
    if (id == kModelLabel && m_ids.modelList == 0) continue;
    char key[32];
    std::snprintf(key, sizeof key, "IDC_STATIC_%03d", id - 31700);
    LocalizeControl(id, key);
  }
}

uint32_t CQuorPrnColorDlgBase::CurrentColor() const { return m_red + m_green * 256 + m_blue * 65536; }

bool CQuorPrnColorDlgBase::OnInitDialog() {
  CYbDialog::OnInitDialog();
  SetFuncStyle(2);
  SetFuncBtn(kVkF9, Cp932("初期値"), 0);
  SetFuncBtn(kVkReturn, Cp932("確定"), 0);
  SetFuncBtn(kVkEscape, Cp932("ｷｬﾝｾﾙ"), 0);
  SetFuncAutoArrange(1);

  SetLocalizeDialogID("IDD_QUORPRN_COLOR");
  LocalizeDialog();
  _localizeControls();
  LocalizeFunc(kVkF9, "VK_F9");
  LocalizeFunc(kVkReturn, "VK_RETURN");
  LocalizeFunc(kVkEscape, "VK_ESCAPE");

  m_modelList = m_ids.modelList ? Item<CYbComboBox>(m_ids.modelList) : nullptr;
  m_patternList = Item<CYbComboBox>(m_ids.patternList);
  m_preview = Item<CYbColorBox>(m_ids.preview);
  const int sliderIds[3] = {m_ids.red, m_ids.green, m_ids.blue};
  for (int i = 0; i < 3; ++i) {
    m_sliders[i] = Item<CYbSliderCtrl>(sliderIds[i]);
    m_sliders[i]->SetRange(0, kSliderMax);
    m_sliders[i]->SetTicFreq(kSliderTicks);
    const int id = sliderIds[i];
    connect(m_sliders[i], &CYbSliderCtrl::userMoved, this, [this, id](int pos) { _moveSlider(id, pos); });
  }
  connect(m_patternList, &CYbComboBox::userSelChanged, this, [this](int index) { _selectPattern(index); });
  if (m_modelList) connect(m_modelList, &CYbComboBox::userSelChanged, this, [this](int) { _showModel(false); });

  _emptyPalettes();
  const int32_t read = m_store->GetPrinter(&m_printerInfo, &m_colorInfo);
  if (read != QUOR_PRN_SUCCESS) {
    _showMessage(Cp932("レジストリアクセスに失敗しました。"), kMbOk | kMbIconStop);
    EndDialog(read);
    return true;
  }
  m_shownMode = m_colorInfo.Mode;
  _copyPalette(m_colorInfo.Palette, m_customPalette);

  m_modelNames.clear();
  m_store->GetColorPresetNames(m_modelNames);
  const int models = static_cast<int>(m_modelNames.size());
  if (m_ids.modelRadio && models == 0) EnableDlgItem(m_ids.modelRadio, false);
  if (m_modelList) {
    m_modelList->ResetContent();
    for (const std::string& name : m_modelNames) m_modelList->AddString(name);
    const int32_t stored = m_colorInfo.Mode;
    if (IsModel(stored) && stored <= models) {
      m_modelList->SetCurSel(stored - 1);
    } else if (models > 0) {
      m_modelList->SetCurSel(0);
    } else {
      m_modelList->SetCurSel(-1);
      EnableDlgItem(m_ids.modelList, false);
    }
  }

  const int32_t stored = m_colorInfo.Mode;
  if (IsModel(stored) && stored > models) {
    // The model this printer was set to is no longer among the presets.
    m_colorInfo.Mode = 0;
    _showAutomatic();
  } else if (IsModel(stored)) {
    if (m_ids.modelRadio) {
      _showModel(true);
    } else {
      _showAutomatic();
    }
  } else if (stored < 0) {
    _showCustom();
  } else {
    _showAutomatic();
  }

  const int32_t items = _checkColorItems();
  if (items != QUOR_PRN_SUCCESS) {
    _showMessage(Cp932("システムデフォルトのレジストリ定義が不正です。"), kMbOk | kMbIconStop);
    EndDialog(items);
    return true;
  }
  m_patternList->ResetContent();
  for (const std::string& name : m_colorItemNames) m_patternList->AddString(name);
  if (m_patternList->GetCount() == 0) {
    m_patternList->SetCurSel(-1);
    EnableDlgItem(m_ids.patternList, false);
    m_red = m_green = m_blue = 0;
    _showColor();
  } else {
    EnableDlgItem(m_ids.patternList, true);
    m_patternList->SetCurSel(0);
    _selectPattern(0);
  }
  return true;
}

int32_t CQuorPrnColorDlgBase::_checkColorItems() {
  std::vector<std::string> keys;
  m_colorItemNames.clear();
  m_store->GetColorNames(keys, m_colorItemNames);
  const Palette& shown = m_colorInfo.Palette;
  bool match = keys.size() == shown.size();
  for (size_t i = 0; match && i < keys.size(); ++i) match = keys[i].substr(0, 4) == shown[i]->Name;
  if (!match) {
    m_colorItemNames.clear();
    return QUOR_PRN_NO_COLOR_KEY;
  }
  return QUOR_PRN_SUCCESS;
}

void CQuorPrnColorDlgBase::OnCommand(int id) {
  if (id == 0) return;
  if (id == m_ids.autoRadio) {
    _showAutomatic();
  } else if (id == m_ids.modelRadio) {
    _showModel(true);
  } else if (id == m_ids.customRadio) {
    _showCustom();
  }
}

void CQuorPrnColorDlgBase::_showAutomatic() {
  CheckDlgButton(m_ids.autoRadio, 1);
  if (m_ids.modelRadio) CheckDlgButton(m_ids.modelRadio, 0);
  CheckDlgButton(m_ids.customRadio, 0);
  if (m_ids.modelList) EnableDlgItem(m_ids.modelList, false);
  for (CYbSliderCtrl* s : m_sliders) s->setEnabled(false);
  _applyMode(0);
}

void CQuorPrnColorDlgBase::_showCustom() {
  CheckDlgButton(m_ids.customRadio, 1);
  CheckDlgButton(m_ids.autoRadio, 0);
  if (m_ids.modelRadio) CheckDlgButton(m_ids.modelRadio, 0);
  if (m_ids.modelList) EnableDlgItem(m_ids.modelList, false);
  for (CYbSliderCtrl* s : m_sliders) s->setEnabled(true);
  _applyMode(-1);
}

void CQuorPrnColorDlgBase::_showModel(bool fromRadio) {
  if (!m_modelList) return;
  if (fromRadio) {
    CheckDlgButton(m_ids.modelRadio, 1);
    CheckDlgButton(m_ids.autoRadio, 0);
    CheckDlgButton(m_ids.customRadio, 0);
  }
  EnableDlgItem(m_ids.modelList, true);
  for (CYbSliderCtrl* s : m_sliders) s->setEnabled(false);
  const int selected = m_modelList->GetCurSel();
  if (selected < 0) {
    _showAutomatic();
    return;
  }
  _applyMode(selected + 1);
}

void CQuorPrnColorDlgBase::_applyMode(int32_t mode) {
  Palette& shown = m_colorInfo.Palette;
  if (m_shownMode < 0) {
    _copyPalette(shown, m_customPalette);
  } else if (mode < 0) {
    _copyPalette(m_customPalette, shown);
  }
  if (mode >= 0) {
    std::string name;
    m_store->GetColorPreset(mode, shown, name);
  }
  m_colorInfo.Mode = mode;
  m_shownMode = mode;

  if (shown.empty()) {
    m_patternList->SetCurSel(-1);
    EnableDlgItem(m_ids.patternList, false);
    m_red = m_green = m_blue = 0;
    _showColor();
    return;
  }
  // A palette to show after an empty one: the items can be chosen again.
  if (m_patternList->GetCount() > 0) EnableDlgItem(m_ids.patternList, true);
  int selected = m_patternList->GetCurSel();
  if (selected < 0 || selected >= static_cast<int>(shown.size())) selected = 0;
  m_patternList->SetCurSel(selected);
  _selectPattern(m_patternList->GetCurSel());
}

void CQuorPrnColorDlgBase::_selectPattern(int index) {
  const Palette& shown = m_colorInfo.Palette;
  if (index >= 0 && index < static_cast<int>(shown.size())) {
    const uint32_t rgb = static_cast<uint32_t>(shown[static_cast<size_t>(index)]->Color);
    m_red = rgb & 0xFF;
    m_green = (rgb >> 8) & 0xFF;
    m_blue = (rgb >> 16) & 0xFF;
  } else {
    m_red = m_green = m_blue = 0;
  }
  _showColor();
}

void CQuorPrnColorDlgBase::_moveSlider(int id, int position) {
  const uint32_t value = static_cast<uint32_t>(std::clamp(position, 0, kSliderMax));
  if (id == m_ids.red) m_red = value;
  if (id == m_ids.green) m_green = value;
  if (id == m_ids.blue) m_blue = value;
  _showColor();
  const int selected = _selectedPattern();
  if (selected >= 0) m_colorInfo.Palette[static_cast<size_t>(selected)]->Color = static_cast<int32_t>(CurrentColor());
}

int CQuorPrnColorDlgBase::_selectedPattern() const {
  const int selected = m_patternList->GetCurSel();
  return selected >= 0 && selected < static_cast<int>(m_colorInfo.Palette.size()) ? selected : -1;
}

void CQuorPrnColorDlgBase::_showColor() {
  const uint32_t values[3] = {m_red, m_green, m_blue};
  const int labels[3] = {m_ids.redValue, m_ids.greenValue, m_ids.blueValue};
  for (int i = 0; i < 3; ++i) {
    m_sliders[i]->SetPos(static_cast<int>(values[i]));
    char text[16];
    std::snprintf(text, sizeof text, "%3d", static_cast<int>(values[i]));
    SetDlgItemText(labels[i], text);
  }
  m_preview->SetColor(CurrentColor());
}

int CQuorPrnColorDlgBase::NotifyFunctionEvent(int key) {
  if (key != kVkF9) return 1;
  UiMessageBox::QuestionBeep();
  const std::string question = UiLocalize::Message("CMMS_06001", Cp932("設定を初期状態に復帰してよろしいですか？"));
  if (UiMessageBox::Show(this, question, "", kMbOkCancel | kMbIconQuestion) == kIdOk) {
    _showAutomatic();
    m_customPalette.clear();
    std::string name;
    m_store->GetColorPreset(0, m_customPalette, name);
  }
  return 0;
}

int CQuorPrnColorDlgBase::NotifyConfirmEvent() {
  // The flag as read, the mode shown and the palette shown; the printer
  // dialog writes the set and reports a failed write.
  m_colorInfo.Mode = m_shownMode;
  m_store->SetPrinter(m_printerInfo, &m_colorInfo);
  _emptyPalettes();
  return 1;
}

int CQuorPrnColorDlgBase::NotifyCancelEvent() {
  _emptyPalettes();
  return 1;
}

void CQuorPrnColorDlgBase::_emptyPalettes() {
  m_colorInfo.Palette.clear();
  m_customPalette.clear();
}

void CQuorPrnColorDlgBase::_showMessage(const std::string& text, uint32_t type) { UiMessageBox::Show(this, text, "", type); }

void CQuorPrnColorDlgBase::_copyPalette(const Palette& from, Palette& to) {
  if (&from == &to) return;
  Palette copy;
  copy.reserve(from.size());
  for (const auto& e : from) {
    if (e) copy.push_back(std::make_unique<MERA_PRN_COLOR_PALETTE_TYPE>(*e));
  }
  to = std::move(copy);
}
