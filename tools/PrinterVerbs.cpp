#include "tools/PrinterVerbs.h"

#include <vector>

#include "platform/spooler/WinSpool.h"
#include "printer/CQuorPrnPrinterInfoManager.h"
#include "tools/CommandError.h"
#include "tools/TerminalText.h"

namespace tools {
namespace {

std::string U(const std::string& cp932) { return TerminalText::ToTerminal(cp932); }

// Numbers and their names, paired as the driver reports them; the counts of
// the two queries must agree, as the library's own paper resolution demands.
nlohmann::json Capabilities(const std::string& name, const std::string& port, uint16_t numbersCap,
                            uint16_t namesCap, int field, std::string* error) {
  int count = DeviceCapabilitiesA(name.c_str(), port.c_str(), numbersCap, nullptr, nullptr);
  int nameCount = DeviceCapabilitiesA(name.c_str(), port.c_str(), namesCap, nullptr, nullptr);
  if (count < 0 || nameCount < 0 || count != nameCount) {
    *error = "the driver's lists disagree or failed";
    return nlohmann::json::array();
  }
  std::vector<uint16_t> numbers(static_cast<size_t>(count) + 1);
  std::vector<char> names(static_cast<size_t>(count + 1) * field, '\0');
  DeviceCapabilitiesA(name.c_str(), port.c_str(), numbersCap, reinterpret_cast<char*>(numbers.data()), nullptr);
  DeviceCapabilitiesA(name.c_str(), port.c_str(), namesCap, names.data(), nullptr);
  nlohmann::json list = nlohmann::json::array();
  for (int i = 0; i < count; ++i) {
    std::string n(&names[static_cast<size_t>(i) * field], static_cast<size_t>(field));
    n.resize(n.find('\0') == std::string::npos ? n.size() : n.find('\0'));
    list.push_back({{"Number", numbers[static_cast<size_t>(i)]}, {"Name", U(n)}});
  }
  return list;
}

}  // namespace

void PrinterVerbs::Register(CLI::App& app, CommandContext& ctx) {
  app.add_subcommand("printers", "list the installed printers: state, driver, location, comment, port; * = default")
      ->callback([this, &ctx] { ctx.Select([this](CommandContext& c) { return Printers(c); }); });
  CLI::App* one = app.add_subcommand("printer", "one printer's papers, bins and device settings");
  one->add_option("NAME", name_, "printer name as the spooler lists it")->required();
  one->callback([this, &ctx] { ctx.Select([this](CommandContext& c) { return Printer(c); }); });
}

int PrinterVerbs::Printers(CommandContext& ctx) {
  if (!CQuorPrnPrinterInfoManager::RefreshPrinters())
    return ctx.out.Fail(CommandError::kFailure, "the spooler's printer list could not be read");
  std::string def;
  bool hasDefault = GetDefaultPrinterName(&def);
  auto& list = ctx.out.Data()["printers"] = nlohmann::json::array();
  int count = CQuorPrnPrinterInfoManager::GetPrinterCount();
  for (int i = 0; i < count; ++i) {
    const PrinterInfo* p = CQuorPrnPrinterInfoManager::GetPrinterAt(i);
    bool isDefault = hasDefault && p->printerName == def;
    list.push_back({{"PrinterName", U(p->printerName)}, {"Status", U(p->statusText)}, {"Driver", U(p->driverName)},
                    {"Location", U(p->location)}, {"Comment", U(p->comment)}, {"Port", U(p->portName)},
                    {"Default", isDefault}});
    ctx.out.Text(std::string(isDefault ? "* " : "  ") + U(p->printerName));
    ctx.out.Text("    state: " + U(p->statusText) + "   driver: " + U(p->driverName) + "   location: " +
                 U(p->location) + "   comment: " + U(p->comment) + "   port: " + U(p->portName));
  }
  if (count == 0) ctx.out.Text("no printers installed");
  return ctx.out.Success();
}

int PrinterVerbs::Printer(CommandContext& ctx) {
  std::string name = TerminalText::ToLibrary(name_, "the printer name");
  const PrinterInfo* info = CQuorPrnPrinterInfoManager::FindPrinter(name);
  if (!info) return ctx.out.Fail(CommandError::kFailure, "no printer named \"" + name_ + "\" is installed");
  auto& data = ctx.out.Data();
  data["PrinterName"] = U(info->printerName);
  data["Status"] = U(info->statusText);
  data["Driver"] = U(info->driverName);
  data["Port"] = U(info->portName);
  ctx.out.Text(U(info->printerName) + "   state: " + U(info->statusText) + "   driver: " + U(info->driverName) +
               "   port: " + U(info->portName));

  HANDLE handle = nullptr;
  if (OpenPrinterA(name.c_str(), &handle, nullptr)) {
    uint32_t needed = 0;
    GetPrinterA(handle, 2, nullptr, 0, &needed);
    std::vector<unsigned char> buffer(needed);
    if (needed && GetPrinterA(handle, 2, buffer.data(), needed, &needed)) {
      const auto* p2 = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
      if (p2->pDevMode) {
        const DEVMODEA* dm = p2->pDevMode;
        data["DevMode"] = {{"PaperSize", dm->dmPaperSize},
                           {"DefaultSource", dm->dmDefaultSource},
                           {"Orientation", dm->dmOrientation}};
        ctx.out.Text("device settings: paper " + std::to_string(dm->dmPaperSize) + ", bin " +
                     std::to_string(dm->dmDefaultSource) + ", orientation " +
                     (dm->dmOrientation == DMORIENT_LANDSCAPE ? "landscape" : "portrait"));
      }
    }
    ClosePrinter(handle);
  } else {
    ctx.out.Problem("the printer cannot be opened; device settings unknown");
  }

  std::string error;
  data["Papers"] = Capabilities(name, info->portName, DC_PAPERS, DC_PAPERNAMES, kPaperNameField, &error);
  if (!error.empty()) ctx.out.Problem("papers: " + error);
  error.clear();
  data["Bins"] = Capabilities(name, info->portName, DC_BINS, DC_BINNAMES, kBinNameField, &error);
  if (!error.empty()) ctx.out.Problem("bins: " + error);
  for (const char* key : {"Papers", "Bins"}) {
    ctx.out.Text(std::string(key[0] == 'P' ? "papers:" : "bins:"));
    for (const auto& e : data[key])
      ctx.out.Text("  " + std::to_string(e["Number"].get<int>()) + "  " + e["Name"].get<std::string>());
  }
  return ctx.out.Success();
}

}  // namespace tools
