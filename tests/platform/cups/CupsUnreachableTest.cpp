// The CUPS backend without a usable server: none at all, and one that accepts
// connections and never answers. Neither may hang a host's user interface; the
// bounds asserted are safety limits, not speed goals.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "CupsdSandbox.h"
#include "platform/cups/CupsSpooler.h"
#include "platform/spooler/WinSpool.h"

using spooler::OpenCupsSpooler;
using spooler::PrinterEntry;
using Clock = std::chrono::steady_clock;

namespace {

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// A unix socket whose connections the kernel completes and queues, and that
// nobody ever accepts or answers.
class SilentServer {
 public:
  SilentServer() {
    folder_ = std::filesystem::temp_directory_path() / ("quorprn-silent-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_);
    path_ = (folder_ / "cups.sock").string();
    listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path_.copy(address.sun_path, sizeof address.sun_path - 1);
    ok_ = listener_ >= 0 && bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
          listen(listener_, SOMAXCONN) == 0;
  }
  ~SilentServer() {
    if (listener_ >= 0) close(listener_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  bool ok() const { return ok_; }
  const std::string& path() const { return path_; }

 private:
  std::filesystem::path folder_;
  std::string path_;
  int listener_ = -1;
  bool ok_ = false;
};

}  // namespace

TEST(CupsUnreachable, NoServerIsAnEmptyPrinterListAtOnce) {
  setenv("CUPS_SERVER", "/nonexistent/quorprn/cups.sock", 1);
  OnFreshThread([] {
    auto cups = OpenCupsSpooler();
    auto start = Clock::now();
    std::vector<PrinterEntry> list(1);
    std::string error;
    EXPECT_TRUE(cups->Enumerate(&list, &error)) << error;
    EXPECT_TRUE(list.empty());
    std::string name;
    EXPECT_FALSE(cups->DefaultPrinter(&name, &error));
    std::vector<uint16_t> numbers;
    EXPECT_FALSE(cups->Capabilities("LaserA", DC_PAPERS, &numbers, nullptr, &error));
    EXPECT_NE(error.find("no CUPS server"), std::string::npos) << error;
    EXPECT_LT(SecondsSince(start), 5.0);
  });
  unsetenv("CUPS_SERVER");
}

TEST(CupsUnreachable, SilentServerFailsWithinTheBound) {
  SilentServer server;
  ASSERT_TRUE(server.ok());
  setenv("CUPS_SERVER", server.path().c_str(), 1);
  OnFreshThread([] {
    auto cups = OpenCupsSpooler();
    auto start = Clock::now();
    std::vector<PrinterEntry> list;
    std::string error;
    EXPECT_FALSE(cups->Enumerate(&list, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_LT(SecondsSince(start), 20.0);
    start = Clock::now();
    PrinterEntry entry;
    EXPECT_FALSE(cups->GetPrinter("LaserA", &entry, &error));
    EXPECT_LT(SecondsSince(start), 20.0);
  });
  unsetenv("CUPS_SERVER");
}
