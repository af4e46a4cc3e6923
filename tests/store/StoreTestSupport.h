// Shared set-up of the settings store's tests: a fresh in-memory hive per
// test, the registry's error reports captured, and helpers that seed keys and
// spell out the hive's dump lines, so expectations read as registry layout.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/registry/MemoryHive.h"
#include "platform/registry/MeraRegKey.h"
#include "platform/registry/Registry.h"
#include "store/CQuorPrnSettingStore.h"

namespace storetest {

inline const std::string kBase = "SOFTWARE\\Olvanet\\Sarvo\\SYS\\JOB";
inline const std::string kSet = kBase + "\\Print\\PrinterSet03";

using Value = std::variant<int32_t, std::string>;

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
  const auto u = static_cast<uint32_t>(v);
  std::string le{static_cast<char>(u & 0xff), static_cast<char>((u >> 8) & 0xff), static_cast<char>((u >> 16) & 0xff),
                 static_cast<char>(u >> 24)};
  return key + "\t" + name + "=4:" + Hex(le);
}
inline std::string Txt(const std::string& key, const std::string& name, const std::string& t) {
  return key + "\t" + name + "=1:" + Hex(t);
}

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hive = std::make_shared<registry::MemoryHive>();
    registry::Registry::UseHive(hive);
    registry::SetErrorSink([this](const std::string& line) { reports.push_back(line); });
  }
  void TearDown() override {
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
  void Fail(registry::RegOp op, const std::string& path, const std::string& name = "", bool persistent = false,
            const std::string& code = "ECR051") {
    hive->InjectFault({op, path, name, code, "injected", persistent});
  }
  std::vector<std::string> Dump() const { return hive->Dump("SOFTWARE\\Olvanet\\Sarvo"); }

  std::shared_ptr<registry::MemoryHive> hive;
  std::vector<std::string> reports;
};

inline std::vector<std::string> PaletteNames(const CQuorPrnSettingStore::Palette& p) {
  std::vector<std::string> out;
  for (const auto& e : p) out.push_back(e->Name);
  return out;
}

}  // namespace storetest
