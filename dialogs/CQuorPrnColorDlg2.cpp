// The two-mode colour dialog's template (no model radio, model list or its
// label) and the ids and keys it names; everything it does is the base's.
#include "dialogs/CQuorPrnColorDlg2.h"

#include <cstdio>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/DialogTemplates.h"

namespace {

using mbcs::Cp932;
using Dlg = CQuorPrnColorDlg2;

// Labels and groups; only their texts are looked at.
enum : int { kMessage = 31701, kModeGroup = 31702, kColorGroup = 31704, kPatternLabel = 31705,
             kRedLabel = 31706, kGreenLabel = 31707, kBlueLabel = 31708 };

const DialogTemplates::Registrar kRegistered([] {
  DialogTemplate t;
  t.id = Dlg::kTemplate;
  t.caption = Cp932("色設定");
  t.cx = 280;
  t.cy = 144;
  t.fontFace = Cp932("ＭＳ ゴシック");
  t.pointSize = 9;
  t.controls = {
      {kMessage, DlgKind::Static, Cp932("カラープリンタは、機種により若干色合いに差が出る場合があります。"), 6, 6, 268, 10, 0},
      {kModeGroup, DlgKind::GroupBox, Cp932("モード"), 6, 20, 268, 30, kDlgGroup},
      {Dlg::IDC_COLOR_MODESEL_AUTO, DlgKind::RadioButton, Cp932("自動"), 14, 34, 60, 10, kDlgGroup},
      {Dlg::IDC_COLOR_MODESEL_CUSTOM, DlgKind::RadioButton, Cp932("カスタム"), 80, 34, 60, 10, 0},
      {kColorGroup, DlgKind::GroupBox, Cp932("色の設定"), 6, 54, 268, 84, kDlgGroup},
      {kPatternLabel, DlgKind::Static, Cp932("カラーパターン："), 14, 68, 72, 10, 0},
      {Dlg::IDC_COLOR_PALETTE_SEL, DlgKind::ComboBox, "", 88, 66, 130, 100, kDlgGroup},
      {kRedLabel, DlgKind::Static, Cp932("赤："), 14, 86, 28, 10, 0},
      {Dlg::IDC_COLOR_SLIDER_R, DlgKind::Slider, "", 44, 83, 142, 16, kDlgGroup},
      {Dlg::IDC_COLOR_VALUE_R, DlgKind::Static, "", 190, 86, 20, 10, kDlgRight},
      {kGreenLabel, DlgKind::Static, Cp932("緑："), 14, 104, 28, 10, 0},
      {Dlg::IDC_COLOR_SLIDER_G, DlgKind::Slider, "", 44, 101, 142, 16, kDlgGroup},
      {Dlg::IDC_COLOR_VALUE_G, DlgKind::Static, "", 190, 104, 20, 10, kDlgRight},
      {kBlueLabel, DlgKind::Static, Cp932("青："), 14, 122, 28, 10, 0},
      {Dlg::IDC_COLOR_SLIDER_B, DlgKind::Slider, "", 44, 119, 142, 16, kDlgGroup},
      {Dlg::IDC_COLOR_VALUE_B, DlgKind::Static, "", 190, 122, 20, 10, kDlgRight},
      {Dlg::IDC_COLOR_PREVIEW, DlgKind::ColorBox, "", 226, 66, 40, 68, kDlgSunken},
  };
  return t;
}());

}  // namespace

CQuorPrnColorDlg2::CQuorPrnColorDlg2(CQuorPrnSettingStore* store, const std::string& printerName, QWidget* parent)
    : CQuorPrnColorDlgBase(kTemplate,
                           {IDC_COLOR_MODESEL_AUTO, 0, IDC_COLOR_MODESEL_CUSTOM, 0, IDC_COLOR_PALETTE_SEL,
                            IDC_COLOR_SLIDER_R, IDC_COLOR_SLIDER_G, IDC_COLOR_SLIDER_B, IDC_COLOR_VALUE_R,
                            IDC_COLOR_VALUE_G, IDC_COLOR_VALUE_B, IDC_COLOR_PREVIEW},
                           store, printerName, parent) {}

void CQuorPrnColorDlg2::LocalizeControls() {
  LocalizeControl(IDC_COLOR_MODESEL_AUTO, "IDC_COLOR_MODESEL_AUTO");
  LocalizeControl(IDC_COLOR_MODESEL_CUSTOM, "IDC_COLOR_MODESEL_CUSTOM");
  LocalizeControl(IDC_COLOR_PALETTE_SEL, "IDC_COLOR_PALETTE_SEL");
  LocalizeControl(IDC_COLOR_VALUE_R, "IDC_COLOR_VALUE_R");
  LocalizeControl(IDC_COLOR_VALUE_G, "IDC_COLOR_VALUE_G");
  LocalizeControl(IDC_COLOR_VALUE_B, "IDC_COLOR_VALUE_B");
  for (int id : {kMessage, kModeGroup, kColorGroup, kPatternLabel, kRedLabel, kGreenLabel, kBlueLabel}) {
    char key[32];
    std::snprintf(key, sizeof key, "IDC_STATIC_%03d", id - 31700);
    LocalizeControl(id, key);
  }
}
