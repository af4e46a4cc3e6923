// The create and delete fronts of the exported printer-access class. Each
// runs one operation on a settings store of its own, made on the stack and
// gone when the front returns, so a front never sees another caller's open
// set or form and never touches the printer-access object or its caches.
#include "quorprn/CQuorPrnPrinterAccess.h"
#include "store/CQuorPrnSettingStore.h"

#include <utility>

int32_t CQuorPrnPrinterAccess::RegCreatePrinterSet(const char* system, const char* job, uint32_t setNo) {
  CQuorPrnSettingStore store;
  return store.RegCreatePrinterSet(system, job, setNo);
}

int32_t CQuorPrnPrinterAccess::RegDeletePrinterSet(const char* system, const char* job, uint32_t setNo) {
  CQuorPrnSettingStore store;
  return store.RegDeletePrinterSet(system, job, setNo);
}

int32_t CQuorPrnPrinterAccess::RegCreatePrinter(const char* system, const char* job, uint32_t setNo,
                                                QUOR_PRN_PRINTER_INFO_TYPE printer, QUOR_PRN_COLOR_INFO_TYPE* color) {
  CQuorPrnSettingStore store;
  return store.RegCreatePrinter(system, job, setNo, std::move(printer), color);
}

int32_t CQuorPrnPrinterAccess::RegDeletePrinter(const char* system, const char* job, uint32_t setNo,
                                                const char* printerName) {
  CQuorPrnSettingStore store;
  return store.RegDeletePrinter(system, job, setNo, printerName);
}

int32_t CQuorPrnPrinterAccess::RegCreateForm(const char* system, const char* job, uint32_t setNo,
                                             const char* printerName, QUOR_PRN_FORM_INFO_TYPE form) {
  CQuorPrnSettingStore store;
  return store.RegCreateForm(system, job, setNo, printerName, std::move(form));
}

int32_t CQuorPrnPrinterAccess::RegDeleteForm(const char* system, const char* job, uint32_t setNo,
                                             const char* printerName, const char* formName) {
  CQuorPrnSettingStore store;
  return store.RegDeleteForm(system, job, setNo, printerName, formName);
}
