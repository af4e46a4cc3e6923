// The exported entry point of the printer dialogs. The arguments are checked
// before anything else happens, and the display before any cache is touched
// or any widget made: a host without a display gets a code, never an abort.
#include <memory>

#include "dialogs/CQuorPrnPrinterDlg.h"
#include "dialogs/CQuorPrnPrinterDlgEx.h"
#include "platform/ui/UiApplication.h"
#include "quorprn/CQuorPrnPrinterAccess.h"
#include "quorprn/QuorPrn.h"

extern "C" int32_t QuorPrnPrinterDlgOpen(const char* system, const char* job, uint32_t setNo, CPrnDevMode* devMode,
                                         uint32_t helpId, int32_t withColour) {
  if (system == nullptr || job == nullptr || *system == '\0' || *job == '\0' || setNo > 99 || devMode == nullptr) {
    return QUOR_PRN_ERR_ARGUMENT;
  }
  if (const int32_t display = UiApplication::Ensure(); display != QUOR_PRN_SUCCESS) return display;
  CQuorPrnPrinterAccess::CacheRefresh();
  if (withColour == 0) {
    auto dlg = std::make_unique<CQuorPrnPrinterDlg>();
    if (dlg->Open(system, job, setNo, devMode, helpId) == QUOR_PRN_CANCEL) return QUOR_PRN_CANCEL;
    return dlg->ResultValue();
  }
  // The colours chosen are the dialog's business; the caller of this entry
  // point gets none of them.
  QUOR_PRN_COLOR_INFO_TYPE scratch;
  auto dlg = std::make_unique<CQuorPrnPrinterDlgEx>();
  if (dlg->Open(system, job, setNo, devMode, &scratch, helpId) == QUOR_PRN_CANCEL) return QUOR_PRN_CANCEL;
  return dlg->ResultValue();
}
