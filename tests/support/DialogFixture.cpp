#include "tests/support/DialogFixture.h"

#include "platform/mbcs/Cp932Converter.h"

namespace uitest {

namespace {

std::string JsonString(const std::string& cp932) {
  std::string out = "\"";
  for (char c : mbcs::Cp932Converter::ToUtf8Lossy(cp932)) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

}  // namespace

void DialogFixture::SetUp() {
  Sandbox::SetUp();
  UsePrinters({"Printer A", "Printer B"}, "Printer A");
}

void DialogFixture::UsePrinters(const std::vector<std::string>& names, const std::string& defaultPrinter) {
  std::string json = "{";
  if (!defaultPrinter.empty()) json += "\"default\": " + JsonString(defaultPrinter) + ", ";
  json += "\"printers\": [";
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) json += ", ";
    json += "{\"name\": " + JsonString(names[i]) + ", \"port\": \"lpt" + std::to_string(i + 1) +
            ":\", \"devmode\": {\"paper\": 9, \"bin\": 7}, "
            "\"papers\": [[9, \"A4\"], [8, \"A3\"], [13, \"B5 (JIS)\"]], "
            "\"bins\": [[7, \"Auto Select\"], [1, \"Tray 1\"]]}";
  }
  UseSpooler(json + "]}");
}

}  // namespace uitest
