// A hive that could not be opened: every operation fails with the code and
// message it was made with, so that callers see the real cause instead of an
// empty registry.
#pragma once

#include "platform/registry/RegistryHive.h"

namespace registry {

class FailedHive : public RegistryHive {
 public:
  explicit FailedHive(RegError error) : error_(std::move(error)) {}

  bool ReadKey(const std::string&, bool, KeySnapshot*, RegError* err) override { return Fail(err); }
  bool CreateKey(const std::string&, RegError* err) override { return Fail(err); }
  bool DeleteKey(const std::string&, RegError* err) override { return Fail(err); }
  bool SetValue(const std::string&, const std::string&, const RegValue&, RegError* err) override {
    return Fail(err);
  }
  bool DeleteValue(const std::string&, const std::string&, RegError* err) override { return Fail(err); }
  bool EnumKeys(const std::string&, std::vector<std::string>*, RegError* err) override { return Fail(err); }
  bool DeleteTree(const std::string&, RegError* err) override { return Fail(err); }
  bool Transaction(const std::function<bool(RegError*)>&, RegError* err) override { return Fail(err); }
  std::string Describe() const override { return "unusable hive: " + error_.message; }

 private:
  bool Fail(RegError* err) const {
    if (err) *err = error_;
    return false;
  }
  RegError error_;
};

}  // namespace registry
