// What the printer-access tests share: a peer that reaches the class's private
// queries and fields, and a fixture with an in-memory hive, a virtual spooler
// whose call counters show what was asked, empty caches, a fresh printer list
// and a fresh printer-access object.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/registry/MemoryHive.h"
#include "platform/registry/Registry.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "platform/spooler/WinSpool.h"
#include "printer/CQuorPrnPrinterInfoManager.h"
#include "quorprn/CQuorPrnPrinterAccess.h"

class CQuorPrnPrinterAccessTestPeer {
 public:
  explicit CQuorPrnPrinterAccessTestPeer(CQuorPrnPrinterAccess& access) : a_(access) {}

  int32_t PrinterInfo(const char* printer, PRINTER_INFO_2A** out) { return a_._getPrinterInfo(printer, out); }
  int32_t DefaultOsPrinter(std::string& name) { return a_._getDefaultOsPrinter(name); }
  // The property query answered as "rc paper".
  std::string PropertyPaper(const char* printer, CPrnDevMode* holder) {
    int32_t paperNo = 0;
    int32_t rc = a_._getPropertyPaperNo(printer, holder, &paperNo);
    return std::to_string(rc) + " " + std::to_string(paperNo);
  }
  // The name queries, answered as "rc text".
  std::string PaperName(const char* printer, int32_t paperNo, std::string name = "stale") {
    int32_t rc = a_._getPrinterPaperName(printer, paperNo, name);
    return std::to_string(rc) + " " + name;
  }
  std::string Paper(const char* printer, int32_t paperNo) {
    std::string text, name;
    int32_t rc = a_._getPaper(printer, paperNo, text, name);
    return std::to_string(rc) + " " + text + " " + name;
  }
  std::string BinName(const char* printer, int32_t binNo) {
    std::string name = "stale";
    int32_t rc = a_._getBinName(printer, binNo, name);
    return std::to_string(rc) + " " + name;
  }
  void SetPaperSize(int32_t width, int32_t length) {
    a_.m_paperWidth = width;
    a_.m_paperLength = length;
  }
  int32_t UseStored() const { return a_.m_useStored; }
  int32_t PrinterUsable() const { return a_.m_printerUsable; }

 private:
  CQuorPrnPrinterAccess& a_;
};

// Printers of every shape the tests need. "Laser" lists A4 twice and is the
// default; "Trays" has a default source it does not list; "Mismatch" names
// fewer bins than it has; the "Bad..." printers fail one query each.
inline const char* kTestSpooler = R"json({"default": "Laser", "printers": [
  {"name": "Laser", "port": "lpt1:", "devmode": {"paper": 9, "bin": 7},
   "papers": [[9, "A4"], [8, "A3"], [13, "B5 (JIS)"], [9, "A4 Plain"]],
   "bins": [[7, "Auto Select"], [1, "Tray 1"], [2, "Tray 2"]]},
  {"name": "Colour", "port": "ipp://c", "devmode": {"paper": 8, "bin": 4},
   "papers": [[9, "A4"], [8, "A3"]], "bins": [[1, "Upper"], [4, "Manual Feed"]]},
  {"name": "Trays", "port": "t", "devmode": {"bin": 99}, "bins": [[1, "Upper"]]},
  {"name": "Mismatch", "port": "m", "bins": [[1, "A"], [2, "B"], [3, "C"]], "binNames": ["A", "B"]},
  {"name": "BadPapers", "port": "p", "papers": [[9, "A4"]], "fail": ["paperNames"]},
  {"name": "BadBins", "port": "p", "papers": [[9, "A4"]], "bins": [[1, "Upper"]], "fail": ["bins"]},
  {"name": "BadInfo", "port": "p", "fail": ["getPrinter"]},
  {"name": "BadOpen", "port": "p", "fail": ["open"]}]})json";

// A devmode holder asking for `paper` from `source`.
inline CPrnDevMode Holder(int16_t paper, int16_t source = 0) {
  DEVMODEA dm{};
  dm.dmSize = sizeof dm;
  dm.dmPaperSize = paper;
  dm.dmDefaultSource = source;
  CPrnDevMode holder;
  holder.SetDevMode(&dm, sizeof dm);
  return holder;
}

class PrinterAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hive = std::make_shared<registry::MemoryHive>();
    registry::Registry::UseHive(hive);
    UseSpooler(kTestSpooler);
    access = std::make_unique<CQuorPrnPrinterAccess>();
    vs->ResetCalls();
  }
  void TearDown() override {
    CQuorPrnPrinterAccess::CacheRefresh();
    spooler::Spooler::Reset();
    registry::Registry::Reset();
  }
  void UseSpooler(const std::string& json) {
    vs = spooler::VirtualSpooler::FromJson(json, "test spooler");
    ASSERT_EQ(vs->LoadError(), "");
    spooler::Spooler::UseBackend(vs);
    CQuorPrnPrinterAccess::CacheRefresh();
    CQuorPrnPrinterInfoManager::RefreshPrinters();
    vs->ResetCalls();
  }
  int Calls(const std::string& printer, const char* kind) const { return vs->Calls(printer, kind); }
  CQuorPrnPrinterAccessTestPeer Peer() { return CQuorPrnPrinterAccessTestPeer(*access); }

  std::shared_ptr<registry::MemoryHive> hive;
  std::shared_ptr<spooler::VirtualSpooler> vs;
  std::unique_ptr<CQuorPrnPrinterAccess> access;
};
