// The registry-key object behind MeraRegKeyCreateInstance: one open key at a
// time on the hive chosen by Registry. Opening a key reads all of its values
// at once, so that probing many names costs no further access to the hive.
#pragma once

#include <memory>
#include <string>

#include "platform/registry/MeraRegKey.h"
#include "platform/registry/RegistryHive.h"

namespace registry {

class RegistryKey : public CMeraRegKey {
 public:
  explicit RegistryKey(std::shared_ptr<RegistryHive> hive);

  void Release() override;
  int OpenKey(uint32_t root, const std::string& path, int flag) override;
  int CreateKey(uint32_t root, const std::string& path) override;
  int DeleteKey(uint32_t root, const std::string& path, int reserved) override;
  int GetNumber(const std::string& name, int32_t& value) override;
  int GetText(const std::string& name, std::string& value) override;
  int SetNumber(const std::string& name, int32_t value) override;
  int SetText(const std::string& name, const std::string& value) override;
  int EnumKeys(std::vector<std::string>& names) override;

 private:
  ~RegistryKey() override;
  int Fail(const RegError& error);
  int FailValue(const char* code, const char* what, const std::string& name);
  bool Before(RegOp op, const std::string& path, const std::string& name);
  bool CheckRoot(uint32_t root);
  // Inline: every probe of a value checks it.
  bool CheckOpen() { return open_ || FailNotOpen(); }
  bool FailNotOpen();
  int SetValue(RegOp op, const std::string& name, const RegValue& value);

  std::shared_ptr<RegistryHive> hive_;
  bool open_ = false;
  // Normalised path of the open key, shared with the thread's last error so
  // that a failed probe need not copy it.
  std::shared_ptr<const std::string> path_;
  KeySnapshot values_;
};

}  // namespace registry
