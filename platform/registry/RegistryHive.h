// The storage behind the registry component: a tree of keys with typed
// values, with the Windows registry's rules. Key and value names compare
// without regard to letter case (code page 932 folding) and keep the case they
// were created with; names and data are bytes, returned exactly as stored.
// Paths are relative to HKEY_LOCAL_MACHINE, components separated by '\'
// (a 0x5C trail byte of a double-byte character is not a separator).
// Implementations: SqliteHive (machine-wide file), MemoryHive (tests).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/RegistryError.h"

namespace registry {

// Value kinds, numbered as regedit numbers them.
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegDword = 4;

struct RegValue {
  uint32_t type = kRegSz;
  std::string data;  // kRegSz: the text bytes (no terminator); kRegDword: 4 bytes, little-endian

  static RegValue Text(std::string text) { return {kRegSz, std::move(text)}; }
  static RegValue Number(int32_t n);
  bool AsNumber(int32_t* out) const;  // false unless a 4-byte kRegDword
};

struct NamedValue {
  std::string name;  // as stored
  RegValue value;
};

// All values of one key, read at once so that probing many names costs no
// further storage access. Copies share their values until one of them
// changes, because a hive hands out the same key's values again and again.
class KeySnapshot {
 public:
  void Clear();
  void Put(const std::string& name, const RegValue& value);
  void Remove(std::string_view name);
  const NamedValue* Find(std::string_view name) const;
  // Values in the order they were added.
  std::vector<NamedValue> Values() const;

 private:
  // An open-addressing table of positions in `values`, looked up by the
  // folded name's hash. Most look-ups are of absent names (a palette read
  // probes hundreds): a miss is decided by the hash alone, without building
  // the folded name on the heap or comparing it with every stored one.
  struct Slot {
    uint32_t hash = 0;
    uint32_t pos = 0;  // position in `values` + 1; 0 for an empty slot
  };
  struct Data {
    std::vector<NamedValue> values;
    std::vector<std::string> folded;  // each value's folded name, same order
    // A power of two in size, at most half full. (Not named "slots": dialog
    // code includes this header after Qt, where that word is a macro.)
    std::vector<Slot> table;
  };
  Data& Mutable();
  // Positions in `values`, std::string::npos when absent.
  static size_t Locate(const Data& d, std::string_view folded, uint32_t hash);
  static size_t LocateName(const Data& d, std::string_view name);
  static void Index(Data& d, size_t pos, uint32_t hash);
  static void Reindex(Data& d);

  std::shared_ptr<Data> data_;
};

// The operations the registry-key object performs, for fault injection and
// counting.
enum class RegOp { OpenKey, CreateKey, DeleteKey, GetNumber, GetText, SetNumber, SetText, EnumKeys };
const char* RegOpName(RegOp op);

class RegistryHive {
 public:
  virtual ~RegistryHive() = default;

  // Reads every value of an existing key; kNotFound when it does not exist.
  // `forWrite` asks that the caller may write through it (access check).
  virtual bool ReadKey(const std::string& path, bool forWrite, KeySnapshot* out, RegError* err) = 0;
  // Creates the key and every missing ancestor; succeeds for an existing key.
  virtual bool CreateKey(const std::string& path, RegError* err) = 0;
  // Deletes a key without subkeys; success for an absent key, kHasSubkeys
  // when it still has some.
  virtual bool DeleteKey(const std::string& path, RegError* err) = 0;
  // Creates or replaces a value of an existing key (kNotFound otherwise).
  virtual bool SetValue(const std::string& path, const std::string& name, const RegValue& value,
                        RegError* err) = 0;
  // Removes a value; success when it does not exist.
  virtual bool DeleteValue(const std::string& path, const std::string& name, RegError* err) = 0;
  // The direct subkeys' names (as stored), in case-insensitive order.
  virtual bool EnumKeys(const std::string& path, std::vector<std::string>* out, RegError* err) = 0;
  // Deletes a key with everything below it; success for an absent key.
  virtual bool DeleteTree(const std::string& path, RegError* err) = 0;
  // Runs `body` as one atomic unit: every change it makes is kept when it
  // returns true and none when it returns false or a change fails.
  virtual bool Transaction(const std::function<bool(RegError*)>& body, RegError* err) = 0;

  // Called by the registry-key object before each operation; a hive used in
  // tests may refuse it (fault injection) or count it. `name` is the value
  // name for value operations, else empty.
  virtual bool BeforeOperation(RegOp op, const std::string& path, const std::string& name, RegError* err) {
    (void)op, (void)path, (void)name, (void)err;
    return true;
  }

  // A short description for messages ("/var/lib/quorprn/registry.db").
  virtual std::string Describe() const = 0;
};

// Path helpers shared by the hives.
std::vector<std::string> SplitPath(const std::string& path);  // drops empty components
std::string JoinPath(const std::vector<std::string>& parts);
// JoinPath(SplitPath(path)), without splitting a path that has no empty
// components (the usual case: every key open normalises its path).
std::string NormalPath(const std::string& path);
std::string FoldName(const std::string& name);  // the case-insensitive key of a name
// Orders names as EnumKeys answers them.
bool NameLess(const std::string& a, const std::string& b);

}  // namespace registry
