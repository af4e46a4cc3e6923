// Runs the built quorprn command as a user would, with its own fresh hive
// file and the demo spooler, and captures its exit status and output.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
  nlohmann::json Json() const { return nlohmann::json::parse(out); }
};

// Every field `expected` names has that value in `j`; objects are compared
// field by field, anything else whole.
inline ::testing::AssertionResult Has(const nlohmann::json& j, const nlohmann::json& expected) {
  nlohmann::json merged = j;
  merged.merge_patch(expected);
  if (merged == j) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << j.dump() << "\nlacks " << expected.dump();
}

class CommandRunner : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() / ("quorprn-cli-" + std::to_string(::getpid()) + "-" +
                                                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    hive = (dir / "registry.db").string();
    spooler = std::string(QUORPRN_TEST_DATA) + "/spooler/demo.json";
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  static std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
  }

  // Global options first, then `args`.
  CommandResult Run(const std::vector<std::string>& args, bool json = false) {
    std::vector<std::string> all = {"--registry", hive, "--spooler", spooler};
    if (json) all.push_back("--json");
    all.insert(all.end(), args.begin(), args.end());
    return RunBare(all);
  }
  CommandResult RunBare(const std::vector<std::string>& args) {
    std::string cmd = (headless ? "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " : "") + Quote(command);
    for (const auto& a : args) cmd += " " + Quote(a);
    const std::string out = Path("stdout"), err = Path("stderr");
    const int rc = std::system((cmd + " >" + Quote(out) + " 2>" + Quote(err)).c_str());
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, ReadFile(out), ReadFile(err)};
  }
  // Runs with --json, expects `status` and gives the parsed output.
  nlohmann::json RunJson(const std::vector<std::string>& args, int status = 0) {
    CommandResult r = Run(args, true);
    EXPECT_EQ(r.status, status) << r.out << r.err;
    nlohmann::json j = nlohmann::json::parse(r.out, nullptr, false);
    EXPECT_FALSE(j.is_discarded()) << r.out;
    return j;
  }

  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  static std::string Data(const std::string& name) { return std::string(QUORPRN_TEST_DATA) + "/" + name; }

  std::filesystem::path dir;
  std::string hive;
  std::string spooler;
  std::string command = QUORPRN_CLI;
  bool headless = false;  // no display of any kind in the command's environment
};
