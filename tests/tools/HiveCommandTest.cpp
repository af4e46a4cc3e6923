// "hive init" and "hive copy" as an administrator runs them, against a
// throwaway server: a desktop's hive file goes to the server and comes back
// unchanged, a database without the hive says what to run, and no password
// ever reaches the output.
#include <gtest/gtest.h>

#include "../platform/registry/PgSandbox.h"
#include "CommandRunner.h"
#include "platform/registry/PgHive.h"

namespace {

class HiveCommand : public CommandRunner {
 protected:
  void SetUp() override {
    CommandRunner::SetUp();
    std::string cause;
    ASSERT_TRUE(server.Start(&cause)) << cause;
    uri = server.Uri();
  }
  // The whole hive as a .reg file.
  std::string Export(const std::string& location) {
    std::string file = Path("export.reg");
    CommandResult r = RunBare({"--registry", location, "reg", "export", "-o", file});
    EXPECT_EQ(r.status, 0) << r.err;
    return ReadFile(file);
  }
  PgSandbox server;
  std::string uri;
};

TEST_F(HiveCommand, ADesktopHiveGoesToTheServerAndBackUnchanged) {
  for (const char* reg : {"reg/version5-utf16.reg", "reg/regedit4-cp932.reg"}) {
    ASSERT_EQ(Run({"reg", "import", Data(reg)}).status, 0) << reg;
  }
  // Before init the server is no hive, and says what to do.
  CommandResult r = RunBare({"hive", "copy", hive, uri});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("quorprn hive init"), std::string::npos) << r.err;

  EXPECT_EQ(RunBare({"hive", "init", uri}).status, 0);
  EXPECT_EQ(RunBare({"hive", "init", uri}).status, 0);
  r = RunBare({"--json", "hive", "copy", hive, uri});
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_GT(r.Json()["values"].get<int>(), 10);
  // A second copy would mix two hives.
  r = RunBare({"hive", "copy", hive, uri});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("not empty"), std::string::npos) << r.err;
  EXPECT_EQ(RunBare({"hive", "copy", "--replace", hive, uri}).status, 0);

  std::string back = Path("back.db");
  ASSERT_EQ(RunBare({"hive", "copy", uri, back}).status, 0);
  std::string original = Export(hive);
  EXPECT_GT(original.size(), 200u);
  EXPECT_EQ(Export(uri), original);
  EXPECT_EQ(Export(back), original);

  r = RunBare({"hive", "copy", Path("missing.db"), uri});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no such hive file"), std::string::npos) << r.err;
}

TEST_F(HiveCommand, APasswordNeverReachesTheOutput) {
  const std::string secret = "s3cr3t-Pa55";
  std::string withPassword = "postgresql://pwuser:" + secret + "@/hive?host=" + server.Folder();
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--json", "--registry", withPassword, "show", "SALES", "DAILY"},
           {"--registry", withPassword, "reg", "export"},
           {"--json", "hive", "copy", withPassword, Path("out.db")},
           {"hive", "init", withPassword},
           {"--json", "--regsitry", withPassword, "show", "SALES", "DAILY"}}) {
    CommandResult r = RunBare(args);
    EXPECT_NE(r.status, 0) << args[1];
    EXPECT_EQ((r.out + r.err).find(secret), std::string::npos) << r.out << r.err;
    EXPECT_NE((r.out + r.err).find("pwuser:***@"), std::string::npos) << r.out << r.err;
    if (args[1] != "--regsitry") {
      EXPECT_NE((r.out + r.err).find("password authentication failed"), std::string::npos) << r.out << r.err;
    }
  }
  EXPECT_EQ(registry::MaskPgUrisIn("a 'postgres://u:p@h/d' and POSTGRESQL://v:q@h?password=r."),
            "a 'postgres://u:***@h/d' and POSTGRESQL://v:***@h?password=***");
}

}  // namespace
