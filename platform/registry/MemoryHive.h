// An in-memory hive with the same rules as the machine-wide one, for tests:
// nothing touches the disk, and a test can make any operation of the
// registry-key object fail with a chosen code (once or from then on) and count
// how often each operation ran.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry/RegistryHive.h"

namespace registry {

class MemoryHive : public RegistryHive {
 public:
  MemoryHive();
  ~MemoryHive() override;

  bool ReadKey(const std::string& path, bool forWrite, KeySnapshot* out, RegError* err) override;
  bool CreateKey(const std::string& path, RegError* err) override;
  bool DeleteKey(const std::string& path, RegError* err) override;
  bool SetValue(const std::string& path, const std::string& name, const RegValue& value, RegError* err) override;
  bool DeleteValue(const std::string& path, const std::string& name, RegError* err) override;
  bool EnumKeys(const std::string& path, std::vector<std::string>* out, RegError* err) override;
  bool DeleteTree(const std::string& path, RegError* err) override;
  bool Transaction(const std::function<bool(RegError*)>& body, RegError* err) override;
  bool BeforeOperation(RegOp op, const std::string& path, const std::string& name, RegError* err) override;
  std::string Describe() const override { return "in-memory hive"; }

  // A failure to inject. Empty `path` or `name` match any; a path matches the
  // key path without regard to case, a name the value name likewise.
  struct Fault {
    RegOp op;
    std::string path;
    std::string name;
    std::string code = kFailed;
    std::string message = "injected failure";
    bool persistent = false;  // false: fails once, then the fault is gone
  };
  void InjectFault(const Fault& fault);
  void ClearFaults();

  // How often the registry-key object ran `op` (injected failures included).
  int Count(RegOp op) const;
  void ResetCounts();

  // Test conveniences that bypass fault injection and counting.
  bool HasKey(const std::string& path) const;
  bool HasValue(const std::string& path, const std::string& name) const;
  // Every key below `path` (itself included) with its values, one line each,
  // sorted: "path" then "path\tname=type:data" - for comparing whole trees.
  std::vector<std::string> Dump(const std::string& path = "") const;

 private:
  struct Node;
  Node* Find(const std::string& path) const;
  std::unique_ptr<Node> root_;
  std::vector<Fault> faults_;
  std::map<RegOp, int> counts_;
};

}  // namespace registry
