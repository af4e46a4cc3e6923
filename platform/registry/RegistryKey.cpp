// Registry-key object: translates the component's calls into hive operations
// and records each failure as the thread's last error.
#include "platform/registry/RegistryKey.h"

namespace registry {

RegistryKey::RegistryKey(std::shared_ptr<RegistryHive> hive)
    : hive_(std::move(hive)), path_(std::make_shared<const std::string>()) {}
RegistryKey::~RegistryKey() = default;

void RegistryKey::Release() { delete this; }

int RegistryKey::Fail(const RegError& error) {
  SetLastError(error);
  return 0;
}

int RegistryKey::FailValue(const char* code, const char* what, const std::string& name) {
  SetLastValueError(code, what, path_, name);
  return 0;
}

bool RegistryKey::Before(RegOp op, const std::string& path, const std::string& name) {
  RegError err;
  if (hive_->BeforeOperation(op, path, name, &err)) return true;
  Fail(err);
  return false;
}

bool RegistryKey::CheckRoot(uint32_t root) {
  if (root == HKEY_LOCAL_MACHINE) return true;
  Fail({kInvalid, "only HKEY_LOCAL_MACHINE is supported"});
  return false;
}

bool RegistryKey::FailNotOpen() {
  Fail({kInvalid, "no key is open"});
  return false;
}

int RegistryKey::OpenKey(uint32_t root, const std::string& path, int flag) {
  std::string p = NormalPath(path);
  if (!Before(RegOp::OpenKey, p, "") || !CheckRoot(root)) return 0;
  KeySnapshot snapshot;
  RegError err;
  if (!hive_->ReadKey(p, flag != 0, &snapshot, &err)) return Fail(err);
  values_ = std::move(snapshot);
  path_ = std::make_shared<const std::string>(std::move(p));
  open_ = true;
  return 1;
}

int RegistryKey::CreateKey(uint32_t root, const std::string& path) {
  std::string p = NormalPath(path);
  if (!Before(RegOp::CreateKey, p, "") || !CheckRoot(root)) return 0;
  RegError err;
  KeySnapshot snapshot;
  if (!hive_->CreateKey(p, &err)) return Fail(err);
  if (!hive_->ReadKey(p, true, &snapshot, &err)) return Fail(err);
  values_ = std::move(snapshot);
  path_ = std::make_shared<const std::string>(std::move(p));
  open_ = true;
  return 1;
}

int RegistryKey::DeleteKey(uint32_t root, const std::string& path, int) {
  std::string p = NormalPath(path);
  if (!Before(RegOp::DeleteKey, p, "") || !CheckRoot(root)) return 0;
  RegError err;
  if (!hive_->DeleteKey(p, &err)) return Fail(err);
  return 1;
}

int RegistryKey::GetNumber(const std::string& name, int32_t& value) {
  if (!Before(RegOp::GetNumber, *path_, name) || !CheckOpen()) return 0;
  const NamedValue* v = values_.Find(name);
  if (!v) return FailValue(kNotFound, "value does not exist: ", name);
  int32_t n;
  if (!v->value.AsNumber(&n)) return FailValue(kWrongType, "value is not a number: ", name);
  value = n;
  return 1;
}

int RegistryKey::GetText(const std::string& name, std::string& value) {
  if (!Before(RegOp::GetText, *path_, name) || !CheckOpen()) return 0;
  const NamedValue* v = values_.Find(name);
  if (!v) return FailValue(kNotFound, "value does not exist: ", name);
  if (v->value.type != kRegSz) return FailValue(kWrongType, "value is not a text: ", name);
  value = v->value.data;
  return 1;
}

int RegistryKey::SetValue(RegOp op, const std::string& name, const RegValue& value) {
  if (!Before(op, *path_, name) || !CheckOpen()) return 0;
  RegError err;
  if (!hive_->SetValue(*path_, name, value, &err)) return Fail(err);
  values_.Put(name, value);
  return 1;
}

int RegistryKey::SetNumber(const std::string& name, int32_t value) {
  return SetValue(RegOp::SetNumber, name, RegValue::Number(value));
}

int RegistryKey::SetText(const std::string& name, const std::string& value) {
  return SetValue(RegOp::SetText, name, RegValue::Text(value));
}

int RegistryKey::EnumKeys(std::vector<std::string>& names) {
  if (!Before(RegOp::EnumKeys, *path_, "") || !CheckOpen()) return 0;
  RegError err;
  if (!hive_->EnumKeys(*path_, &names, &err)) return Fail(err);
  return 1;
}

}  // namespace registry
