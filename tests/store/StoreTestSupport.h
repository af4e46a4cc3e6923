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
#include <utility>
#include <variant>
#include <vector>

#include "platform/registry/MemoryHive.h"
#include "platform/registry/MeraRegKey.h"
#include "platform/registry/Registry.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "printer/CQuorPrnPrinterInfoManager.h"
#include "quorprn/CQuorPrnPrinterRedirectManager.h"
#include "store/CQuorPrnSettingStore.h"

namespace storetest {

using registry::RegOp;
using Items = std::vector<std::string>;
using Value = std::variant<int32_t, std::string>;

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

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hive = std::make_shared<registry::MemoryHive>();
    registry::Registry::UseHive(hive);
    registry::SetErrorSink([this](const std::string& line) { reports.push_back(line); });
    // Two installed printers: a session printer whose port marks it as
    // redirected (its session number varies from run to run) and an
    // ordinary one.
    spooler::Spooler::UseBackend(spooler::VirtualSpooler::FromJson(R"js({"printers": [
      {"name": "\\\\srv\\Label (session 7)", "port": "rdp://client/7"},
      {"name": "Plain", "port": "usb://plain"}]})js"));
    CQuorPrnPrinterInfoManager::RefreshPrinters();
    std::vector<std::string> ports{"^rdp:"};
    std::vector<std::string> remove{" \\(session [0-9]+\\)"};
    CQuorPrnPrinterRedirectManager::SetRedirectPrinterPortList(ports);
    CQuorPrnPrinterRedirectManager::SetRedirectPrinterRemovePatternList(remove);
  }
  void TearDown() override {
    std::vector<std::string> none;
    CQuorPrnPrinterRedirectManager::SetRedirectPrinterPortList(none);
    CQuorPrnPrinterRedirectManager::SetRedirectPrinterRemovePatternList(none);
    spooler::Spooler::Reset();
    registry::SetErrorSink(nullptr);
    registry::Registry::Reset();
  }

  // Creates `key` with the given values, bypassing the store.
  void Seed(const std::string& key, std::initializer_list<std::pair<const char*, Value>> values = {}) {
    auto reg = MeraNewRegKey();
    ASSERT_TRUE(reg->CreateKey(HKEY_LOCAL_MACHINE, key)) << key;
    for (const auto& [name, v] : values) {
      if (const auto* n = std::get_if<int32_t>(&v)) {
        ASSERT_TRUE(reg->SetNumber(name, *n));
      } else {
        ASSERT_TRUE(reg->SetText(name, std::get<std::string>(v)));
      }
    }
  }
  // Makes the next `op` on `path` (and value `name`) fail once.
  void Fail(RegOp op, const std::string& path, const std::string& name = "", const std::string& code = "ECR051") {
    hive->InjectFault({op, path, name, code, "injected", false});
  }
  std::vector<std::string> Dump() const { return hive->Dump("SOFTWARE\\Olvanet\\Sarvo"); }

  std::shared_ptr<registry::MemoryHive> hive;
  std::vector<std::string> reports;
};

}  // namespace storetest
