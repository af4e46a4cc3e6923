// The virtual spooler's JSON loader on arbitrary bytes, and, for a document
// that loads, every platform-shaped call on what it describes: enumeration
// and level-2 information with their size protocol, the capability queries
// with their count protocol, the default printer and the printer list. A
// document either loads or leaves an empty list and a message.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "platform/spooler/WinSpool.h"
#include "printer/CQuorPrnPrinterInfoManager.h"

namespace {

void Capabilities(const char* printer) {
  for (uint16_t cap : {DC_PAPERS, DC_PAPERNAMES, DC_BINS, DC_BINNAMES}) {
    int n = DeviceCapabilitiesA(printer, nullptr, cap, nullptr, nullptr);
    if (n < 0) continue;
    size_t width = cap == DC_PAPERNAMES ? kPaperNameField : cap == DC_BINNAMES ? kBinNameField : sizeof(uint16_t);
    std::vector<char> out(static_cast<size_t>(n) * width + 1);
    int got = DeviceCapabilitiesA(printer, nullptr, cap, out.data(), nullptr);
    if (got > n) std::abort();
    if (cap == DC_PAPERNAMES || cap == DC_BINNAMES) {
      for (int i = 0; i < got; ++i)
        if (out[static_cast<size_t>(i) * width + width - 1] != '\0') std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string json(reinterpret_cast<const char*>(data), size);
  auto virt = spooler::VirtualSpooler::FromJson(json, "fuzz");
  std::vector<spooler::PrinterEntry> entries;
  std::string error;
  bool listed = virt->Enumerate(&entries, &error);
  if (!virt->LoadError().empty() && (!listed || !entries.empty())) std::abort();
  if (!virt->LoadError().empty()) return 0;

  spooler::Spooler::UseBackend(virt);
  uint32_t needed = 0, returned = 0;
  EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
  if (needed > 0) {
    std::vector<unsigned char> buffer(needed);
    if (EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &returned)) {
      auto* infos = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
      for (uint32_t i = 0; i < returned; ++i) {
        const char* name = infos[i].pPrinterName;
        if (!name) std::abort();
        HANDLE h = nullptr;
        if (OpenPrinterA(name, &h, nullptr) && h) {
          uint32_t need = 0;
          GetPrinterA(h, 2, nullptr, 0, &need);
          if (need > 0) {
            std::vector<unsigned char> one(need);
            GetPrinterA(h, 2, one.data(), need, &need);
          }
          ClosePrinter(h);
        }
        Capabilities(name);
        CQuorPrnPrinterInfoManager::GetStatusText(infos[i].Status);
      }
    }
  }
  std::string def;
  GetDefaultPrinterName(&def);
  CQuorPrnPrinterInfoManager::RefreshPrinters();
  for (int i = 0; i < CQuorPrnPrinterInfoManager::GetPrinterCount(); ++i) {
    const PrinterInfo* info = CQuorPrnPrinterInfoManager::GetPrinterAt(i);
    if (!info || CQuorPrnPrinterInfoManager::FindPrinter(info->printerName) == nullptr) std::abort();
  }
  spooler::Spooler::Reset();
  return 0;
}
