// The exported entry point of the DocuWorks output dialog.
#include "quorprn/QuorPrn.h"
#include "platform/ui/UiApplication.h"
#include "xdw/CQuorPrnXdwOutputDlg.h"

extern "C" QUORPRN_API int32_t QuorPrnXdwOutputDlgOpen(const char* system, const char* job, int32_t showCustomerFolder,
                                                       int32_t helpId) {
  if (system == nullptr || *system == '\0' || job == nullptr || *job == '\0') return QUOR_PRN_ERR_ARGUMENT;
  // No widget may exist before the application object does.
  if (const int32_t ok = UiApplication::Ensure(); ok != QUOR_PRN_SUCCESS) return ok;
  CQuorPrnXdwOutputDlg dlg;
  dlg.SetHelpId(helpId);
  dlg.SetShowCustomerFolder(showCustomerFolder);
  dlg.XdwInfo().Initialize(system, job, "", "", "");
  const int code = dlg.DoModal();
  if (code == QUOR_PRN_CANCEL) return QUOR_PRN_CANCEL;
  if (code == QUOR_PRN_ERR_DISPLAY) return QUOR_PRN_ERR_DISPLAY;
  return dlg.GetResult();
}
