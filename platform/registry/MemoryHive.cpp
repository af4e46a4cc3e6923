// In-memory hive: a tree of nodes keyed by folded names. Transactions copy the
// tree and put the copy back on failure, which is fine at test sizes.
#include "platform/registry/MemoryHive.h"

#include <algorithm>
#include <cstdio>

namespace registry {

struct MemoryHive::Node {
  std::string name;
  KeySnapshot values;
  std::map<std::string, std::unique_ptr<Node>> children;  // folded name -> node

  std::unique_ptr<Node> Clone() const {
    auto n = std::make_unique<Node>();
    n->name = name;
    n->values = values;
    for (const auto& [k, c] : children) n->children[k] = c->Clone();
    return n;
  }
};

namespace {
RegError Error(const char* code, std::string message) { return {code, std::move(message)}; }
void Fail(RegError* err, const char* code, std::string message) {
  if (err) *err = Error(code, std::move(message));
}
}  // namespace

MemoryHive::MemoryHive() : root_(std::make_unique<Node>()) {}
MemoryHive::~MemoryHive() = default;

MemoryHive::Node* MemoryHive::Find(const std::string& path) const {
  Node* n = root_.get();
  for (const auto& part : SplitPath(path)) {
    auto it = n->children.find(FoldName(part));
    if (it == n->children.end()) return nullptr;
    n = it->second.get();
  }
  return n;
}

bool MemoryHive::ReadKey(const std::string& path, bool, KeySnapshot* out, RegError* err) {
  Node* n = Find(path);
  if (!n) {
    Fail(err, kNotFound, "key does not exist: " + path);
    return false;
  }
  *out = n->values;
  return true;
}

bool MemoryHive::CreateKey(const std::string& path, RegError* err) {
  auto parts = SplitPath(path);
  if (parts.empty()) {
    Fail(err, kInvalid, "empty key path");
    return false;
  }
  Node* n = root_.get();
  for (const auto& part : parts) {
    auto& slot = n->children[FoldName(part)];
    if (!slot) {
      slot = std::make_unique<Node>();
      slot->name = part;
    }
    n = slot.get();
  }
  return true;
}

bool MemoryHive::DeleteKey(const std::string& path, RegError* err) {
  auto parts = SplitPath(path);
  if (parts.empty()) {
    Fail(err, kInvalid, "empty key path");
    return false;
  }
  std::string last = parts.back();
  parts.pop_back();
  Node* parent = Find(JoinPath(parts));
  if (!parent) return true;
  auto it = parent->children.find(FoldName(last));
  if (it == parent->children.end()) return true;
  if (!it->second->children.empty()) {
    Fail(err, kHasSubkeys, "key has subkeys: " + path);
    return false;
  }
  parent->children.erase(it);
  return true;
}

bool MemoryHive::SetValue(const std::string& path, const std::string& name, const RegValue& value,
                          RegError* err) {
  Node* n = Find(path);
  if (!n) {
    Fail(err, kNotFound, "key does not exist: " + path);
    return false;
  }
  n->values.Put(name, value);
  return true;
}

bool MemoryHive::DeleteValue(const std::string& path, const std::string& name, RegError* err) {
  Node* n = Find(path);
  if (!n) {
    Fail(err, kNotFound, "key does not exist: " + path);
    return false;
  }
  n->values.Remove(name);
  return true;
}

bool MemoryHive::EnumKeys(const std::string& path, std::vector<std::string>* out, RegError* err) {
  Node* n = Find(path);
  if (!n) {
    Fail(err, kNotFound, "key does not exist: " + path);
    return false;
  }
  std::vector<std::string> names;
  for (const auto& [k, c] : n->children) names.push_back(c->name);
  std::sort(names.begin(), names.end(), NameLess);
  out->insert(out->end(), names.begin(), names.end());
  return true;
}

bool MemoryHive::DeleteTree(const std::string& path, RegError* err) {
  auto parts = SplitPath(path);
  if (parts.empty()) {
    root_ = std::make_unique<Node>();
    return true;
  }
  std::string last = parts.back();
  parts.pop_back();
  Node* parent = Find(JoinPath(parts));
  if (parent) parent->children.erase(FoldName(last));
  (void)err;
  return true;
}

bool MemoryHive::Transaction(const std::function<bool(RegError*)>& body, RegError* err) {
  std::unique_ptr<Node> saved = root_->Clone();
  RegError local;
  if (body(err ? err : &local)) return true;
  root_ = std::move(saved);
  return false;
}

bool MemoryHive::BeforeOperation(RegOp op, const std::string& path, const std::string& name, RegError* err) {
  ++counts_[op];
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (it->op != op) continue;
    if (!it->path.empty() && FoldName(JoinPath(SplitPath(it->path))) != FoldName(JoinPath(SplitPath(path))))
      continue;
    if (!it->name.empty() && FoldName(it->name) != FoldName(name)) continue;
    if (err) *err = {it->code, it->message};
    if (!it->persistent) faults_.erase(it);
    return false;
  }
  return true;
}

void MemoryHive::InjectFault(const Fault& fault) { faults_.push_back(fault); }
void MemoryHive::ClearFaults() { faults_.clear(); }

int MemoryHive::Count(RegOp op) const {
  auto it = counts_.find(op);
  return it == counts_.end() ? 0 : it->second;
}
void MemoryHive::ResetCounts() { counts_.clear(); }

bool MemoryHive::HasKey(const std::string& path) const { return Find(path) != nullptr; }

bool MemoryHive::HasValue(const std::string& path, const std::string& name) const {
  Node* n = Find(path);
  return n && n->values.Find(name);
}

std::vector<std::string> MemoryHive::Dump(const std::string& path) const {
  std::vector<std::string> lines;
  Node* start = Find(path);
  if (!start) return lines;
  std::function<void(const Node*, const std::string&)> walk = [&](const Node* n, const std::string& p) {
    lines.push_back(p);
    for (const auto& v : n->values.Values()) {
      std::string data;
      char hex[4];
      for (unsigned char c : v.value.data) {
        std::snprintf(hex, sizeof hex, "%02x", c);
        data += hex;
      }
      lines.push_back(p + "\t" + v.name + "=" + std::to_string(v.value.type) + ":" + data);
    }
    for (const auto& [k, c] : n->children) walk(c.get(), p.empty() ? c->name : p + "\\" + c->name);
  };
  walk(start, JoinPath(SplitPath(path)));
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace registry
