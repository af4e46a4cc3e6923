// Placeholder until the CUPS backend lands: no printers, every query fails.
#include "platform/cups/CupsSpooler.h"

namespace spooler {
namespace {
class NoCups : public SpoolerBackend {
 public:
  bool Enumerate(std::vector<PrinterEntry>* out, std::string*) override {
    out->clear();
    return true;
  }
  bool Open(const std::string&, std::string* e) override { return Fail(e); }
  bool GetPrinter(const std::string&, PrinterEntry*, std::string* e) override { return Fail(e); }
  bool Capabilities(const std::string&, uint16_t, std::vector<uint16_t>*, std::vector<std::string>*,
                    std::string* e) override {
    return Fail(e);
  }
  bool DefaultPrinter(std::string*, std::string* e) override { return Fail(e); }
  std::string Describe() const override { return "CUPS (not built)"; }

 private:
  static bool Fail(std::string* e) {
    if (e) *e = "the CUPS backend is not built";
    return false;
  }
};
}  // namespace

std::shared_ptr<SpoolerBackend> OpenCupsSpooler() { return std::make_shared<NoCups>(); }

}  // namespace spooler
