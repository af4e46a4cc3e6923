// Shared set-up of the settings store's tests: a fresh in-memory hive per
// test, the registry's error reports captured, and helpers that seed keys,
// build records and spell out the hive's dump lines, so expectations read as
// registry layout.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "quorprn/CQuorPrnPrinterRedirectManager.h"
#include "store/CQuorPrnSettingStore.h"
#include "tests/support/Sandbox.h"

namespace storetest {

using registry::RegOp;
using testsupport::Seed;
using Items = std::vector<std::string>;

inline const std::string kBase = "SOFTWARE\\Olvanet\\Sarvo\\SYS\\JOB";
inline const std::string kSet = kBase + "\\Print\\PrinterSet03";
// The installed session printer, and the key its settings live under.
inline const char* const kSessionPrinter = "\\\\srv\\Label (session 7)";
inline const std::string kSessionKey = kSet + "\\,,srv,Label!Redirected";

inline std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[4];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02x", c);
    out += buf;
  }
  return out;
}
inline std::string Num(const std::string& key, const std::string& name, int32_t v) {
  std::string le(4, '\0');
  for (int i = 0; i < 4; ++i) le[i] = static_cast<char>(static_cast<uint32_t>(v) >> (8 * i));
  return key + "\t" + name + "=4:" + Hex(le);
}
inline std::string Txt(const std::string& key, const std::string& name, const std::string& t) {
  return key + "\t" + name + "=1:" + Hex(t);
}
// The dump lines of several number (or text) values of `key`, written
// "Name=value Name=value"; numbers may be written in hex ("0x12").
inline Items Values(const std::string& key, const std::string& pairs, bool text) {
  Items out;
  std::istringstream in(pairs);
  for (std::string item; in >> item;) {
    const std::string name = item.substr(0, item.find('=')), value = item.substr(item.find('=') + 1);
    out.push_back(text ? Txt(key, name, value) : Num(key, name, static_cast<int32_t>(std::stol(value, nullptr, 0))));
  }
  return out;
}
inline Items Nums(const std::string& key, const std::string& pairs) { return Values(key, pairs, false); }
inline Items Txts(const std::string& key, const std::string& pairs) { return Values(key, pairs, true); }
// Dump lines joined and sorted as the hive's dump lists them.
inline Items Layout(std::initializer_list<Items> parts) {
  Items out;
  for (const Items& part : parts) out.insert(out.end(), part.begin(), part.end());
  std::sort(out.begin(), out.end());
  return out;
}

inline QUOR_PRN_PRINTER_INFO_TYPE Printer(const std::string& name, int32_t offsetX = 0) {
  QUOR_PRN_PRINTER_INFO_TYPE p;
  p.PrinterName = name;
  p.OffsetX = offsetX;
  return p;
}
inline QUOR_PRN_FORM_INFO_TYPE Form(const std::string& name) {
  QUOR_PRN_FORM_INFO_TYPE f;
  f.FormName = name;
  return f;
}
inline std::unique_ptr<MERA_PRN_COLOR_PALETTE_TYPE> Entry(const std::string& name, int32_t color) {
  return std::make_unique<MERA_PRN_COLOR_PALETTE_TYPE>(MERA_PRN_COLOR_PALETTE_TYPE{name, color});
}
// A palette as "name=colour" items.
inline Items Colours(const CQuorPrnSettingStore::Palette& palette) {
  Items out;
  for (const auto& e : palette) out.push_back(e->Name + "=" + std::to_string(e->Color));
  return out;
}

class StoreTest : public testsupport::Sandbox {
 protected:
  void SetUp() override {
    Sandbox::SetUp();
    registry::SetErrorSink([this](const std::string& line) { reports.push_back(line); });
    // Two installed printers: a session printer whose port marks it as
    // redirected (its session number varies from run to run) and an
    // ordinary one.
    UseSpooler(R"js({"printers": [
      {"name": "\\\\srv\\Label (session 7)", "port": "rdp://client/7"},
      {"name": "Plain", "port": "usb://plain"}]})js");
    Redirect({"^rdp:"}, {" \\(session [0-9]+\\)"});
  }
  void TearDown() override {
    Redirect({}, {});
    registry::SetErrorSink(nullptr);
    Sandbox::TearDown();
  }
  static void Redirect(std::vector<std::string> ports, std::vector<std::string> remove) {
    CQuorPrnPrinterRedirectManager::SetRedirectPrinterPortList(ports);
    CQuorPrnPrinterRedirectManager::SetRedirectPrinterRemovePatternList(remove);
  }
  // Makes the next `op` on `path` (and value `name`) fail once.
  void Fail(RegOp op, const std::string& path, const std::string& name = "", const std::string& code = "ECR051") {
    hive->InjectFault({op, path, name, code, "injected", false});
  }
  std::vector<std::string> Dump() const { return hive->Dump("SOFTWARE\\Olvanet\\Sarvo"); }

  std::vector<std::string> reports;
};

}  // namespace storetest
