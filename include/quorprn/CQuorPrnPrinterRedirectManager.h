// Redirected printer names. The host names, by regular expressions (ECMAScript,
// over code page 932 bytes), the ports that mark a redirected printer and the
// parts of such a printer's name that vary; the settings store then keeps the
// printer's settings under a stable redirect name ending in "!Redirected".
// No operation fails: each conversion always returns a string, and a pattern
// that does not compile never matches.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "quorprn/QuorPrnExport.h"

class QUORPRN_API CQuorPrnPrinterRedirectManager {
 public:
  CQuorPrnPrinterRedirectManager();
  CQuorPrnPrinterRedirectManager(const CQuorPrnPrinterRedirectManager&);
  CQuorPrnPrinterRedirectManager& operator=(const CQuorPrnPrinterRedirectManager&);
  virtual ~CQuorPrnPrinterRedirectManager();

  static void SetRedirectPrinterPortList(std::vector<std::string>& patterns);
  static void SetRedirectPrinterRemovePatternList(std::vector<std::string>& patterns);
  // The name to store for a printer with that port (unchanged unless the port
  // marks a redirected printer). Converted names are remembered for the life
  // of the process.
  static std::string GetRedirectPrinterName(const char* printerName, const char* portName);
  // The same with the port taken from the installed printer list.
  static std::string GetRedirectPrinterName(const char* printerName);
  // The installed printer that a stored redirect name stands for, or the
  // argument unchanged.
  static std::string GetRealPrinterName(const char* storedName);

  static std::vector<std::string> m_cRedirectPortNameArray;
  static std::vector<std::string> m_cRemovePatternArray;
  static std::unordered_map<std::string, std::string> m_cRedirectPrinterMap;

 private:
  friend class CQuorPrnPrinterRedirectManagerTestPeer;

  static int _IsRedirectPort(const char* portName);
  static std::string _ConvertRedirectPrinterName(const char* printerName);
  static int _REGEX_SEARCH(const std::string& text, const std::string& pattern);
  static int _REGEX_REPLACE(std::string& text, const std::string& replacement, const std::string& pattern);
};
