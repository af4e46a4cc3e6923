// The settings lookup: what a host calls before it prints a form. It merges,
// in this order of preference, the stored settings of the printer set, the
// form template file, and what the printer itself reports. Missing stored
// settings are no failure: the default printer and the template file stand
// in, and the result code (140 to 143) says so. Each call works on a store of
// its own, destroyed on every path; between calls only the instance's paper
// fields and the process-wide caches remain.
#include "quorprn/CQuorPrnPrinterAccess.h"

#include <string>

#include "printer/CQuorPrnFormTemplate.h"
#include "printer/CQuorPrnPrinterInfoManager.h"
#include "printer/QuorPrnDecimal.h"
#include "store/CQuorPrnSettingStore.h"

namespace {

bool Empty(const char* text) { return text == nullptr || *text == '\0'; }

}  // namespace

int32_t CQuorPrnPrinterAccess::GetPrinterDefault(const char* system, const char* job, uint32_t setNo,
                                                 QUOR_PRN_PRINTER_INFO_TYPE* printer,
                                                 QUOR_PRN_COLOR_INFO_TYPE* color) {
  CQuorPrnSettingStore store;
  _initPrinterInfo(printer);
  _initColorInfo(color);
  if (Empty(system) || Empty(job) || setNo > 99 || printer == nullptr) {
    m_printerUsable = 0;
    return QUOR_PRN_ERR_ARGUMENT;
  }
  if (CQuorPrnPrinterInfoManager::GetPrinterCount() == 0) {
    m_printerUsable = 0;
    return QUOR_PRN_ERR_NO_PRINTER;
  }

  // The default printer is asked of the system at most once between two
  // cache refreshes, as long as it stays installed.
  auto defaultPrinter = [this](std::string& name) -> int32_t {
    if (!m_CachePrinterName.empty() && CQuorPrnPrinterInfoManager::FindPrinter(m_CachePrinterName) != nullptr) {
      name = m_CachePrinterName;
      return QUOR_PRN_SUCCESS;
    }
    return _getDefaultOsPrinter(name);
  };

  std::string name;
  const int32_t r = store.ReadCurrentPrinter(system, job, setNo, name);
  if (r == QUOR_PRN_SUCCESS) {
    if (CQuorPrnPrinterInfoManager::FindPrinter(name) == nullptr) {
      int32_t rc = defaultPrinter(name);
      if (rc != QUOR_PRN_SUCCESS) {
        m_printerUsable = 0;
        return rc;
      }
    }
    printer->PrinterName = name;
    const int32_t s = store.ReadPrinter(system, job, setNo, printer, color);
    if (s == QUOR_PRN_SUCCESS) return QUOR_PRN_SUCCESS;
    if (s == QUOR_PRN_NO_PRINTER_ENTRY) {
      m_useStored = 0;
      return s;
    }
    m_printerUsable = 0;
    return s;
  }
  if (r == QUOR_PRN_NO_PRINTER_SET || r == QUOR_PRN_NO_CURRENT_PRINTER) {
    m_useStored = 0;
    int32_t rc = defaultPrinter(name);
    if (rc != QUOR_PRN_SUCCESS) {
      m_printerUsable = 0;
      return rc;
    }
    printer->PrinterName = name;
    return r;
  }
  m_printerUsable = 0;
  return r;
}

int32_t CQuorPrnPrinterAccess::GetPrinterInfo(const char* system, const char* job, uint32_t setNo,
                                              const char* templatePath, const char* formName,
                                              QUOR_PRN_PRINTER_INFO_TYPE* printer, QUOR_PRN_FORM_INFO_TYPE* form,
                                              QUOR_PRN_COLOR_INFO_TYPE* color, CPrnDevMode* devMode) {
  return GetPrinterInfoEx(system, job, setNo, templatePath, formName, printer, form, /*useTemplate=*/0, color,
                          devMode);
}

int32_t CQuorPrnPrinterAccess::GetPrinterInfoEx(const char* system, const char* job, uint32_t setNo,
                                                const char* templatePath, const char* formName,
                                                QUOR_PRN_PRINTER_INFO_TYPE* printer, QUOR_PRN_FORM_INFO_TYPE* form,
                                                int32_t useTemplate, QUOR_PRN_COLOR_INFO_TYPE* color,
                                                CPrnDevMode* devMode) {
  CQuorPrnSettingStore store;
  m_printerUsable = 1;
  m_useStored = 1;
  _initPrinterInfo(printer);
  _initFormInfo(form);
  _initColorInfo(color);
  if (Empty(templatePath) || setNo > 99 || Empty(formName) || printer == nullptr || form == nullptr)
    return QUOR_PRN_ERR_ARGUMENT;
  form->FormName = formName;

  const int32_t d = GetPrinterDefault(system, job, setNo, printer, color);
  if (m_printerUsable == 0) return d;
  const char* printerName = printer->PrinterName.c_str();

  int32_t f = QUOR_PRN_SUCCESS;
  if (m_useStored == 1) {
    store.SetCurrentPrinter(printerName);
    f = store.LoadForm(system, job, setNo, formName);
    if (f == QUOR_PRN_SUCCESS) {
      form->FormName = formName;
      const int32_t g = store.GetForm(form);
      if (g != QUOR_PRN_SUCCESS) return g;
      store.CloseForm();
      if (QuorPrnDecimal(form->PaperSize) == -1) {
        // The stored paper is whatever the printer's properties select; the
        // number text stays "-1" and only the name is resolved.
        int32_t paperNo = 0;
        int32_t rc = _getPropertyPaperNo(printerName, devMode, &paperNo);
        if (rc != QUOR_PRN_SUCCESS) return rc;
        rc = _getPrinterPaperName(printerName, paperNo, form->PaperName);
        if (rc != QUOR_PRN_SUCCESS) return rc;
      }
    } else if (f == QUOR_PRN_NO_PRINTER_ENTRY || f == QUOR_PRN_NO_FORM_ENTRY) {
      m_useStored = 0;
    }
  }

  if (useTemplate != 0 || m_useStored == 0) {
    CQuorPrnFormTemplate reader;
    CQuorPrnFormTemplate::Page page;
    int32_t rc = reader.Read(templatePath, formName, &page);
    if (rc != QUOR_PRN_SUCCESS) return rc;
    m_paperNo = page.paperNo;
    m_portrait = page.portrait;
    m_paperWidth = page.fileWidth;
    m_paperLength = page.fileLength;
    int32_t paperNo = page.paperNo;
    if (paperNo == -1) {
      rc = _getPropertyPaperNo(printerName, devMode, &paperNo);
      if (rc != QUOR_PRN_SUCCESS) return rc;
    }
    rc = _getPaper(printerName, paperNo, form->PaperSize, form->PaperName);
    if (rc != QUOR_PRN_SUCCESS) return rc;
  }

  int32_t bin = 0;
  if (m_useStored == 1) bin = QuorPrnDecimal(form->Bin);
  if (bin == 0 && devMode != nullptr) {
    DEVMODEA* held = nullptr;
    devMode->GetDevMode(held);
    if (held != nullptr) bin = held->dmDefaultSource;
  }
  int32_t rc = _getBinName(printerName, bin, form->BinName);
  if (rc != QUOR_PRN_SUCCESS) return rc;
  form->Bin = std::to_string(bin);

  return f == QUOR_PRN_SUCCESS ? d : f;
}
