// A scratch folder for one test's hive files, removed with everything in it
// when the test ends. Tests never write next to the developer's own hive.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class HiveTestDir {
 public:
  HiveTestDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorprn-hive-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp failed";
    path_ = pattern;
  }
  ~HiveTestDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  HiveTestDir(const HiveTestDir&) = delete;
  HiveTestDir& operator=(const HiveTestDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};
