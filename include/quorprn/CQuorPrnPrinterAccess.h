// The exported printer-access class: the settings lookup a host calls before
// it prints a form, the create and delete fronts of the settings store, and
// the process-wide caches of what the spooler and the drivers report.
// Strings are NUL-terminated code page 932 texts; every operation answers a
// result code of QuorPrnResult.h and throws nothing for ordinary failures.
// Spooler queries may block (a network printer answers over the network); the
// caches keep each answer until CacheRefresh.
#pragma once

#include <cstdint>
#include <string>

#include "meraprn/CPrnDevMode.h"
#include "quorprn/QuorPrnExport.h"
#include "quorprn/QuorPrnRecords.h"
#include "quorprn/QuorPrnResult.h"

struct PRINTER_INFO_2A;
class CQuorPrnPaperMap;
class CQuorPrnPaperNameMap;
class CQuorPrnBinNameMap;
class CQuorPrnPrinterInfoMap;

class QUORPRN_API CQuorPrnPrinterAccess {
 public:
  // Re-reads the spooler's printer list; the caches are left as they are.
  CQuorPrnPrinterAccess();
  CQuorPrnPrinterAccess(const CQuorPrnPrinterAccess& other);
  CQuorPrnPrinterAccess& operator=(const CQuorPrnPrinterAccess& other);
  ~CQuorPrnPrinterAccess();

  // Empties every cache of this class (default printer, papers, paper
  // names, bin names, information blocks). Does not re-enumerate printers.
  static void CacheRefresh();
  // The paper of the last form read from a template file: platform paper
  // number (-1: the printer's own), portrait flag, width and length in tenths
  // of a millimetre.
  void GetPaperSize(int32_t* paperNo, int32_t* portrait, int32_t* width, int32_t* length);

  // Settings lookup: 1, 140 to 143 (complete records from fallbacks), or a
  // failure code.
  int32_t GetPrinterDefault(const char* system, const char* job, uint32_t setNo,
                            QUOR_PRN_PRINTER_INFO_TYPE* printer, QUOR_PRN_COLOR_INFO_TYPE* color);
  int32_t GetPrinterInfo(const char* system, const char* job, uint32_t setNo, const char* templatePath,
                         const char* formName, QUOR_PRN_PRINTER_INFO_TYPE* printer,
                         QUOR_PRN_FORM_INFO_TYPE* form, QUOR_PRN_COLOR_INFO_TYPE* color,
                         CPrnDevMode* devMode);
  int32_t GetPrinterInfoEx(const char* system, const char* job, uint32_t setNo, const char* templatePath,
                           const char* formName, QUOR_PRN_PRINTER_INFO_TYPE* printer,
                           QUOR_PRN_FORM_INFO_TYPE* form, int32_t useTemplate,
                           QUOR_PRN_COLOR_INFO_TYPE* color, CPrnDevMode* devMode);

  // Creating and deleting stored settings without a dialog; each runs on a
  // fresh settings store and touches nothing of this object.
  int32_t RegCreatePrinterSet(const char* system, const char* job, uint32_t setNo);
  int32_t RegDeletePrinterSet(const char* system, const char* job, uint32_t setNo);
  int32_t RegCreatePrinter(const char* system, const char* job, uint32_t setNo,
                           QUOR_PRN_PRINTER_INFO_TYPE printer, QUOR_PRN_COLOR_INFO_TYPE* color);
  int32_t RegDeletePrinter(const char* system, const char* job, uint32_t setNo, const char* printerName);
  int32_t RegCreateForm(const char* system, const char* job, uint32_t setNo, const char* printerName,
                        QUOR_PRN_FORM_INFO_TYPE form);
  int32_t RegDeleteForm(const char* system, const char* job, uint32_t setNo, const char* printerName,
                        const char* formName);

  // Process-wide caches (owned by the process; blocks freed by CacheRefresh).
  static std::string m_CachePrinterName;
  static CQuorPrnPaperMap m_CachePaperMap;
  static CQuorPrnPaperNameMap m_CachePaperNameMap;
  static CQuorPrnBinNameMap m_CacheBinNameMap;
  static CQuorPrnPrinterInfoMap m_CachePrinterInfo;

 private:
  // Tests reach the private members through this friend.
  friend class CQuorPrnPrinterAccessTestPeer;

  int32_t _getPrinterInfo(const char* printerName, PRINTER_INFO_2A** out);
  int32_t _getDefaultOsPrinter(std::string& name);
  int32_t _getPropertyPaperNo(const char* printerName, CPrnDevMode* devMode, int32_t* paperNo);
  int32_t _getPrinterPaperName(const char* printerName, int32_t paperNo, std::string& name);
  void _getPaperName(const uint16_t* paperNumbers, const char* paperNames, int32_t count, int32_t paperNo,
                     std::string& name);
  int32_t _getPaper(const char* printerName, int32_t paperNo, std::string& paperText, std::string& paperName);
  int32_t _getBinName(const char* printerName, int32_t binNo, std::string& name);
  void _initPrinterInfo(QUOR_PRN_PRINTER_INFO_TYPE* printer);
  void _initFormInfo(QUOR_PRN_FORM_INFO_TYPE* form);
  void _initColorInfo(QUOR_PRN_COLOR_INFO_TYPE* color);

  int32_t m_paperNo;      // paper of the last template form read; -1: the printer's own
  int32_t m_portrait;     // 1 when that paper is portrait
  int32_t m_paperWidth;   // tenths of a millimetre
  int32_t m_paperLength;  // tenths of a millimetre
  int32_t m_useStored;    // 1 while the lookup works from stored settings
  int32_t m_printerUsable;  // 0 after the printer lookup failed
};
