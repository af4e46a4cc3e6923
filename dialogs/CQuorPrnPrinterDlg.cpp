#include "dialogs/CQuorPrnPrinterDlg.h"

#include "platform/ui/DialogTemplates.h"

namespace {

using Dlg = CQuorPrnPrinterDlg;
static_assert(Dlg::kPrinterList == Dlg::kTemplateId + Dlg::kPrinterListAt &&
              Dlg::kScaleFix == Dlg::kTemplateId + Dlg::kScaleFixAt);

const DialogTemplates::Registrar kTemplate(Dlg::SharedTemplate(Dlg::kTemplateId, 206, Dlg::kOffsetPicture,
                                                               Dlg::kScalePicture));

}  // namespace

CQuorPrnPrinterDlg::CQuorPrnPrinterDlg(QWidget* parent) : CQuorPrnPrinterDlgBase(kTemplateId, parent) {}

int32_t CQuorPrnPrinterDlg::Open(const char* system, const char* job, uint32_t setNo, CPrnDevMode* devMode,
                                 uint32_t helpId) {
  return OpenDialog(system, job, setNo, devMode, helpId);
}
