// CQuorPrnPrinterAccess: its lifetime, the process-wide caches of what the
// spooler and the drivers report, and the queries that fill them (a printer's
// information block, the default printer, paper, paper-name and bin names).
// The caches own every block and text they hold; nothing here frees a block
// except CacheRefresh and the caches' own destruction. A failed query caches
// nothing, except the paper cache, which keeps the paper's number text even
// when the driver could not name it, so a failing driver is asked only once.
// The settings lookup lives in CQuorPrnPrinterAccessLookup.cpp; the store
// fronts (Reg...) in CQuorPrnPrinterAccessReg.cpp.
#include "quorprn/CQuorPrnPrinterAccess.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/WinSpool.h"
#include "printer/CQuorPrnBinNameMap.h"
#include "printer/CQuorPrnPaperMap.h"
#include "printer/CQuorPrnPaperNameMap.h"
#include "printer/CQuorPrnPrinterInfoManager.h"
#include "printer/CQuorPrnPrinterInfoMap.h"

std::string CQuorPrnPrinterAccess::m_CachePrinterName;
CQuorPrnPaperMap CQuorPrnPrinterAccess::m_CachePaperMap;
CQuorPrnPaperNameMap CQuorPrnPrinterAccess::m_CachePaperNameMap;
CQuorPrnBinNameMap CQuorPrnPrinterAccess::m_CacheBinNameMap;
CQuorPrnPrinterInfoMap CQuorPrnPrinterAccess::m_CachePrinterInfo;

namespace {

using Block = std::unique_ptr<std::max_align_t[]>;

// Opens the printer and reads its level-2 information into a block of its
// own. 1; 150 when the printer cannot be opened; 113 when its information
// cannot be had. The printer is closed on every path.
int32_t ReadPrinterBlock(const char* printerName, Block* out) {
  HANDLE handle = nullptr;
  PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
  if (!OpenPrinterA(printerName, &handle, &defaults) || handle == nullptr) return QUOR_PRN_ERR_NO_PRINTER;
  uint32_t needed = 0;
  GetPrinterA(handle, 2, nullptr, 0, &needed);
  if (needed == 0) {
    ClosePrinter(handle);
    return QUOR_PRN_ERR_SPOOLER;
  }
  const size_t units = (size_t{needed} + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
  Block block(new (std::nothrow) std::max_align_t[units]);
  if (!block) {
    ClosePrinter(handle);
    return QUOR_PRN_ERR_SPOOLER;
  }
  if (!GetPrinterA(handle, 2, reinterpret_cast<unsigned char*>(block.get()), needed, &needed)) {
    ClosePrinter(handle);
    return QUOR_PRN_ERR_SPOOLER;
  }
  ClosePrinter(handle);
  *out = std::move(block);
  return QUOR_PRN_SUCCESS;
}

PRINTER_INFO_2A* InfoOf(const Block& block) { return reinterpret_cast<PRINTER_INFO_2A*>(block.get()); }

std::string FieldText(const char* field, size_t width) { return std::string(field, strnlen(field, width)); }

// Drivers are asked with the port and device settings of the printer's own
// information block.
int Capability(const char* printer, const PRINTER_INFO_2A* info, uint16_t capability, char* output) {
  return DeviceCapabilitiesA(printer, info->pPortName, capability, output, info->pDevMode);
}

}  // namespace

CQuorPrnPrinterAccess::CQuorPrnPrinterAccess()
    : m_paperNo(9), m_portrait(1), m_paperWidth(0), m_paperLength(0), m_useStored(0), m_printerUsable(1) {
  CQuorPrnPrinterInfoManager::RefreshPrinters();
}

CQuorPrnPrinterAccess::CQuorPrnPrinterAccess(const CQuorPrnPrinterAccess& other) = default;
CQuorPrnPrinterAccess& CQuorPrnPrinterAccess::operator=(const CQuorPrnPrinterAccess& other) = default;
CQuorPrnPrinterAccess::~CQuorPrnPrinterAccess() = default;

void CQuorPrnPrinterAccess::CacheRefresh() {
  m_CachePrinterName.clear();
  m_CachePaperMap.clear();
  m_CachePaperNameMap.clear();
  m_CacheBinNameMap.clear();
  m_CachePrinterInfo.clear();
}

void CQuorPrnPrinterAccess::GetPaperSize(int32_t* paperNo, int32_t* portrait, int32_t* width, int32_t* length) {
  if (paperNo) *paperNo = m_paperNo;
  if (portrait) *portrait = m_portrait;
  if (width) *width = m_paperWidth;
  if (length) *length = m_paperLength;
}

int32_t CQuorPrnPrinterAccess::_getPrinterInfo(const char* printerName, PRINTER_INFO_2A** out) {
  auto it = m_CachePrinterInfo.find(printerName);
  if (it != m_CachePrinterInfo.end()) {
    *out = InfoOf(it->second);
    return QUOR_PRN_SUCCESS;
  }
  Block block;
  int32_t rc = ReadPrinterBlock(printerName, &block);
  if (rc != QUOR_PRN_SUCCESS) return rc;
  *out = InfoOf(block);
  m_CachePrinterInfo.emplace(printerName, std::move(block));
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnPrinterAccess::_getDefaultOsPrinter(std::string& name) {
  std::string found;
  if (!GetDefaultPrinterName(&found)) return QUOR_PRN_ERR_NO_PRINTER;
  name = found;
  m_CachePrinterName = found;
  return QUOR_PRN_SUCCESS;
}

// The records' own defaults are exactly the values a lookup starts from.
void CQuorPrnPrinterAccess::_initPrinterInfo(QUOR_PRN_PRINTER_INFO_TYPE* printer) {
  if (printer != nullptr) *printer = {};
}

void CQuorPrnPrinterAccess::_initFormInfo(QUOR_PRN_FORM_INFO_TYPE* form) {
  if (form != nullptr) *form = {};
}

void CQuorPrnPrinterAccess::_initColorInfo(QUOR_PRN_COLOR_INFO_TYPE* color) {
  if (color != nullptr) *color = {};
}

int32_t CQuorPrnPrinterAccess::_getPropertyPaperNo(const char* printerName, CPrnDevMode* devMode, int32_t* paperNo) {
  DEVMODEA* held = nullptr;
  if (devMode != nullptr) devMode->GetDevMode(held);
  if (held != nullptr) {
    *paperNo = held->dmPaperSize;
    return QUOR_PRN_SUCCESS;
  }
  PRINTER_INFO_2A* info = nullptr;
  if (_getPrinterInfo(printerName, &info) != QUOR_PRN_SUCCESS) return QUOR_PRN_ERR_SPOOLER;
  if (info->pDevMode == nullptr) return QUOR_PRN_ERR_SPOOLER;
  *paperNo = info->pDevMode->dmPaperSize;
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnPrinterAccess::_getPrinterPaperName(const char* printerName, int32_t paperNo, std::string& name) {
  PrintPaperNameKey key{printerName, paperNo};
  auto it = m_CachePaperNameMap.find(key);
  if (it != m_CachePaperNameMap.end()) {
    name = it->second;
    return QUOR_PRN_SUCCESS;
  }
  // The driver is asked with the printer's current device settings, so the
  // block is read afresh rather than taken from the information cache.
  Block block;
  if (ReadPrinterBlock(printerName, &block) != QUOR_PRN_SUCCESS) return QUOR_PRN_ERR_SPOOLER;
  const PRINTER_INFO_2A* info = InfoOf(block);

  int papers = Capability(printerName, info, DC_PAPERS, nullptr);
  if (papers < 0) return QUOR_PRN_ERR_SPOOLER;
  std::vector<uint16_t> numbers(static_cast<size_t>(papers) + 1);
  int numberCount = Capability(printerName, info, DC_PAPERS, reinterpret_cast<char*>(numbers.data()));
  if (numberCount < 0 || numberCount > papers) return QUOR_PRN_ERR_SPOOLER;

  int names = Capability(printerName, info, DC_PAPERNAMES, nullptr);
  if (names < 0) return QUOR_PRN_ERR_SPOOLER;
  const int nameRoom = names > numberCount ? names : numberCount;
  std::vector<char> nameFields(static_cast<size_t>(nameRoom + 1) * kPaperNameField, '\0');
  int nameCount = Capability(printerName, info, DC_PAPERNAMES, nameFields.data());
  if (nameCount < 0 || nameCount > nameRoom) return QUOR_PRN_ERR_SPOOLER;
  // Only entries that have both a number and a name can be matched.
  const int count = nameCount < numberCount ? nameCount : numberCount;

  // A paper the driver does not list is named by nothing: the caller's
  // earlier text must neither come back nor be cached under this key.
  std::string found;
  _getPaperName(numbers.data(), nameFields.data(), count, paperNo, found);
  m_CachePaperNameMap.emplace(std::move(key), found);
  name = std::move(found);
  return QUOR_PRN_SUCCESS;
}

void CQuorPrnPrinterAccess::_getPaperName(const uint16_t* paperNumbers, const char* paperNames, int32_t count,
                                          int32_t paperNo, std::string& name) {
  for (int32_t i = 0; i < count; ++i) {
    if (static_cast<int32_t>(paperNumbers[i]) == paperNo)
      name = FieldText(paperNames + static_cast<size_t>(i) * kPaperNameField, kPaperNameField);
  }
}

int32_t CQuorPrnPrinterAccess::_getPaper(const char* printerName, int32_t paperNo, std::string& paperText,
                                         std::string& paperName) {
  PaperKey key{printerName, paperNo};
  auto it = m_CachePaperMap.find(key);
  if (it != m_CachePaperMap.end()) {
    paperText = it->second.PaperSize;
    paperName = it->second.PaperName;
    return QUOR_PRN_SUCCESS;
  }
  QUOR_PRN_FORM_INFO_TYPE record;
  _initFormInfo(&record);
  record.PaperSize = std::to_string(paperNo);
  int32_t rc = QUOR_PRN_SUCCESS;
  if (paperNo == 256) {
    static const std::string prefix = mbcs::Cp932("標準のサイズ");
    char size[64];
    std::snprintf(size, sizeof size, "(%05.1fx%05.1fmm)", m_paperWidth / 10.0, m_paperLength / 10.0);
    record.PaperName = prefix + size;
  } else {
    rc = _getPrinterPaperName(printerName, paperNo, record.PaperName);
  }
  paperText = record.PaperSize;
  paperName = record.PaperName;
  m_CachePaperMap.emplace(std::move(key), std::move(record));
  return rc;
}

int32_t CQuorPrnPrinterAccess::_getBinName(const char* printerName, int32_t binNo, std::string& name) {
  name.clear();
  BinName key{printerName, binNo};
  auto it = m_CacheBinNameMap.find(key);
  if (it != m_CacheBinNameMap.end()) {
    name = it->second;
    return QUOR_PRN_SUCCESS;
  }
  PRINTER_INFO_2A* info = nullptr;
  if (_getPrinterInfo(printerName, &info) != QUOR_PRN_SUCCESS) return QUOR_PRN_ERR_SPOOLER;
  if (info->pDevMode == nullptr) return QUOR_PRN_ERR_SPOOLER;
  const int32_t defaultSource = info->pDevMode->dmDefaultSource;

  // Each list is filled right after its own count, into a buffer of that
  // count, and a names count that differs from the bins count fails before
  // any name is written.
  int bins = Capability(printerName, info, DC_BINS, nullptr);
  if (bins < 0) return QUOR_PRN_ERR_SPOOLER;
  std::vector<uint16_t> numbers(static_cast<size_t>(bins) + 1);
  int numberCount = Capability(printerName, info, DC_BINS, reinterpret_cast<char*>(numbers.data()));
  if (numberCount < 0) return QUOR_PRN_ERR_SPOOLER;
  int names = Capability(printerName, info, DC_BINNAMES, nullptr);
  if (names < 0) return QUOR_PRN_ERR_SPOOLER;
  if (names != bins || numberCount != bins) return QUOR_PRN_ERR_SPOOLER;
  std::vector<char> nameFields(static_cast<size_t>(bins + 1) * kBinNameField, '\0');
  int nameCount = Capability(printerName, info, DC_BINNAMES, nameFields.data());
  if (nameCount != bins) return QUOR_PRN_ERR_SPOOLER;

  auto nameAt = [&](int i) { return FieldText(nameFields.data() + static_cast<size_t>(i) * kBinNameField, kBinNameField); };
  for (int i = 0; i < bins; ++i) {
    if (static_cast<int32_t>(numbers[static_cast<size_t>(i)]) == binNo) {
      name = nameAt(i);
      break;
    }
  }
  if (name.empty()) {
    for (int i = 0; i < bins; ++i) {
      if (static_cast<int32_t>(numbers[static_cast<size_t>(i)]) == defaultSource) {
        name = nameAt(i);
        break;
      }
    }
  }
  m_CacheBinNameMap.emplace(std::move(key), name);
  return QUOR_PRN_SUCCESS;
}
