// What the registry tests share: a scratch folder for one test's hive files,
// removed with everything in it when the test ends (tests never write next to
// the developer's own hive), readers that turn a value or the failure to
// read it into one string, so that one expectation checks both, and forked
// children for the cases of several processes on one hive.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/registry/MeraRegKey.h"
#include "platform/registry/RegistryError.h"
#include "platform/registry/RegistryHive.h"

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

// A number of the open key as decimal text, or the error code of the read.
inline std::string NumberOf(CMeraRegKey& key, const std::string& name) {
  int32_t n = 0;
  return key.GetNumber(name, n) ? std::to_string(n) : MeraLastErrorCode(false);
}

// A text of the open key, or the error code of the read.
inline std::string TextOf(CMeraRegKey& key, const std::string& name) {
  std::string text;
  return key.GetText(name, text) ? text : MeraLastErrorCode(false);
}

// A value as the hive itself holds it: a number as decimal text, a text as
// is, "absent" when the key has no such value, else the code of the failed
// key read.
inline std::string HiveValue(registry::RegistryHive& hive, const std::string& path, const std::string& name) {
  registry::KeySnapshot snap;
  registry::RegError err;
  if (!hive.ReadKey(path, false, &snap, &err)) return err.code;
  const registry::NamedValue* value = snap.Find(name);
  int32_t n = 0;
  if (!value) return "absent";
  return value->value.AsNumber(&n) ? std::to_string(n) : value->value.data;
}

// What a client that may only read manages on the key `path` (holding the
// number N): "read N", then the code each kind of write leaves, whatever it
// answered. The messages of those writes go to `messages`.
inline std::string WriteAttempts(const std::string& path, std::vector<std::string>* messages = nullptr) {
  auto key = MeraNewRegKey();
  auto code = [&](int) {
    if (messages) messages->push_back(registry::GetLastError().message);
    return " " + registry::GetLastError().code;
  };
  std::string r = key->OpenKey(HKEY_LOCAL_MACHINE, path, 0) ? "read " + NumberOf(*key, "N")
                                                            : "noread:" + registry::GetLastError().message;
  r += code(key->SetNumber("N", 1));
  r += code(key->OpenKey(HKEY_LOCAL_MACHINE, path, 1));
  r += code(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\New"));
  return r + code(key->DeleteKey(HKEY_LOCAL_MACHINE, path, 0));
}

// Runs `body` in a forked child that ends with the status `body` returns.
inline pid_t InFork(const std::function<int()>& body) {
  pid_t pid = fork();
  if (pid == 0) _exit(body());
  return pid;
}

// The exit status of a child, or 100 plus the signal that ended it.
inline int StatusOf(pid_t pid) {
  int status = -1;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}
