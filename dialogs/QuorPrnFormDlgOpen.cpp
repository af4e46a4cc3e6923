// The exported entry point of the form dialog: checks the arguments, makes
// sure there is something to show the dialog on, and runs one dialog.
#include <memory>

#include "dialogs/CQuorPrnFormDlg.h"
#include "platform/ui/UiApplication.h"
#include "quorprn/QuorPrn.h"

namespace {
bool Empty(const char* s) { return s == nullptr || s[0] == '\0'; }
}  // namespace

extern "C" QUORPRN_API int32_t QuorPrnFormDlgOpen(const char* system, const char* job, uint32_t setNo,
                                                   const char* formName, const char* formFile,
                                                   const char* formTitle, int32_t standardPapersOnly,
                                                   uint32_t helpId) {
  if (Empty(system) || Empty(job) || Empty(formName) || Empty(formFile) || setNo > 99) {
    return QUOR_PRN_ERR_ARGUMENT;
  }
  // Qt aborts the host when it starts without a display; ask first.
  if (const int32_t ui = UiApplication::Ensure(); ui != QUOR_PRN_SUCCESS) return ui;
  auto dlg = std::make_unique<CQuorPrnFormDlg>();
  const int32_t r = dlg->Open(system, job, setNo, formName, formFile, formTitle, standardPapersOnly, helpId);
  return r == QUOR_PRN_CANCEL ? QUOR_PRN_CANCEL : dlg->GetResult();
}
