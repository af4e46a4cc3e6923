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

namespace {

// FNV-1a over the folded name.
constexpr uint64_t kFnvBasis = 14695981039346656037ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;

// The table takes the low bits; fold the better-mixed high half into them.
uint32_t MixHash(uint64_t h) { return static_cast<uint32_t>(h ^ (h >> 32)); }

uint32_t HashFolded(std::string_view folded) {
  uint64_t h = kFnvBasis;
  for (unsigned char c : folded) h = (h ^ c) * kFnvPrime;
  return MixHash(h);
}

// Folds a name into `out` (room for name.size() bytes) and hashes it in one
// pass, as FoldName and HashFolded would, for a name without a byte that may
// start a double-byte character; false for any other name. Value names are
// short and nearly always ASCII, and every probe folds one.
bool FoldAscii(std::string_view name, char* out, uint32_t* hash) {
  uint64_t h = kFnvBasis;
  for (size_t i = 0; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (c >= 0x80) return false;
    if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 0x20);
    out[i] = static_cast<char>(c);
    h = (h ^ c) * kFnvPrime;
  }
  *hash = MixHash(h);
  return true;
}

}  // namespace

KeySnapshot::Data& KeySnapshot::Mutable() {
  if (!data_) {
    data_ = std::make_shared<Data>();
  } else if (data_.use_count() > 1) {
    data_ = std::make_shared<Data>(*data_);
  }
  return *data_;
}

size_t KeySnapshot::Locate(const Data& d, std::string_view folded, uint32_t hash) {
  if (d.table.empty()) return std::string::npos;
  size_t mask = d.table.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = d.table[i];
    if (slot.pos == 0) return std::string::npos;
    if (slot.hash == hash && d.folded[slot.pos - 1] == folded) return slot.pos - 1;
  }
}

size_t KeySnapshot::LocateName(const Data& d, std::string_view name) {
  char buffer[64];
  uint32_t hash;
  if (name.size() <= sizeof buffer && FoldAscii(name, buffer, &hash))
    return Locate(d, std::string_view(buffer, name.size()), hash);
  std::string folded = mbcs::ToUpper(name);
  return Locate(d, folded, HashFolded(folded));
}

void KeySnapshot::Index(Data& d, size_t pos, uint32_t hash) {
  size_t mask = d.table.size() - 1;
  size_t i = hash & mask;
  while (d.table[i].pos != 0) i = (i + 1) & mask;
  d.table[i] = {hash, static_cast<uint32_t>(pos + 1)};
}

void KeySnapshot::Reindex(Data& d) {
  size_t size = 8;
  while (size < 2 * d.values.size()) size *= 2;
  d.table.assign(size, Slot{});
  for (size_t pos = 0; pos < d.folded.size(); ++pos) Index(d, pos, HashFolded(d.folded[pos]));
}

void KeySnapshot::Clear() { data_.reset(); }

void KeySnapshot::Put(const std::string& name, const RegValue& value) {
  Data& d = Mutable();
  std::string folded = FoldName(name);
  uint32_t hash = HashFolded(folded);
  size_t pos = Locate(d, folded, hash);
  if (pos != std::string::npos) {
    // A replaced value keeps the case it was created with, as the registry does.
    d.values[pos].value = value;
    return;
  }
  d.values.push_back({name, value});
  d.folded.push_back(std::move(folded));
  if (2 * d.values.size() > d.table.size()) {
    Reindex(d);
  } else {
    Index(d, d.values.size() - 1, hash);
  }
}

void KeySnapshot::Remove(std::string_view name) {
  if (!Find(name)) return;
  Data& d = Mutable();
  size_t pos = LocateName(d, name);
  d.values.erase(d.values.begin() + static_cast<std::ptrdiff_t>(pos));
  d.folded.erase(d.folded.begin() + static_cast<std::ptrdiff_t>(pos));
  // Positions after the removed one move: rare enough to rebuild the table.
  Reindex(d);
}

const NamedValue* KeySnapshot::Find(std::string_view name) const {
  if (!data_ || data_->values.empty()) return nullptr;
  size_t pos = LocateName(*data_, name);
  return pos == std::string::npos ? nullptr : &data_->values[pos];
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

std::string NormalPath(const std::string& path) {
  bool afterSeparator = true;  // the start counts: a leading '\\' is an empty component
  for (size_t i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (mbcs::IsLeadByte(c) && i + 1 < path.size()) {
      ++i;
      afterSeparator = false;
    } else if (c == '\\') {
      if (afterSeparator) return JoinPath(SplitPath(path));
      afterSeparator = true;
    } else {
      afterSeparator = false;
    }
  }
  if (afterSeparator && !path.empty()) return JoinPath(SplitPath(path));
  return path;
}

std::string FoldName(const std::string& name) { return mbcs::ToUpper(name); }

bool NameLess(const std::string& a, const std::string& b) {
  int c = mbcs::CompareNoCase(a, b);
  if (c != 0) return c < 0;
  return a < b;
}

}  // namespace registry
