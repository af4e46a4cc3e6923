// The three-mode colour dialog's template and the ids it names; everything it
// does is the base's.
#include "dialogs/CQuorPrnColorDlg.h"

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/DialogTemplates.h"

namespace {

using mbcs::Cp932;
using Dlg = CQuorPrnColorDlg;

constexpr Dlg::ControlIds kIds{Dlg::IDC_COLOR_MODESEL_AUTO, Dlg::IDC_COLOR_MODESEL_PRNDEF,
                               Dlg::IDC_COLOR_MODESEL_CUSTOM, Dlg::IDC_COLOR_PRINTERDEF_SEL,
                               Dlg::IDC_COLOR_PALETTE_SEL, Dlg::IDC_COLOR_SLIDER_R, Dlg::IDC_COLOR_SLIDER_G,
                               Dlg::IDC_COLOR_SLIDER_B, Dlg::IDC_COLOR_VALUE_R, Dlg::IDC_COLOR_VALUE_G,
                               Dlg::IDC_COLOR_VALUE_B, Dlg::IDC_COLOR_PREVIEW};

const DialogTemplates::Registrar kRegistered([] {
  DialogTemplate t = Dlg::SharedTemplate(Dlg::kTemplate, 176, kIds, 86);
  t.controls.insert(t.controls.begin() + 1,
                    {
                        {Dlg::kModeGroup, DlgKind::GroupBox, Cp932("モード"), 6, 20, 268, 62, kDlgGroup},
                        {kIds.autoRadio, DlgKind::RadioButton, Cp932("自動"), 14, 33, 60, 10, kDlgGroup},
                        {kIds.modelRadio, DlgKind::RadioButton, Cp932("選択"), 14, 49, 60, 10, 0},
                        {kIds.customRadio, DlgKind::RadioButton, Cp932("カスタム"), 14, 65, 60, 10, 0},
                        {Dlg::kModelLabel, DlgKind::Static, Cp932("機種："), 80, 50, 34, 10, 0},
                        {kIds.modelList, DlgKind::ComboBox, "", 116, 47, 150, 100, kDlgGroup},
                    });
  return t;
}());

}  // namespace

CQuorPrnColorDlg::CQuorPrnColorDlg(CQuorPrnSettingStore* store, const std::string& printerName, QWidget* parent)
    : CQuorPrnColorDlgBase(kTemplate, kIds, store, printerName, parent) {}
