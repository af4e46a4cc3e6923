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

size_t KeySnapshot::FoldedHash::operator()(const std::string& folded) const noexcept {
  uint64_t h = 14695981039346656037ull;  // FNV-1a
  for (unsigned char c : folded) h = (h ^ c) * 1099511628211ull;
  return static_cast<size_t>(h);
}

KeySnapshot::Data& KeySnapshot::Mutable() {
  if (!data_) {
    data_ = std::make_shared<Data>();
  } else if (data_.use_count() > 1) {
    data_ = std::make_shared<Data>(*data_);
  }
  return *data_;
}

void KeySnapshot::Clear() { data_.reset(); }

void KeySnapshot::Put(const std::string& name, const RegValue& value) {
  Data& d = Mutable();
  std::string key = FoldName(name);
  auto it = d.index.find(key);
  if (it != d.index.end()) {
    // A replaced value keeps the case it was created with, as the registry does.
    d.values[it->second].value = value;
    return;
  }
  d.index.emplace(std::move(key), d.values.size());
  d.values.push_back({name, value});
}

void KeySnapshot::Remove(const std::string& name) {
  if (!data_ || !Find(name)) return;
  Data& d = Mutable();
  auto it = d.index.find(FoldName(name));
  size_t pos = it->second;
  d.values.erase(d.values.begin() + static_cast<std::ptrdiff_t>(pos));
  d.index.erase(it);
  for (auto& [k, p] : d.index)
    if (p > pos) --p;
}

const NamedValue* KeySnapshot::Find(const std::string& name) const {
  if (!data_ || data_->values.empty()) return nullptr;
  auto it = data_->index.find(FoldName(name));
  return it == data_->index.end() ? nullptr : &data_->values[it->second];
}

std::vector<NamedValue> KeySnapshot::Values() const { return data_ ? data_->values : std::vector<NamedValue>(); }

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
