// Crash soak: the command killed with SIGKILL at random moments, over and
// over, while it imports a large .reg file or writes stored settings. After
// every kill the hive must pass the storage engine's integrity check, an
// import must have left all of its values or none, and every store write the
// command finished must still be there, each value whole.
//
// The moments are drawn from a seed printed with each failure, so a failing
// round can be run again.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include "CommandRunner.h"
#include "platform/registry/SqliteHive.h"

namespace {

using Clock = std::chrono::steady_clock;

class CrashSoak : public CommandRunner {
 protected:
  void SetUp() override {
    CommandRunner::SetUp();
    seed = std::random_device{}();
    rng.seed(seed);
  }

  // Starts the command, output discarded; in a process group of its own
  // unless it is to die with the process that started it.
  pid_t Start(const std::string& hiveFile, const std::vector<std::string>& args, bool ownGroup = true) {
    std::vector<std::string> all = {QUORPRN_CLI, "--registry", hiveFile, "--spooler", spooler};
    all.insert(all.end(), args.begin(), args.end());
    pid_t pid = fork();
    if (pid == 0) {
      if (ownGroup) setpgid(0, 0);
      std::freopen("/dev/null", "w", stdout);
      std::freopen("/dev/null", "w", stderr);
      std::vector<char*> argv;
      for (auto& a : all) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    return pid;
  }
  static int Wait(pid_t pid) {
    int status = -1;
    waitpid(pid, &status, 0);
    return status;
  }
  // A random pause of up to `maxMs`.
  void PauseUpTo(double maxMs) {
    std::uniform_real_distribution<double> ms(0.0, maxMs);
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<int64_t>(ms(rng) * 1000)));
  }
  // The values of `key`, or none when the key does not exist.
  static std::vector<registry::NamedValue> ValuesOf(const std::string& hiveFile, const std::string& key) {
    registry::KeySnapshot snapshot;
    registry::RegError err;
    if (!registry::OpenSqliteHive(hiveFile)->ReadKey(key, false, &snapshot, &err)) {
      EXPECT_EQ(err.code, registry::kNotFound) << err.message;
      return {};
    }
    return snapshot.Values();
  }
  static void ExpectSound(const std::string& hiveFile) {
    std::string report;
    EXPECT_TRUE(registry::CheckSqliteHive(hiveFile, &report)) << hiveFile << ": " << report;
  }

  uint32_t seed = 0;
  std::mt19937 rng;
};

constexpr int kImportValues = 3000;
const std::string kImportKey = "SOFTWARE\\Olvanet\\Sarvo\\SOAK\\JOB\\Print\\Colors\\Preset01";

TEST_F(CrashSoak, ImportKilledAtRandomMomentsLeavesAllValuesOrNone) {
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::string reg = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\" + kImportKey + "]\r\n";
  char line[64];
  for (int n = 1; n <= kImportValues; ++n) {
    std::snprintf(line, sizeof line, "\"V%04d\"=dword:%08x\r\n", n, n);
    reg += line;
  }
  const std::string file = Path("soak.reg");
  Write(file, reg);

  // One undisturbed import tells how long the window for a kill is.
  const std::string whole = Path("whole.db");
  const auto start = Clock::now();
  ASSERT_EQ(WEXITSTATUS(Wait(Start(whole, {"reg", "import", file}))), 0);
  const double importMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  ASSERT_EQ(ValuesOf(whole, kImportKey).size(), static_cast<size_t>(kImportValues));

  int none = 0, all = 0;
  for (int round = 0; round < 30; ++round) {
    const std::string hiveFile = Path("kill" + std::to_string(round) + ".db");
    pid_t pid = Start(hiveFile, {"reg", "import", file});
    PauseUpTo(importMs * 1.2);
    kill(pid, SIGKILL);
    Wait(pid);
    if (!std::filesystem::exists(hiveFile)) {  // killed before it made the file
      ++none;
      continue;
    }
    // The first ordinary open rolls back what the kill left half done; the
    // check itself only reads.
    const auto values = ValuesOf(hiveFile, kImportKey);
    ExpectSound(hiveFile);
    if (values.empty()) {
      ++none;
    } else {
      ++all;
      ASSERT_EQ(values.size(), static_cast<size_t>(kImportValues)) << "round " << round;
      int32_t last = 0;
      EXPECT_TRUE(values.back().value.AsNumber(&last));
      EXPECT_EQ(last, kImportValues);
    }
  }
  RecordProperty("imports_killed_before_commit", none);
  RecordProperty("imports_complete_when_killed", all);
}

// A sequence of printer writes, generation after generation; a driver
// process runs the command once per generation and tells each one that
// finished. The driver and the command are killed together.
TEST_F(CrashSoak, StoreWritesKilledMidSequenceKeepEveryFinishedWriteWhole) {
  SCOPED_TRACE("seed " + std::to_string(seed));
  const std::string key = "SOFTWARE\\Olvanet\\Sarvo\\SOAK\\JOB\\Print\\PrinterSet01\\Office Laser";
  ASSERT_EQ(Run({"create-set", "SOAK", "JOB", "1"}).status, 0);
  auto write = [&](int32_t gen) {
    const std::string g = std::to_string(gen), s = std::to_string(1000 + gen);
    return std::vector<std::string>{"create-printer", "SOAK", "JOB",         "1", "Office Laser", "--offset-x",
                                    g,                "--offset-y", g, "--scale-x", s,            "--scale-y",
                                    s};
  };
  const auto start = Clock::now();
  ASSERT_EQ(WEXITSTATUS(Wait(Start(hive, write(1)))), 0);
  const double writeMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();

  int32_t finished = 1;
  for (int round = 0; round < 12; ++round) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const int32_t first = finished + 1;
    pid_t driver = fork();
    if (driver == 0) {
      setpgid(0, 0);
      close(fds[0]);
      for (int32_t gen = first;; ++gen) {
        const int status = Wait(Start(hive, write(gen), /*ownGroup=*/false));
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) _exit(1);
        if (::write(fds[1], &gen, sizeof gen) != sizeof gen) _exit(1);
      }
    }
    setpgid(driver, driver);
    close(fds[1]);
    std::uniform_int_distribution<int> wanted(0, 3);
    for (int n = wanted(rng), gen; n > 0 && read(fds[0], &gen, sizeof gen) == sizeof gen; --n) finished = gen;
    PauseUpTo(writeMs);
    kill(-driver, SIGKILL);
    Wait(driver);
    for (int32_t gen; read(fds[0], &gen, sizeof gen) == sizeof gen;) finished = gen;
    close(fds[0]);
    // The command the driver started dies with it, though not at the same
    // instant.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));

    const auto values = ValuesOf(hive, key);
    ExpectSound(hive);
    // Each value is the finished generation's, or the next one's when the
    // kill came between two of its writes; never older, never torn.
    ASSERT_FALSE(values.empty()) << "round " << round;
    for (const auto& v : values) {
      int32_t n = 0;
      ASSERT_TRUE(v.value.AsNumber(&n)) << v.name;
      const int32_t base = (v.name == "ScaleX" || v.name == "ScaleY") ? 1000 : 0;
      if (v.name == "ScaleX" || v.name == "ScaleY" || v.name == "OffsetX" || v.name == "OffsetY") {
        EXPECT_GE(n - base, finished) << v.name << " round " << round;
        EXPECT_LE(n - base, finished + 1) << v.name << " round " << round;
      }
    }
  }
  RecordProperty("generations_written", finished);
}

}  // namespace
