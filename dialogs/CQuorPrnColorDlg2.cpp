// The two-mode colour dialog's template (no model radio, model list or its
// label) and the ids it names; everything it does is the base's.
#include "dialogs/CQuorPrnColorDlg2.h"

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/DialogTemplates.h"

namespace {

using mbcs::Cp932;
using Dlg = CQuorPrnColorDlg2;

constexpr Dlg::ControlIds kIds{Dlg::IDC_COLOR_MODESEL_AUTO, 0, Dlg::IDC_COLOR_MODESEL_CUSTOM, 0,
                               Dlg::IDC_COLOR_PALETTE_SEL, Dlg::IDC_COLOR_SLIDER_R, Dlg::IDC_COLOR_SLIDER_G,
                               Dlg::IDC_COLOR_SLIDER_B, Dlg::IDC_COLOR_VALUE_R, Dlg::IDC_COLOR_VALUE_G,
                               Dlg::IDC_COLOR_VALUE_B, Dlg::IDC_COLOR_PREVIEW};

const DialogTemplates::Registrar kRegistered([] {
  DialogTemplate t = Dlg::SharedTemplate(Dlg::kTemplate, 144, kIds, 54);
  t.controls.insert(t.controls.begin() + 1,
                    {
                        {Dlg::kModeGroup, DlgKind::GroupBox, Cp932("モード"), 6, 20, 268, 30, kDlgGroup},
                        {kIds.autoRadio, DlgKind::RadioButton, Cp932("自動"), 14, 34, 60, 10, kDlgGroup},
                        {kIds.customRadio, DlgKind::RadioButton, Cp932("カスタム"), 80, 34, 60, 10, 0},
                    });
  return t;
}());

}  // namespace

CQuorPrnColorDlg2::CQuorPrnColorDlg2(CQuorPrnSettingStore* store, const std::string& printerName, QWidget* parent)
    : CQuorPrnColorDlgBase(kTemplate, kIds, store, printerName, parent) {}
