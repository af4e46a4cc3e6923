// A small host that stores one printer set the way the library lays it out in
// the machine-wide hive, then reads it back through a fresh registry-key
// object and prints it. It writes only the hive file named on its command
// line, never the machine-wide one.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/registry/MeraRegKey.h"
#include "platform/registry/Registry.h"

namespace {

const char* kSetKey = "SOFTWARE\\Olvanet\\Sarvo\\DEMO\\JOB\\Print\\PrinterSet00";

struct Correction {
  const char* name;
  int32_t value;
  const char* unit;  // how a tenth of the stored number reads
};
const Correction kCorrections[] = {
    {"OffsetX", 15, "mm"}, {"OffsetY", -5, "mm"}, {"ScaleX", 985, "%"}, {"ScaleY", 1000, "%"}, {"ScaleFix", 0, ""},
};

// A printer name never becomes a key name as it is: its backslashes would
// split the key.
std::string KeyName(std::string printer) {
  for (char& c : printer)
    if (c == '\\') c = ',';
  return printer;
}

std::string Shown(const std::string& cp932) { return mbcs::Cp932Converter::ToUtf8Lossy(cp932); }

int Fail(const char* what) {
  std::fprintf(stderr, "quorprn_demo: %s failed\n", what);
  MeraLastErrorCode(/*report=*/true);
  return 1;
}

int Write(const std::string& printer) {
  auto key = MeraNewRegKey();
  if (!key->CreateKey(HKEY_LOCAL_MACHINE, kSetKey)) return Fail("creating the printer set");
  if (!key->SetText("CurrentPrinter", printer)) return Fail("writing CurrentPrinter");
  if (!key->CreateKey(HKEY_LOCAL_MACHINE, std::string(kSetKey) + "\\" + KeyName(printer)))
    return Fail("creating the printer key");
  for (const auto& c : kCorrections)
    if (!key->SetNumber(c.name, c.value)) return Fail("writing a correction");
  return 0;
}

int Read() {
  auto key = MeraNewRegKey();
  std::string printer;
  if (!key->OpenKey(HKEY_LOCAL_MACHINE, kSetKey, /*write=*/0) || !key->GetText("CurrentPrinter", printer))
    return Fail("reading the printer set");
  std::vector<std::string> keys;
  if (!key->EnumKeys(keys)) return Fail("listing the printers");
  std::printf("%s\n  CurrentPrinter = %s\n", kSetKey, Shown(printer).c_str());
  for (const auto& name : keys) {
    std::printf("  printer key %s\n", Shown(name).c_str());
    if (!key->OpenKey(HKEY_LOCAL_MACHINE, std::string(kSetKey) + "\\" + name, /*write=*/0))
      return Fail("opening a printer key");
    for (const auto& c : kCorrections) {
      int32_t n = 0;
      if (!key->GetNumber(c.name, n)) return Fail("reading a correction");
      if (*c.unit)
        std::printf("    %-8s = %5d  (%.1f %s)\n", c.name, n, n / 10.0, c.unit);
      else
        std::printf("    %-8s = %5d\n", c.name, n);
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorprn_demo HIVE-FILE\n");
    return 2;
  }
  registry::Registry::UseFile(argv[1]);
  std::printf("hive: %s\n", argv[1]);
  std::string printer = mbcs::Cp932("\\\\demo-server\\経理プリンタ");
  if (int rc = Write(printer)) return rc;
  return Read();
}
