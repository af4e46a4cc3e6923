// What most test programs set up the same way, header only so that programs
// without Qt can use it: a virtual spooler from a JSON text, registry values
// written or read past the code under test, an environment variable changed
// for a scope, and a fixture with a fresh in-memory hive whose tear-down undoes
// every process-wide choice (hive, spooler, printer caches and list), so no
// test sees the machine's printers, registry or another test's leftovers.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/registry/MemoryHive.h"
#include "platform/registry/MeraRegKey.h"
#include "platform/registry/Registry.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "printer/CQuorPrnPrinterInfoManager.h"
#include "quorprn/CQuorPrnPrinterAccess.h"

namespace testsupport {

// The print settings key of system SYS, job JOB.
inline const std::string kPrintKey = "SOFTWARE\\Olvanet\\Sarvo\\SYS\\JOB\\Print";

// A virtual spooler of `json` made the spooler backend; the test fails when
// the document does not load.
inline std::shared_ptr<spooler::VirtualSpooler> UseSpooler(const std::string& json) {
  auto vs = spooler::VirtualSpooler::FromJson(json, "test spooler");
  EXPECT_EQ(vs->LoadError(), "");
  spooler::Spooler::UseBackend(vs);
  return vs;
}

using RegValue = std::variant<int32_t, std::string>;

// Creates `key` with these values, as a host stored them earlier.
inline void Seed(const std::string& key, std::initializer_list<std::pair<const char*, RegValue>> values = {}) {
  auto reg = MeraNewRegKey();
  ASSERT_TRUE(reg->CreateKey(HKEY_LOCAL_MACHINE, key)) << key;
  for (const auto& [name, v] : values) {
    if (const auto* n = std::get_if<int32_t>(&v)) {
      ASSERT_TRUE(reg->SetNumber(name, *n)) << name;
    } else {
      ASSERT_TRUE(reg->SetText(name, std::get<std::string>(v))) << name;
    }
  }
}

// A stored value read through the registry component; -1 / "<absent>" when
// the key or value is not there.
inline int32_t StoredNumber(const std::string& key, const std::string& name) {
  auto reg = MeraNewRegKey();
  int32_t v = -1;
  if (!reg->OpenKey(HKEY_LOCAL_MACHINE, key, /*write=*/0) || !reg->GetNumber(name, v)) return -1;
  return v;
}
inline std::string StoredText(const std::string& key, const std::string& name) {
  auto reg = MeraNewRegKey();
  std::string v;
  if (!reg->OpenKey(HKEY_LOCAL_MACHINE, key, /*write=*/0) || !reg->GetText(name, v)) return "<absent>";
  return v;
}

// Sets (or, with nullopt, unsets) an environment variable until the end of
// the scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(saved_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const std::optional<std::string>& value) {
    if (value) {
      setenv(name_.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name_.c_str());
    }
  }
  std::string name_;
  std::optional<std::string> saved_;
};

// LANG for a gallery language: "ja" (the template texts) or "en".
inline const char* LangOf(const std::string& language) { return language == "en" ? "en_US.UTF-8" : "C.UTF-8"; }

// A fresh in-memory hive for each test; UseSpooler installs a spooler and
// empties the printer caches and list, so that they are read from it.
class Sandbox : public ::testing::Test {
 protected:
  void SetUp() override {
    hive = std::make_shared<registry::MemoryHive>();
    registry::Registry::UseHive(hive);
  }
  void TearDown() override {
    // Empty caches and list, read from an empty spooler, not the machine's.
    UseSpooler(R"({"printers": []})");
    spooler::Spooler::Reset();
    registry::Registry::Reset();
  }
  void UseSpooler(const std::string& json) {
    vs = testsupport::UseSpooler(json);
    CQuorPrnPrinterAccess::CacheRefresh();
    CQuorPrnPrinterInfoManager::RefreshPrinters();
    vs->ResetCalls();
  }
  // A spooler with printers of these names (code page 932), each with papers
  // A4 (9), A3 (8), B5 (13) and bins "Auto Select" (7), "Tray 1" (1);
  // defaultPrinter "" leaves the system without a default.
  void UsePrinters(const std::vector<std::string>& names, const std::string& defaultPrinter) {
    auto quoted = [](const std::string& cp932) {
      std::string out = "\"";
      for (char c : mbcs::Cp932Converter::ToUtf8Lossy(cp932)) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
      }
      return out + "\"";
    };
    std::string json = defaultPrinter.empty() ? "{" : "{\"default\": " + quoted(defaultPrinter) + ", ";
    json += "\"printers\": [";
    for (size_t i = 0; i < names.size(); ++i) {
      json += (i > 0 ? ", {\"name\": " : "{\"name\": ") + quoted(names[i]) + ", \"port\": \"lpt" +
              std::to_string(i + 1) + ":\", \"devmode\": {\"paper\": 9, \"bin\": 7}, "
              "\"papers\": [[9, \"A4\"], [8, \"A3\"], [13, \"B5 (JIS)\"]], "
              "\"bins\": [[7, \"Auto Select\"], [1, \"Tray 1\"]]}";
    }
    UseSpooler(json + "]}");
  }

  std::shared_ptr<registry::MemoryHive> hive;
  std::shared_ptr<spooler::VirtualSpooler> vs;
};

}  // namespace testsupport
