// What only the file hive can get wrong: files it cannot use, its log file,
// permissions and a writer killed mid-write. Children are forked before they
// open the file, so that no connection crosses a fork. (Other processes
// holding the lock or updating one value at once: HiveContractTest.)
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "HiveTestSupport.h"
#include "platform/registry/Registry.h"
#include "platform/registry/SqliteHive.h"

using registry::OpenSqliteHive;
using registry::RegError;
using registry::RegValue;

namespace {

class SqliteHiveTest : public ::testing::Test {
 protected:
  void TearDown() override { registry::Registry::Reset(); }
  HiveTestDir dir;
  std::string file = dir.File("hive.db");
};

// Every operation of the component fails with a cause, never "absent", and
// the message names the file.
void ExpectUnusable(const std::string& path, const char* expectedCode) {
  registry::Registry::UseFile(path);
  auto key = MeraNewRegKey();
  auto check = [&](int result, const char* op) {
    EXPECT_EQ(result, 0) << op;
    RegError last = registry::GetLastError();
    EXPECT_EQ(last.code, expectedCode) << op;
    EXPECT_NE(last.message.find(path), std::string::npos) << op << ": " << last.message;
  };
  check(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE", 0), "OpenKey");
  check(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\X"), "CreateKey");
  check(key->DeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", 0), "DeleteKey");
}

TEST_F(SqliteHiveTest, AFileThatCannotBeUsedFailsEveryOperationWithItsCause) {
  ExpectUnusable("/nonexistent-quorprn-folder/sub/hive.db", registry::kCannotOpen);

  std::ofstream(file) << std::string(4096, 'x');  // some other file under the hive's name
  ExpectUnusable(file, registry::kReadFailed);
  std::ifstream in(file);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), std::string(4096, 'x'));  // and it was left alone
}

// The log outlives the last connection, for readers who may not create it,
// but empty: a full one would be replayed and copied back into the file, with
// disk syncs, by every later opener, even one that only reads.
TEST_F(SqliteHiveTest, TheLastCloseLeavesTheLogInPlaceAndEmpty) {
  {
    auto hive = OpenSqliteHive(file);
    RegError err;
    ASSERT_TRUE(hive->CreateKey("SOFTWARE\\Olvanet", &err)) << err.message;
    ASSERT_TRUE(hive->SetValue("SOFTWARE\\Olvanet", "N", RegValue::Number(42), &err));
  }
  struct stat wal {};
  ASSERT_EQ(stat((file + "-wal").c_str(), &wal), 0);
  EXPECT_EQ(wal.st_size, 0);
  EXPECT_EQ(HiveValue(*OpenSqliteHive(file), "SOFTWARE\\Olvanet", "N"), "42");
}

// Runs `child` in a forked process (as an unprivileged user when this one is
// root) and returns what it wrote to its pipe.
std::string InChild(const std::function<std::string()>& child) {
  int fds[2];
  if (pipe(fds) != 0) return "pipe failed";
  pid_t pid = InFork([&] {
    close(fds[0]);
    bool dropped = getuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
    std::string out = dropped ? child() : "cannot drop privileges";
    return write(fds[1], out.data(), out.size()) == static_cast<ssize_t>(out.size()) ? 0 : 1;
  });
  close(fds[1]);
  std::string out;
  char buf[512];
  ssize_t n;
  while ((n = read(fds[0], buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
  close(fds[0]);
  waitpid(pid, nullptr, 0);
  return out;
}

// What an unprivileged reader manages on the hive: reads, and ECR052 for
// every kind of write.
std::string ReadOnlyReport(const std::string& file) {
  return InChild([&] {
    registry::Registry::UseFile(file);
    return WriteAttempts("SOFTWARE\\Olvanet");
  });
}

TEST_F(SqliteHiveTest, AUserWithoutWriteAccessReadsAndIsDeniedWrites) {
  // The machine-wide layout: a folder and file that only their owner writes.
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  auto owner = OpenSqliteHive(file);
  RegError err;
  ASSERT_TRUE(owner->CreateKey("SOFTWARE\\Olvanet", &err)) << err.message;
  ASSERT_TRUE(owner->SetValue("SOFTWARE\\Olvanet", "N", RegValue::Number(41), &err));
  ASSERT_TRUE(owner->SetValue("SOFTWARE\\Olvanet", "N", RegValue::Number(42), &err));
  ASSERT_EQ(chmod(file.c_str(), 0644), 0);
  auto lockFolder = [&] {
    return getuid() == 0 || (chmod(file.c_str(), 0444) == 0 && chmod(dir.path().c_str(), 0555) == 0);
  };
  ASSERT_TRUE(lockFolder());
  // While the owner still has the file open, its last commit may live only
  // in the log: the reader must see it all the same.
  EXPECT_EQ(ReadOnlyReport(file), "read 42 ECR052 ECR052 ECR052 ECR052");

  // A hive copied in without its log files is read from the file alone.
  owner.reset();
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  std::remove((file + "-wal").c_str());
  std::remove((file + "-shm").c_str());
  ASSERT_TRUE(lockFolder());
  EXPECT_EQ(ReadOnlyReport(file), "read 42 ECR052 ECR052 ECR052 ECR052");
  EXPECT_EQ(HiveValue(*OpenSqliteHive(file), "SOFTWARE\\Olvanet", "N"), "42");
}

TEST_F(SqliteHiveTest, AWriterKilledMidWriteLeavesASoundHiveWithWholeGenerations) {
  RegError err;
  ASSERT_TRUE(OpenSqliteHive(file)->CreateKey("SOFTWARE\\Crash", &err)) << err.message;
  for (int round = 0; round < 3; ++round) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    // The child writes generation after generation of ten numbers and a
    // text, one transaction each, and tells every committed one.
    pid_t pid = InFork([&] {
      close(fds[0]);
      auto hive = OpenSqliteHive(file);
      for (int32_t gen = 1;; ++gen) {
        bool ok = hive->Transaction(
            [&](RegError* e) {
              for (int v = 0; v < 10; ++v) {
                if (!hive->SetValue("SOFTWARE\\Crash", "V" + std::to_string(v), RegValue::Number(gen), e)) return false;
              }
              return hive->SetValue("SOFTWARE\\Crash", "Text", RegValue::Text(std::string(3000, char('a' + gen % 26))),
                                    e);
            },
            &err);
        if (!ok || write(fds[1], &gen, sizeof gen) != sizeof gen) return 1;
      }
    });
    close(fds[1]);
    int32_t committed = 0, gen;
    while (committed < 5 + round * 7 && read(fds[0], &gen, sizeof gen) == sizeof gen) committed = gen;
    std::this_thread::sleep_for(std::chrono::microseconds(300 * round + 50));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    while (read(fds[0], &gen, sizeof gen) == sizeof gen) committed = gen;
    close(fds[0]);
    ASSERT_GE(committed, 5) << "the writer never got going";

    std::string report;
    EXPECT_TRUE(registry::CheckSqliteHive(file, &report)) << report;
    auto hive = OpenSqliteHive(file);
    int32_t first = std::atoi(HiveValue(*hive, "SOFTWARE\\Crash", "V0").c_str());
    // Every committed generation is there, at most one more that was
    // committed but not yet reported, and never a mix of two.
    EXPECT_GE(first, committed);
    EXPECT_LE(first, committed + 1);
    for (int v = 1; v < 10; ++v) {
      EXPECT_EQ(HiveValue(*hive, "SOFTWARE\\Crash", "V" + std::to_string(v)), std::to_string(first)) << "V" << v;
    }
    EXPECT_EQ(HiveValue(*hive, "SOFTWARE\\Crash", "Text"), std::string(3000, char('a' + first % 26)));
  }
}

}  // namespace
