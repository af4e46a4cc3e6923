// The process-wide list of the printers that the spooler reports, in its
// enumeration order, with a name index and a loaded flag. Every operation is
// static; an instance holds nothing. Not locked: callers share the list from
// the host's user-interface thread. Pointers handed out stay valid until the
// next RefreshPrinters. Enumeration may block on a print server.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "printer/PrinterInfo.h"

class CQuorPrnPrinterInfoManager {
 public:
  CQuorPrnPrinterInfoManager();
  virtual ~CQuorPrnPrinterInfoManager();

  // Enumerates the printers again and replaces the whole list: 1 on success,
  // else 0 with an empty list.
  static int RefreshPrinters();
  // The operations below enumerate first while the list has never loaded.
  static int GetPrinterCount();
  // Null for an index outside the list.
  static const PrinterInfo* GetPrinterAt(int index);
  // Exact, case-sensitive name; with duplicate names the last entry. Null when
  // the printer is not listed.
  static const PrinterInfo* FindPrinter(const std::string& printerName);
  // Position of the last entry of that name, or -1.
  static int GetPrinterIndex(const std::string& printerName);
  // Empties `names` and fills it with every printer name in list order.
  static void GetPrinterNames(std::vector<std::string>& names);
  // The localised text of the lowest known status bit ("" for none).
  static std::string GetStatusText(uint32_t status);

 private:
  friend class CQuorPrnPrinterInfoManagerTestPeer;

  static void _ensureLoaded();

  static std::vector<PrinterInfo> m_cPrinterList;
  static std::unordered_map<std::string, int> m_cPrinterIndex;
  static bool m_bLoaded;
};
