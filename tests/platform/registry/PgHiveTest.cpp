// What only the server hive can get wrong: a database without the hive,
// failed logins and unreachable servers, roles that may only read, change
// notifications against the key cache, dropped connections, a server that
// stops in the middle of a transaction, and many desktops at once. Each case
// runs on a throwaway server of its own; children are forked before they
// connect. (Locks, other clients' commits and concurrent updates, on a shared
// server: HiveContractTest.)
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include "HiveTestSupport.h"
#include "PgSandbox.h"
#include "platform/registry/PgHive.h"
#include "platform/registry/Registry.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "quorprn/CQuorPrnPrinterAccess.h"

using registry::OpenPgHive;
using registry::PgHiveOptions;
using registry::RegError;
using registry::RegValue;
using Clock = std::chrono::steady_clock;

namespace {

// The roles of the README's "One hive for many desktops", as given there.
constexpr const char* kRoles =
    "CREATE ROLE quorprn_desk LOGIN;"
    "CREATE ROLE quorprn_admin LOGIN;"
    "GRANT CONNECT ON DATABASE hive TO quorprn_desk, quorprn_admin;"
    "GRANT USAGE ON SCHEMA quorprn TO quorprn_desk, quorprn_admin;"
    "GRANT SELECT ON ALL TABLES IN SCHEMA quorprn TO quorprn_desk;"
    "GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA quorprn TO quorprn_admin;";

class PgHiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string cause;
    ASSERT_TRUE(server.Start(&cause)) << cause;
    RegError err;
    ASSERT_TRUE(registry::InitPgHive(server.Uri(), &err)) << err.message;
  }
  void TearDown() override { registry::Registry::Reset(); }

  // A hive that retries a lost server at once, for cases that restart it.
  std::shared_ptr<registry::RegistryHive> Open(PgHiveOptions options = {}, const std::string& user = "admin") {
    options.retryAfterMs = 0;
    return OpenPgHive(server.Uri(user), options);
  }

  PgSandbox server;
};

// The code and message of a key read, and how long it took.
struct Outcome {
  std::string code;
  std::string message;
  double seconds;
};
Outcome ReadOutcome(registry::RegistryHive& hive, const std::string& path = "SOFTWARE") {
  auto start = Clock::now();
  registry::KeySnapshot snap;
  RegError err;
  if (hive.ReadKey(path, false, &snap, &err)) err.code = "read";
  return {err.code, err.message, std::chrono::duration<double>(Clock::now() - start).count()};
}

TEST_F(PgHiveTest, FailuresToConnectOrFindTheHiveHaveTheirOwnCodesNameTheServerAndNeverThePassword) {
  const std::string secret = "s3cr3t-Pa55";
  ASSERT_TRUE(server.Sql("CREATE DATABASE bare", nullptr));
  const std::string bare = server.Uri("admin", "bare");
  struct Case {
    std::string uri;
    const char* code;
    const char* cause;  // a piece of libpq's own text
  };
  // A TCP port that takes connections and never answers.
  int silent = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&addr), len), 0);
  ASSERT_EQ(listen(silent, 8), 0);
  ASSERT_EQ(getsockname(silent, reinterpret_cast<sockaddr*>(&addr), &len), 0);
  std::string port = std::to_string(ntohs(addr.sin_port));

  std::vector<Case> cases = {
      {bare, registry::kCannotOpen, "quorprn hive init"},
      {server.Uri("admin", "nope"), registry::kCannotOpen, "\"nope\" does not exist"},
      {"postgresql://pwuser:" + secret + "@/hive?host=" + server.Folder(), registry::kAccessDenied,
       "password authentication failed"},
      {"postgres://admin@/hive?host=" + server.Folder() + "/gone&password=" + secret, registry::kUnreachable,
       "No such file or directory"},
      {"postgresql://admin:" + secret + "@127.0.0.1:" + port + "/hive?connect_timeout=1", registry::kUnreachable,
       "timeout expired"},
  };
  for (const auto& c : cases) {
    auto hive = OpenPgHive(c.uri);
    Outcome o = ReadOutcome(*hive);
    EXPECT_EQ(o.code, c.code) << o.message;
    EXPECT_NE(o.message.find(c.cause), std::string::npos) << o.message;
    EXPECT_EQ(o.message.find(secret), std::string::npos) << o.message;
    EXPECT_EQ(hive->Describe().find(secret), std::string::npos) << hive->Describe();
    EXPECT_NE(o.message.find(registry::MaskPgUri(c.uri)), std::string::npos) << o.message;
    // The failed attempt is remembered for a moment: no second wait.
    EXPECT_LT(ReadOutcome(*hive).seconds, 0.5);
  }
  close(silent);
  // "hive init" makes the very object that failed usable, and may run again.
  auto hive = OpenPgHive(bare, {.retryAfterMs = 0});
  RegError err;
  EXPECT_FALSE(hive->CreateKey("SOFTWARE", &err));
  EXPECT_EQ(err.code, registry::kCannotOpen);
  ASSERT_TRUE(registry::InitPgHive(bare, &err)) << err.message;
  ASSERT_TRUE(hive->CreateKey("SOFTWARE\\Olvanet", &err)) << err.message;
  ASSERT_TRUE(hive->SetValue("SOFTWARE\\Olvanet", "N", RegValue::Number(7), &err));
  ASSERT_TRUE(registry::InitPgHive(bare, &err)) << err.message;
  EXPECT_EQ(HiveValue(*hive, "SOFTWARE\\Olvanet", "N"), "7");

  EXPECT_EQ(registry::MaskPgUri("postgresql://u:pw@h:5/db?sslmode=require&password=x&a=b"),
            "postgresql://u:***@h:5/db?sslmode=require&password=***&a=b");

  // The right password logs in; the role still needs its grants.
  std::string uri = "postgresql://pwuser:right@/hive?host=" + server.Folder();
  Outcome o = ReadOutcome(*OpenPgHive(uri), "");
  EXPECT_EQ(o.code, registry::kAccessDenied);
  EXPECT_NE(o.message.find("may not read"), std::string::npos) << o.message;
  std::string cause;
  ASSERT_TRUE(server.Sql("GRANT USAGE ON SCHEMA quorprn TO pwuser;"
                         "GRANT SELECT ON ALL TABLES IN SCHEMA quorprn TO pwuser",
                         &cause))
      << cause;
  EXPECT_EQ(ReadOutcome(*OpenPgHive(uri), "").code, "read");
}

TEST_F(PgHiveTest, ARoleThatMayOnlyReadReadsAndIsDeniedEveryWrite) {
  std::string cause;
  ASSERT_TRUE(server.Sql(kRoles, &cause)) << cause;
  // The writing role of the README can do all a store does.
  registry::Registry::UseHive(Open({}, "quorprn_admin"));
  auto key = MeraNewRegKey();
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Olvanet\\Sarvo")) << registry::GetLastError().message;
  ASSERT_TRUE(key->SetNumber("N", 42));
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Olvanet\\Gone"));
  ASSERT_TRUE(key->DeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Olvanet\\Gone", 0));

  registry::Registry::UseHive(Open({}, "quorprn_desk"));
  std::vector<std::string> messages;
  EXPECT_EQ(WriteAttempts("SOFTWARE\\Olvanet\\Sarvo", &messages), "read 42 ECR052 ECR052 ECR052 ECR052");
  for (const auto& m : messages) EXPECT_NE(m.find("may only read"), std::string::npos) << m;
  // In a transaction too, and the reads go on after it.
  RegError err;
  EXPECT_FALSE(registry::Registry::Current()->Transaction(
      [](RegError* e) {
        return registry::Registry::Current()->SetValue("SOFTWARE\\Olvanet\\Sarvo", "N", RegValue::Number(0), e);
      },
      &err));
  EXPECT_EQ(err.code, registry::kAccessDenied) << err.message;
  EXPECT_EQ(HiveValue(*registry::Registry::Current(), "SOFTWARE\\Olvanet\\Sarvo", "N"), "42");
}

// A client that relies on change notifications alone still sees another
// client's change, and a probe of a cached key never costs a round trip.
// (Cached keys against commits and rollbacks: HiveContractTest.)
TEST_F(PgHiveTest, NotificationsAloneBringChangesAndCachedKeysCostNoRoundTrips) {
  auto writer = Open();
  auto notified = Open({.recheckMs = 600000});
  RegError err;
  ASSERT_TRUE(writer->CreateKey("SOFTWARE\\K", &err));
  ASSERT_TRUE(writer->SetValue("SOFTWARE\\K", "N", RegValue::Number(1), &err));
  // The writer's notifications may still be on their way and would empty
  // the cache once more: read until a pause brings none (bounded), however
  // slowly a loaded machine delivers them.
  for (int64_t last = -1, i = 0; i < 50; ++i) {
    EXPECT_EQ(HiveValue(*notified, "SOFTWARE\\K", "N"), "1");
    const int64_t now = registry::PgHiveRoundTrips(*notified);
    if (now == last) break;
    last = now;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }

  int64_t before = registry::PgHiveRoundTrips(*notified);
  registry::Registry::UseHive(notified);
  for (int i = 0; i < 3; ++i) {
    auto key = MeraNewRegKey();
    ASSERT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\K", 0));
    for (int c = 0; c < 999; ++c) NumberOf(*key, "C" + std::to_string(c));
  }
  EXPECT_EQ(registry::PgHiveRoundTrips(*notified), before);

  // A notification travels on its own; without a recheck it alone brings
  // the change, within a bounded wait.
  ASSERT_TRUE(writer->SetValue("SOFTWARE\\K", "N", RegValue::Number(2), &err));
  std::string seen;
  for (int i = 0; i < 50 && (seen = HiveValue(*notified, "SOFTWARE\\K", "N")) != "2"; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(seen, "2");
  // Its own write shows at once.
  ASSERT_TRUE(notified->SetValue("SOFTWARE\\K", "N", RegValue::Number(3), &err));
  EXPECT_EQ(HiveValue(*notified, "SOFTWARE\\K", "N"), "3");
}

TEST_F(PgHiveTest, LostConnectionsAreMadeAgainAndAServerStoppedMidTransactionLeavesNothing) {
  auto reader = Open({.recheckMs = 600000});
  auto writer = Open();
  RegError err;
  ASSERT_TRUE(writer->CreateKey("SOFTWARE\\K", &err));
  ASSERT_TRUE(writer->SetValue("SOFTWARE\\K", "N", RegValue::Number(1), &err));
  EXPECT_EQ(HiveValue(*reader, "SOFTWARE\\K", "N"), "1");
  // Every connection but the writer's goes; the writer's change then
  // notifies nobody, so only a fresh read with an empty cache shows it.
  std::string cause;
  ASSERT_TRUE(server.Sql("SELECT pg_terminate_backend(pid, 5000) FROM pg_stat_activity"
                         " WHERE datname = 'hive' AND pid <> pg_backend_pid()",
                         &cause))
      << cause;
  ASSERT_TRUE(writer->SetValue("SOFTWARE\\K", "N", RegValue::Number(2), &err)) << err.message;
  EXPECT_EQ(HiveValue(*reader, "SOFTWARE\\K", "N"), "2");
  ASSERT_TRUE(reader->SetValue("SOFTWARE\\K", "N", RegValue::Number(3), &err)) << err.message;
  EXPECT_EQ(HiveValue(*writer, "SOFTWARE\\K", "N"), "3");

  auto& hive = writer;
  EXPECT_FALSE(hive->Transaction(
      [&](RegError* e) {
        if (!hive->SetValue("SOFTWARE\\K", "A", RegValue::Number(1), e) || !hive->CreateKey("SOFTWARE\\K\\Sub", e))
          return false;
        server.Stop(/*immediate=*/true);
        return hive->SetValue("SOFTWARE\\K", "B", RegValue::Number(1), e);
      },
      &err));
  EXPECT_EQ(err.code, registry::kUnreachable) << err.message;
  EXPECT_NE(err.message.find(server.Folder()), std::string::npos) << err.message;
  Outcome down = ReadOutcome(*hive);
  EXPECT_EQ(down.code, registry::kUnreachable) << down.message;
  EXPECT_LT(down.seconds, 5.0);

  ASSERT_TRUE(server.Resume(&cause)) << cause;
  EXPECT_EQ(HiveValue(*hive, "SOFTWARE\\K", "N"), "3");
  EXPECT_EQ(HiveValue(*hive, "SOFTWARE\\K", "A"), "absent");
  EXPECT_EQ(HiveValue(*hive, "SOFTWARE\\K\\Sub", "A"), registry::kNotFound);
  ASSERT_TRUE(hive->SetValue("SOFTWARE\\K", "B", RegValue::Number(2), &err)) << err.message;
  EXPECT_EQ(HiveValue(*Open(), "SOFTWARE\\K", "B"), "2");
}

// Twenty desktops look up their settings while an administrator switches the
// current printer every 50 ms: no lookup fails, and once the switching ends
// every desktop answers the last printer.
TEST_F(PgHiveTest, TwentyDesktopsFollowAnAdministratorWithoutErrors) {
  const std::string set = "SOFTWARE\\Olvanet\\Sarvo\\SALES\\DAILY\\Print\\PrinterSet00";
  const char* printers[] = {"Office Laser", "Warehouse Dot Matrix"};
  {
    auto hive = Open();
    RegError err;
    ASSERT_TRUE(hive->CreateKey(set, &err)) << err.message;
    ASSERT_TRUE(hive->SetValue(set, "CurrentPrinter", RegValue::Text(printers[0]), &err));
    for (const char* p : printers) ASSERT_TRUE(hive->CreateKey(set + "\\" + p, &err));
  }
  const std::string spooler = std::string(QUORPRN_TEST_DATA) + "/spooler/demo.json";
  int go[2], report[2];
  ASSERT_EQ(pipe(go), 0);
  ASSERT_EQ(pipe(report), 0);
  constexpr int kReaders = 20, kChanges = 30;
  std::vector<pid_t> readers;
  for (int r = 0; r < kReaders; ++r) {
    readers.push_back(InFork([&] {
      close(go[1]);
      registry::Registry::UseFile(server.Uri());
      spooler::Spooler::UseJsonFile(spooler);
      CQuorPrnPrinterAccess access;
      QUOR_PRN_PRINTER_INFO_TYPE printer;
      QUOR_PRN_COLOR_INFO_TYPE color;
      auto lookup = [&] { return access.GetPrinterDefault("SALES", "DAILY", 0, &printer, &color); };
      // Looks up until the parent closes its end of the pipe.
      for (;;) {
        int rc = lookup();
        if (rc != 1) {
          std::fprintf(stderr, "reader: lookup answered %d: %s\n", rc, registry::GetLastError().message.c_str());
          return 1;
        }
        char byte;
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(go[0], &fds);
        timeval tv{0, 5000};
        if (select(go[0] + 1, &fds, nullptr, nullptr, &tv) > 0 && read(go[0], &byte, 1) == 0) break;
      }
      if (lookup() != 1) return 2;
      std::string line = printer.PrinterName + "\n";
      return write(report[1], line.data(), line.size()) == static_cast<ssize_t>(line.size()) ? 0 : 3;
    }));
  }
  close(go[0]);
  pid_t writer = InFork([&] {
    registry::Registry::UseFile(server.Uri());
    for (int i = 1; i <= kChanges; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      auto key = MeraNewRegKey();
      if (!key->OpenKey(HKEY_LOCAL_MACHINE, set, 1) || !key->SetText("CurrentPrinter", printers[i % 2])) return 1;
    }
    return 0;
  });
  EXPECT_EQ(StatusOf(writer), 0);
  // Past the readers' recheck interval, so that the last change is theirs
  // even if its notification were late.
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  close(go[1]);
  for (pid_t pid : readers) EXPECT_EQ(StatusOf(pid), 0);
  close(report[1]);
  std::string all;
  char buf[256];
  for (ssize_t n; (n = read(report[0], buf, sizeof buf)) > 0;) all.append(buf, static_cast<size_t>(n));
  close(report[0]);
  std::string expected;
  for (int r = 0; r < kReaders; ++r) expected += std::string(printers[kChanges % 2]) + "\n";
  EXPECT_EQ(all, expected);
}

}  // namespace
