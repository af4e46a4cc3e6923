// Shared pieces of every hive: value encoding, the key snapshot and the path
// rules (code-page-932-aware splitting, case folding, enumeration order).
#include "platform/registry/RegistryHive.h"

#include <cstring>

#include "platform/mbcs/Mbcs.h"

namespace registry {

RegValue RegValue::Number(int32_t n) {
  uint32_t u = static_cast<uint32_t>(n);
  std::string data(4, '\0');
  for (int i = 0; i < 4; ++i) data[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
  return {kRegDword, data};
}

bool RegValue::AsNumber(int32_t* out) const {
  if (type != kRegDword || data.size() != 4) return false;
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
  *out = static_cast<int32_t>(u);
  return true;
}

void KeySnapshot::Clear() {
  values_.clear();
  index_.clear();
}

void KeySnapshot::Put(const std::string& name, const RegValue& value) {
  std::string key = FoldName(name);
  auto it = index_.find(key);
  if (it != index_.end()) {
    // A replaced value keeps the case it was created with, as the registry does.
    values_[it->second].value = value;
    return;
  }
  index_.emplace(std::move(key), values_.size());
  values_.push_back({name, value});
}

void KeySnapshot::Remove(const std::string& name) {
  auto it = index_.find(FoldName(name));
  if (it == index_.end()) return;
  size_t pos = it->second;
  values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(pos));
  index_.erase(it);
  for (auto& [k, p] : index_)
    if (p > pos) --p;
}

const NamedValue* KeySnapshot::Find(const std::string& name) const {
  auto it = index_.find(FoldName(name));
  return it == index_.end() ? nullptr : &values_[it->second];
}

std::vector<NamedValue> KeySnapshot::Values() const { return values_; }

const char* RegOpName(RegOp op) {
  switch (op) {
    case RegOp::OpenKey: return "OpenKey";
    case RegOp::CreateKey: return "CreateKey";
    case RegOp::DeleteKey: return "DeleteKey";
    case RegOp::GetNumber: return "GetNumber";
    case RegOp::GetText: return "GetText";
    case RegOp::SetNumber: return "SetNumber";
    case RegOp::SetText: return "SetText";
    case RegOp::EnumKeys: return "EnumKeys";
  }
  return "?";
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string cur;
  for (size_t i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (mbcs::IsLeadByte(c) && i + 1 < path.size()) {
      cur += path[i];
      cur += path[++i];
      continue;
    }
    if (c == '\\') {
      if (!cur.empty()) parts.push_back(std::move(cur));
      cur.clear();
      continue;
    }
    cur += path[i];
  }
  if (!cur.empty()) parts.push_back(std::move(cur));
  return parts;
}

std::string JoinPath(const std::vector<std::string>& parts) {
  std::string out;
  for (const auto& p : parts) {
    if (!out.empty()) out += '\\';
    out += p;
  }
  return out;
}

std::string FoldName(const std::string& name) { return mbcs::ToUpper(name); }

bool NameLess(const std::string& a, const std::string& b) {
  int c = mbcs::CompareNoCase(a, b);
  if (c != 0) return c < 0;
  return a < b;
}

}  // namespace registry
