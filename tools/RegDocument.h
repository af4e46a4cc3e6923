// What a .reg file says, once read: the file's format and encoding, the key
// and value operations in file order, and the lines that could not be used.
// Plain data that the reader fills and the importer applies; it owns copies
// of every name and value and refers to no hive.
#pragma once

#include <string>
#include <vector>

#include "platform/registry/RegistryHive.h"

namespace tools {

enum class RegFormat { Unknown, Version5, Regedit4 };

// A line that was reported (and skipped). `line` counts from 1; 0 for the
// file as a whole. The message is UTF-8, for the terminal.
struct RegProblem {
  int line = 0;
  std::string message;
};

struct RegEntry {
  enum Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
  Kind kind = CreateKey;
  int line = 0;
  std::string path;  // code page 932, relative to HKEY_LOCAL_MACHINE, "" = the root
  std::string name;  // code page 932; "" = the key's default value
  registry::RegValue value;
};

struct RegDocument {
  RegFormat format = RegFormat::Unknown;
  std::string encoding;  // "UTF-16LE", "UTF-8" or "CP932"
  std::vector<RegEntry> entries;
  std::vector<RegProblem> problems;
};

}  // namespace tools
