#include "tools/HiveCopier.h"

#include <vector>

namespace tools {
namespace {

struct KeyCopy {
  std::string path;  // "" for the root
  std::vector<registry::NamedValue> values;
};

// Parents come before their children, values in the order the source keeps.
bool ReadTree(registry::RegistryHive& hive, const std::string& path, std::vector<KeyCopy>* out,
              registry::RegError* err) {
  registry::KeySnapshot snap;
  std::vector<std::string> children;
  if (!hive.ReadKey(path, false, &snap, err) || !hive.EnumKeys(path, &children, err)) return false;
  out->push_back({path, snap.Values()});
  for (const auto& child : children) {
    if (!ReadTree(hive, path.empty() ? child : path + "\\" + child, out, err)) return false;
  }
  return true;
}

}  // namespace

bool HiveCopier::Copy(registry::RegistryHive& from, registry::RegistryHive& to, bool replace,
                      HiveCopyReport* report) {
  std::vector<KeyCopy> keys;
  // One transaction on the source too, so that the copy is of one state
  // where the source can give that.
  report->fromSource = true;
  if (!from.Transaction([&](registry::RegError* e) { return ReadTree(from, "", &keys, e); }, &report->error))
    return false;
  report->fromSource = false;
  int keyCount = 0, valueCount = 0;
  bool ok = to.Transaction(
      [&](registry::RegError* e) {
        registry::KeySnapshot rootValues;
        std::vector<std::string> top;
        if (!to.ReadKey("", true, &rootValues, e) || !to.EnumKeys("", &top, e)) return false;
        if (!top.empty() || !rootValues.Values().empty()) {
          if (!replace) {
            *e = {registry::kInvalid, to.Describe() + ": the target hive is not empty (--replace empties it first)"};
            return false;
          }
          if (!to.DeleteTree("", e)) return false;
        }
        for (const auto& key : keys) {
          if (!key.path.empty()) {
            if (!to.CreateKey(key.path, e)) return false;
            ++keyCount;
          }
          for (const auto& v : key.values) {
            if (!to.SetValue(key.path, v.name, v.value, e)) return false;
            ++valueCount;
          }
        }
        return true;
      },
      &report->error);
  if (ok) {
    report->keys = keyCount;
    report->values = valueCount;
  }
  return ok;
}

}  // namespace tools
