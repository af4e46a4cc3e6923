// The property sheet's template and the transfer between its controls and a
// device-settings block. Choices the printer does not offer stay disabled and
// their members of the block untouched.
#include "platform/ui/UiPrinterPropertySheet.h"

#include <algorithm>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/CYbComboBox.h"
#include "platform/ui/CYbNumEdit.h"
#include "platform/ui/DialogTemplates.h"
#include "platform/ui/UiApplication.h"
#include "quorprn/QuorPrnResult.h"

namespace {

using mbcs::Cp932;
using Sheet = UiPrinterPropertySheet;

// Labels and groups; only their texts are looked at.
enum : int {
  kNameLabel = 101,
  kPaperGroup = 103,
  kPaperLabel = 104,
  kBinLabel = 106,
  kOrientGroup = 108,
  kPrintGroup = 111,
  kCopiesLabel = 112,
  kColorLabel = 114,
  kDuplexLabel = 116,
};

constexpr int kMaxCopies = 999;

const DialogTemplates::Registrar kRegistered([] {
  DialogTemplate t;
  t.id = Sheet::kTemplate;
  t.caption = Cp932("プリンタのプロパティ");
  t.cx = 252;
  t.cy = 164;
  t.fontFace = Cp932("ＭＳ ゴシック");
  t.pointSize = 9;
  t.controls = {
      {kNameLabel, DlgKind::Static, Cp932("プリンタ名："), 8, 9, 54, 10, 0},
      {Sheet::kPrinterName, DlgKind::Static, "", 64, 7, 180, 12, kDlgSunken},
      {kPaperGroup, DlgKind::GroupBox, Cp932("用紙"), 6, 24, 240, 48, kDlgGroup},
      {kPaperLabel, DlgKind::Static, Cp932("用紙サイズ："), 14, 38, 56, 10, 0},
      {Sheet::kPaper, DlgKind::ComboBox, "", 72, 36, 166, 100, kDlgGroup},
      {kBinLabel, DlgKind::Static, Cp932("給紙方法："), 14, 54, 56, 10, 0},
      {Sheet::kBin, DlgKind::ComboBox, "", 72, 52, 166, 100, kDlgGroup},
      {kOrientGroup, DlgKind::GroupBox, Cp932("印刷の向き"), 6, 76, 76, 62, kDlgGroup},
      {Sheet::kPortrait, DlgKind::RadioButton, Cp932("縦"), 14, 92, 60, 10, kDlgGroup},
      {Sheet::kLandscape, DlgKind::RadioButton, Cp932("横"), 14, 108, 60, 10, 0},
      {kPrintGroup, DlgKind::GroupBox, Cp932("印刷"), 88, 76, 158, 62, kDlgGroup},
      {kCopiesLabel, DlgKind::Static, Cp932("部数："), 96, 90, 56, 10, 0},
      {Sheet::kCopies, DlgKind::NumEdit, "", 154, 88, 30, 12, kDlgGroup},
      {kColorLabel, DlgKind::Static, Cp932("カラー："), 96, 106, 56, 10, 0},
      {Sheet::kColor, DlgKind::ComboBox, "", 154, 104, 84, 60, kDlgGroup},
      {kDuplexLabel, DlgKind::Static, Cp932("両面印刷："), 96, 122, 56, 10, 0},
      {Sheet::kDuplex, DlgKind::ComboBox, "", 154, 120, 84, 60, kDlgGroup},
      {1, DlgKind::PushButton, "OK", 136, 144, 52, 14, kDlgGroup | kDlgDefault},
      {2, DlgKind::PushButton, Cp932("ｷｬﾝｾﾙ"), 194, 144, 52, 14, 0},
  };
  return t;
}());

// Fills a list with the printer's choices and selects `current`; none is
// selected when the printer does not list it.
void Fill(CYbComboBox* combo, const std::vector<std::pair<int16_t, std::string>>& choices, int16_t current) {
  combo->ResetContent();
  int selected = -1;
  for (const auto& [number, name] : choices) {
    int at = combo->AddString(name);
    combo->SetItemData(at, number);
    if (number == current && selected < 0) selected = at;
  }
  combo->SetCurSel(selected);
}

}  // namespace

UiPrinterPropertySheet::UiPrinterPropertySheet(const spooler::PropertySheetOffer& offer, DEVMODEA* settings,
                                               QWidget* parent)
    : CMeraBWLocalizeDialog(kTemplate, parent), offer_(offer), settings_(settings) {}

int32_t UiPrinterPropertySheet::Prompt(HWND parent, const spooler::PropertySheetOffer& offer, DEVMODEA* settings) {
  if (!settings || UiApplication::Ensure() != QUOR_PRN_SUCCESS) return -1;
  // The calling dialog hands itself over as the parent window.
  UiPrinterPropertySheet sheet(offer, settings, static_cast<QWidget*>(parent));
  int result = sheet.DoModal();
  return result == 1 ? IDOK : result == 2 ? IDCANCEL : -1;
}

bool UiPrinterPropertySheet::OnInitDialog() {
  CMeraBWLocalizeDialog::OnInitDialog();
  SetLocalizeDialogID("IDD_QUORPRN_PRNPROPERTY");
  LocalizeDialog();
  LocalizeControl(kNameLabel, "IDC_STATIC_001");
  LocalizeControl(kPaperGroup, "IDC_STATIC_002");
  LocalizeControl(kPaperLabel, "IDC_STATIC_003");
  LocalizeControl(kBinLabel, "IDC_STATIC_004");
  LocalizeControl(kOrientGroup, "IDC_STATIC_005");
  LocalizeControl(kPrintGroup, "IDC_STATIC_006");
  LocalizeControl(kCopiesLabel, "IDC_STATIC_007");
  LocalizeControl(kColorLabel, "IDC_STATIC_008");
  LocalizeControl(kDuplexLabel, "IDC_STATIC_009");
  LocalizeControl(kPortrait, "IDC_PROP_PORTRAIT");
  LocalizeControl(kLandscape, "IDC_PROP_LANDSCAPE");
  LocalizeControl(kPaper, "IDC_PROP_PAPER");
  LocalizeControl(kBin, "IDC_PROP_BIN");
  LocalizeControl(kCopies, "IDC_PROP_COPIES");
  LocalizeControl(kColor, "IDC_PROP_COLOR");
  LocalizeControl(kDuplex, "IDC_PROP_DUPLEX");
  LocalizeControl(1, "IDOK");
  LocalizeControl(2, "IDCANCEL");

  SetDlgItemText(kPrinterName, offer_.printer);
  Fill(Item<CYbComboBox>(kPaper), offer_.papers, settings_->dmPaperSize);
  Fill(Item<CYbComboBox>(kBin), offer_.bins, settings_->dmDefaultSource);
  CheckRadioButton(kPortrait, kLandscape,
                   settings_->dmOrientation == DMORIENT_LANDSCAPE ? kLandscape : kPortrait);
  auto* copies = Item<CYbNumEdit>(kCopies);
  copies->InitEdit(kNumEditNumeric, 0, 3, 0, 1, kMaxCopies);
  copies->SetWindowTextValue(std::clamp<int>(settings_->dmCopies, 1, kMaxCopies));

  Fill(Item<CYbComboBox>(kColor),
       {{DMCOLOR_COLOR, LocalizeText("COLOR_ON", Cp932("カラー"))},
        {DMCOLOR_MONOCHROME, LocalizeText("COLOR_OFF", Cp932("モノクロ"))}},
       offer_.color ? settings_->dmColor : DMCOLOR_MONOCHROME);
  Fill(Item<CYbComboBox>(kDuplex),
       {{DMDUP_SIMPLEX, LocalizeText("DUPLEX_OFF", Cp932("片面"))},
        {DMDUP_VERTICAL, LocalizeText("DUPLEX_LONG", Cp932("両面 (長辺とじ)"))},
        {DMDUP_HORIZONTAL, LocalizeText("DUPLEX_SHORT", Cp932("両面 (短辺とじ)"))}},
       offer_.duplex ? settings_->dmDuplex : DMDUP_SIMPLEX);
  EnableDlgItem(kColor, offer_.color);
  EnableDlgItem(kColorLabel, offer_.color);
  EnableDlgItem(kDuplex, offer_.duplex);
  EnableDlgItem(kDuplexLabel, offer_.duplex);
  return true;
}

void UiPrinterPropertySheet::OnOK() {
  auto chosen = [this](int id, int16_t* member) {
    auto* combo = Item<CYbComboBox>(id);
    if (combo->GetCurSel() >= 0) *member = static_cast<int16_t>(combo->GetItemData(combo->GetCurSel()));
  };
  chosen(kPaper, &settings_->dmPaperSize);
  chosen(kBin, &settings_->dmDefaultSource);
  settings_->dmOrientation = IsDlgButtonChecked(kLandscape) ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  // An empty or zero count prints one copy rather than none.
  double copies = Item<CYbNumEdit>(kCopies)->GetWindowTextValue();
  settings_->dmCopies = static_cast<int16_t>(std::clamp(static_cast<int>(copies), 1, kMaxCopies));
  if (offer_.color) chosen(kColor, &settings_->dmColor);
  if (offer_.duplex) chosen(kDuplex, &settings_->dmDuplex);
  CMeraBWLocalizeDialog::OnOK();
}
