// The CUPS backend against a cupsd of the test's own with five queues: a
// laser printer with a PPD (the default, with state reasons set through IPP),
// a dot-matrix printer with a PPD (disabled), a raw queue, and two raw queues
// whose names test the code page 932 boundary; skipped only where cupsd is not
// installed. Then without a usable server: none at all, and one that accepts
// connections and never answers. Neither may hang a host's user interface; the
// bounds asserted are safety limits, not speed goals.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "CupsdSuite.h"
#include "platform/cups/CupsSpooler.h"
#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/WinSpool.h"

using spooler::OpenCupsSpooler;
using spooler::PrinterEntry;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using Clock = std::chrono::steady_clock;

namespace {

// The named printer of the list; a blank entry, which fails every field
// expectation, when it is not there.
const PrinterEntry& Find(const std::vector<PrinterEntry>& list, const std::string& name) {
  static const PrinterEntry absent{};
  auto it = std::find_if(list.begin(), list.end(), [&](const PrinterEntry& e) { return e.name == name; });
  return it == list.end() ? absent : *it;
}

std::string DefaultName() {
  std::string name, error;
  EXPECT_TRUE(OpenCupsSpooler()->DefaultPrinter(&name, &error)) << error;
  return name;
}

std::vector<uint16_t> Numbers(const std::string& printer, uint16_t capability) {
  std::vector<uint16_t> numbers;
  std::string error;
  EXPECT_TRUE(OpenCupsSpooler()->Capabilities(printer, capability, &numbers, nullptr, &error)) << error;
  return numbers;
}

std::vector<std::string> Names(const std::string& printer, uint16_t capability) {
  std::vector<std::string> names;
  std::string error;
  EXPECT_TRUE(OpenCupsSpooler()->Capabilities(printer, capability, nullptr, &names, &error)) << error;
  return names;
}

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// A unix socket in place of the server. Silent (no answer given): the kernel
// completes and queues connections that nobody ever accepts or answers.
// Otherwise every request, read whole, gets `answer` and the connection is
// closed.
class StubServer {
 public:
  explicit StubServer(std::string answer = {}) : answer_(std::move(answer)) {
    path_ = (std::filesystem::temp_directory_path() / ("quorprn-stub-" + std::to_string(getpid()))).string();
    listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path_.copy(address.sun_path, sizeof address.sun_path - 1);
    ok_ = listener_ >= 0 && bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
          listen(listener_, SOMAXCONN) == 0;
    if (ok_ && !answer_.empty()) answering_ = std::thread([this] { Answer(); });
  }
  ~StubServer() {
    if (listener_ >= 0) shutdown(listener_, SHUT_RDWR);
    if (answering_.joinable()) answering_.join();
    if (listener_ >= 0) close(listener_);
    unlink(path_.c_str());
  }
  bool ok() const { return ok_; }
  const std::string& path() const { return path_; }

 private:
  void Answer() {
    for (int client; (client = accept(listener_, nullptr, nullptr)) >= 0; close(client)) {
      std::string request;
      char piece[4096];
      size_t end = std::string::npos, length = 0;
      while (end == std::string::npos || request.size() < end + 4 + length) {
        ssize_t n = recv(client, piece, sizeof piece, 0);
        if (n <= 0) break;
        request.append(piece, static_cast<size_t>(n));
        if (end == std::string::npos && (end = request.find("\r\n\r\n")) != std::string::npos) {
          size_t at = request.find("Content-Length: ");
          if (at != std::string::npos && at < end) length = std::strtoul(request.c_str() + at + 16, nullptr, 10);
        }
      }
      (void)!write(client, answer_.data(), answer_.size());
    }
  }

  std::string answer_;
  std::string path_;
  int listener_ = -1;
  bool ok_ = false;
  std::thread answering_;
};

}  // namespace

class CupsIntegration : public CupsdSuite {
 protected:
  static void SetUpTestSuite() {
    started_ = Clock::now();
    const std::string data = std::string(QUORPRN_TEST_DATA) + "/cups/";
    if (!StartWith({
            {"lpadmin", "-p", "RawQ", "-E", "-v", "file:///dev/null", "-D", "Raw queue", "-L", "Room 1"},
            {"lpadmin", "-p", "LaserA", "-E", "-v", "file:///dev/null", "-P", data + "laser.ppd", "-D", "Laser (info)",
             "-L", "Lab 2"},
            {"lpadmin", "-p", "DotB", "-E", "-v", "file:///dev/null", "-P", data + "dotmatrix.ppd", "-D", "Dot", "-L",
             "Lab 3"},
            {"lpadmin", "-p", "経理プリンタ", "-E", "-v", "file:///dev/null", "-D", "経理部"},
            {"lpadmin", "-p", "Emoji😀", "-E", "-v", "file:///dev/null"},
            {"lpadmin", "-d", "LaserA"},
            {"cupsdisable", "-r", "paused for test", "DotB"},
        }))
      return;
    sandbox_->SetStateReasons("LaserA", {"media-empty-error", "toner-low-warning", "door-open-report"}, &setupError_);
  }
  static void TearDownTestSuite() {
    CupsdSuite::TearDownTestSuite();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started_);
    std::printf("CUPS integration: %lld ms with the daemon's start and stop\n", static_cast<long long>(ms.count()));
  }
  static inline Clock::time_point started_;
};

// Found by name (no listing yet) or in the listing, a printer reads the same;
// the name is matched without regard to case, as the server does.
TEST_F(CupsIntegration, ListingGivesDetailsAndStatusBitsAndAPrinterFoundByNameReadsTheSame) {
  OnFreshThread([] {
    std::vector<PrinterEntry> list;
    std::string error;
    ASSERT_TRUE(OpenCupsSpooler()->Enumerate(&list, &error)) << error;
    // The emoji cannot be written in code page 932: left out, not mangled.
    ASSERT_EQ(list.size(), 4u);
    auto fields = [](const PrinterEntry& e) {
      return std::vector<std::string>{e.name, e.port, e.driver, e.comment, e.location, std::to_string(e.status)};
    };
    const uint32_t laserStatus = PRINTER_STATUS_PAPER_OUT | PRINTER_STATUS_TONER_LOW | PRINTER_STATUS_DOOR_OPEN;
    EXPECT_EQ(fields(Find(list, "LaserA")),
              (std::vector<std::string>{"LaserA", "file:///dev/null", "Quor Laser 100", "Laser (info)", "Lab 2",
                                        std::to_string(laserStatus)}));
    EXPECT_EQ(Find(list, "DotB").status, PRINTER_STATUS_PAUSED);
    EXPECT_EQ(Find(list, "RawQ").status, 0u);
    EXPECT_EQ(Find(list, "RawQ").driver, "Local Raw Printer");
    EXPECT_EQ(Find(list, mbcs::Cp932("経理プリンタ")).comment, mbcs::Cp932("経理部"));
    for (const PrinterEntry& listed : list) {
      PrinterEntry named;
      ASSERT_TRUE(OpenCupsSpooler()->GetPrinter(listed.name, &named, &error)) << error;
      EXPECT_EQ(fields(named), fields(listed));
    }
    PrinterEntry lower;
    ASSERT_TRUE(OpenCupsSpooler()->GetPrinter("lasera", &lower, &error)) << error;
    EXPECT_EQ(lower.name, "LaserA");
  });
}

TEST_F(CupsIntegration, DefaultPrinterFollowsEnvironmentAndUserOptions) {
  OnFreshThread([] {
    EXPECT_EQ(DefaultName(), "LaserA");
    setenv("PRINTER", "RawQ", 1);
    EXPECT_EQ(DefaultName(), "RawQ");
    setenv("LPDEST", "DotB", 1);
    EXPECT_EQ(DefaultName(), "DotB");
    unsetenv("PRINTER");
    unsetenv("LPDEST");
  });
  std::filesystem::create_directories(sandbox_->Folder() + "/home/.cups");
  std::ofstream(sandbox_->Folder() + "/home/.cups/lpoptions")
      << "Default RawQ\nDest LaserA media=iso_a3_297x420mm media-source=manual\n";
  OnFreshThread([] {
    EXPECT_EQ(DefaultName(), "RawQ");
    // The user's paper and source for a printer override the printer's.
    auto cups = OpenCupsSpooler();
    PrinterEntry laser;
    std::string error;
    ASSERT_TRUE(cups->GetPrinter("LaserA", &laser, &error)) << error;
    EXPECT_EQ(laser.paper, 8);
    EXPECT_EQ(laser.bin, 4);
    std::vector<PrinterEntry> list;
    ASSERT_TRUE(cups->Enumerate(&list, &error)) << error;
    EXPECT_EQ(Find(list, "LaserA").paper, 8);
    EXPECT_EQ(Find(list, "LaserA").bin, 4);
  });
  std::filesystem::remove(sandbox_->Folder() + "/home/.cups/lpoptions");
}

TEST_F(CupsIntegration, PapersBinsAndDeviceSettingsWithPlatformNumbersAndARawQueueFallback) {
  OnFreshThread([] {
    EXPECT_EQ(Numbers("LaserA", DC_PAPERS), (std::vector<uint16_t>{1, 9, 8, 13}));
    EXPECT_EQ(Numbers("LaserA", DC_BINS), (std::vector<uint16_t>{7, 1, 2, 4}));
    // Whatever the locale, CUPS or our table calls it A4, never "210 x 297 mm".
    EXPECT_THAT(Names("LaserA", DC_PAPERNAMES), ElementsAre(Not(IsEmpty()), "A4", Not(IsEmpty()), Not(IsEmpty())));
    EXPECT_EQ(Names("LaserA", DC_BINNAMES).size(), 4u);
    // Fan-fold 15 x 11 in, JIS B4, the postcard by its size, and a slip that
    // no table knows, which gets a number of the user range.
    EXPECT_THAT(Numbers("DotB", DC_PAPERS), ElementsAre(1, 46, 12, 43, ::testing::Gt(256)));
    EXPECT_EQ(Numbers("DotB", DC_BINS), (std::vector<uint16_t>{8, 14, 258}));
    EXPECT_THAT(Names("DotB", DC_BINNAMES), ElementsAre(Not(IsEmpty()), Not(IsEmpty()), Not(IsEmpty())));

    auto cups = OpenCupsSpooler();
    PrinterEntry entry;
    std::string error;
    ASSERT_TRUE(cups->GetPrinter("LaserA", &entry, &error)) << error;
    EXPECT_EQ(entry.paper, 9);
    EXPECT_EQ(entry.bin, 7);
    // Its PPD offers two-sided printing, long edge by default, and no colour.
    EXPECT_TRUE(entry.offersDuplex);
    EXPECT_EQ(entry.duplex, DMDUP_VERTICAL);
    EXPECT_FALSE(entry.offersColor);
    ASSERT_TRUE(cups->GetPrinter("DotB", &entry, &error)) << error;
    EXPECT_EQ(entry.paper, 1);
    EXPECT_EQ(entry.bin, 8);  // no automatic selection: the first source
    EXPECT_FALSE(entry.offersDuplex);
    ASSERT_TRUE(cups->GetPrinter("RawQ", &entry, &error)) << error;
    EXPECT_EQ(entry.paper, 9);
    EXPECT_EQ(entry.bin, 7);
    EXPECT_EQ(Numbers("RawQ", DC_PAPERS), (std::vector<uint16_t>{9}));
    EXPECT_EQ(Names("RawQ", DC_PAPERNAMES), (std::vector<std::string>{"A4"}));
    EXPECT_EQ(Numbers("RawQ", DC_BINS), (std::vector<uint16_t>{7}));
    EXPECT_EQ(Names("RawQ", DC_BINNAMES), (std::vector<std::string>{mbcs::Cp932("自動選択")}));
  });
}

TEST_F(CupsIntegration, UnknownPrintersAndNamesFailWithAMessage) {
  OnFreshThread([] {
    auto cups = OpenCupsSpooler();
    std::string error;
    EXPECT_TRUE(cups->Open(mbcs::Cp932("経理プリンタ"), &error)) << error;
    EXPECT_FALSE(cups->Open("NoSuchPrinter", &error));
    EXPECT_NE(error.find("NoSuchPrinter"), std::string::npos) << error;
    error.clear();
    PrinterEntry entry;
    EXPECT_FALSE(cups->GetPrinter("NoSuchPrinter", &entry, &error));
    EXPECT_FALSE(error.empty());
    std::vector<uint16_t> numbers;
    EXPECT_FALSE(cups->Capabilities("NoSuchPrinter", DC_PAPERS, &numbers, nullptr, &error));
    EXPECT_FALSE(cups->Capabilities("LaserA", 99, &numbers, nullptr, &error));
    EXPECT_FALSE(cups->Open("", &error));
    EXPECT_FALSE(cups->Open("\x83", &error));  // a lone lead byte is no name
  });
}

TEST_F(CupsIntegration, PlatformCallsOverTheCupsBackend) {
  OnFreshThread([] {
    spooler::Spooler::UseCups();
    uint32_t needed = 0, returned = 0;
    EXPECT_EQ(EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &returned),
              0);
    ASSERT_GT(needed, 0u);
    std::vector<uint64_t> block((needed + 7) / 8);
    auto* buffer = reinterpret_cast<unsigned char*>(block.data());
    ASSERT_EQ(EnumPrintersA(6, nullptr, 2, buffer, needed, &needed, &returned), 1);
    EXPECT_EQ(returned, 4u);

    HANDLE handle = nullptr;
    PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
    ASSERT_NE(OpenPrinterA("DotB", &handle, &defaults), 0);
    EXPECT_EQ(GetPrinterA(handle, 2, nullptr, 0, &needed), 0);
    std::vector<uint64_t> one((needed + 7) / 8);
    ASSERT_NE(GetPrinterA(handle, 2, reinterpret_cast<unsigned char*>(one.data()), needed, &needed), 0);
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(one.data());
    ASSERT_NE(info->pDevMode, nullptr);
    EXPECT_EQ(info->pDevMode->dmPaperSize, 1);
    EXPECT_EQ(info->pDevMode->dmDefaultSource, 8);
    EXPECT_NE(ClosePrinter(handle), 0);
    EXPECT_EQ(OpenPrinterA("NoSuchPrinter", &handle, &defaults), 0);

    // The count protocol: ask the count, then fill exactly that many.
    int papers = DeviceCapabilitiesA("DotB", "file:///dev/null", DC_PAPERS, nullptr, nullptr);
    ASSERT_EQ(papers, 5);
    std::vector<uint16_t> numbers(papers);
    EXPECT_EQ(DeviceCapabilitiesA("DotB", "", DC_PAPERS, reinterpret_cast<char*>(numbers.data()), nullptr), papers);
    EXPECT_EQ(numbers[1], 46);
    int names = DeviceCapabilitiesA("DotB", "", DC_PAPERNAMES, nullptr, nullptr);
    ASSERT_EQ(names, papers);
    std::vector<char> fields(static_cast<size_t>(names) * kPaperNameField, 'x');
    EXPECT_EQ(DeviceCapabilitiesA("DotB", "", DC_PAPERNAMES, fields.data(), nullptr), names);
    for (int i = 0; i < names; ++i) {
      const char* field = fields.data() + i * kPaperNameField;
      EXPECT_LT(strnlen(field, kPaperNameField), static_cast<size_t>(kPaperNameField));
      EXPECT_GT(strnlen(field, kPaperNameField), 0u);
    }
    EXPECT_EQ(DeviceCapabilitiesA("RawQ", "", DC_BINS, nullptr, nullptr), 1);
    EXPECT_EQ(DeviceCapabilitiesA("NoSuchPrinter", "", DC_BINS, nullptr, nullptr), -1);

    std::string name;
    EXPECT_TRUE(GetDefaultPrinterName(&name));
    EXPECT_EQ(name, "LaserA");
    spooler::Spooler::Reset();
  });
}

// One connection for a run of calls; one listing answers the count
// protocol's two enumerations and the calls on one printer until the next
// refresh, except for a name it lacks, which is asked for again.
TEST_F(CupsIntegration, OneConnectionAndTheLastListingUntilTheNextRefresh) {
  OnFreshThread([] {
    auto cups = OpenCupsSpooler();
    long opened = spooler::CupsConnectionsOpened();
    // The access log is written after each answer: read it once it has
    // stopped growing (bounded), however slow the machine.
    auto settled = [] {
      long n = sandbox_->Requests();
      for (int i = 0; i < 30; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const long m = sandbox_->Requests();
        if (m == n) break;
        n = m;
      }
      return n;
    };
    std::vector<PrinterEntry> list;
    std::string error;
    ASSERT_TRUE(cups->Enumerate(&list, &error)) << error;
    ASSERT_TRUE(cups->Enumerate(&list, &error)) << error;
    const long listed = settled();
    PrinterEntry entry;
    EXPECT_TRUE(cups->Open("LaserA", &error)) << error;
    EXPECT_TRUE(cups->GetPrinter("LaserA", &entry, &error)) << error;
    EXPECT_EQ(entry.paper, 9);
    std::vector<uint16_t> numbers;
    EXPECT_TRUE(cups->Capabilities("LaserA", DC_BINS, &numbers, nullptr, &error)) << error;
    // The printer's attributes at most: finding it takes no second listing.
    EXPECT_LE(settled() - listed, 1);

    ASSERT_TRUE(sandbox_->Run({"lpadmin", "-p", "Added", "-E", "-v", "file:///dev/null"}, &error)) << error;
    EXPECT_TRUE(cups->Open("Added", &error)) << error;
    ASSERT_TRUE(sandbox_->Run({"lpadmin", "-x", "Added"}, &error)) << error;
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    ASSERT_TRUE(cups->Enumerate(&list, &error)) << error;
    EXPECT_TRUE(Find(list, "Added").name.empty());
    EXPECT_FALSE(cups->Open("Added", &error));
    EXPECT_EQ(spooler::CupsConnectionsOpened() - opened, 1);
  });
}

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
  StubServer server;
  ASSERT_TRUE(server.ok());
  setenv("CUPS_SERVER", server.path().c_str(), 1);
  OnFreshThread([] {
    auto cups = OpenCupsSpooler();
    auto start = Clock::now();
    std::vector<PrinterEntry> list;
    std::string error;
    EXPECT_FALSE(cups->Enumerate(&list, &error));
    EXPECT_NE(error.find("no answer"), std::string::npos) << error;
    EXPECT_LT(SecondsSince(start), 20.0);
    start = Clock::now();
    PrinterEntry entry;
    EXPECT_FALSE(cups->GetPrinter("LaserA", &entry, &error));
    EXPECT_LT(SecondsSince(start), 20.0);
  });
  unsetenv("CUPS_SERVER");
}

TEST(CupsUnreachable, AnswersAreReadToTheirEndWhicheverWayItIsMarked) {
  // Version 2.0, status OK, request 1, the operation group, then one printer.
  const std::string ipp = std::string("\x02\x00\x00\x00\x00\x00\x00\x01\x01", 9) +
                          std::string("\x47\x00\x12" "attributes-charset" "\x00\x05" "utf-8", 28) +
                          std::string("\x04\x42\x00\x0c" "printer-name" "\x00\x02" "Q1" "\x03", 21);
  const std::string ok = "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n";
  struct Case {
    std::string answer, failure;  // no failure: the printer Q1 is listed
  } cases[] = {
      {ok + "Content-Length: " + std::to_string(ipp.size()) + "\r\n\r\n" + ipp, ""},
      // No length and no chunks: the body ends where the server closes.
      {ok + "Connection: close\r\n\r\n" + ipp, ""},
      {ok + "Content-Length: 11\r\n\r\nhello world", "not IPP"},
      // The connection closes long before the length promised.
      {ok + "Content-Length: 900\r\n\r\n" + ipp.substr(0, 9), "broke off"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer.substr(ok.size(), 40));
    StubServer server(c.answer);
    ASSERT_TRUE(server.ok());
    setenv("CUPS_SERVER", server.path().c_str(), 1);
    OnFreshThread([&c] {
      std::vector<PrinterEntry> list;
      std::string error;
      EXPECT_EQ(OpenCupsSpooler()->Enumerate(&list, &error), c.failure.empty()) << error;
      EXPECT_NE(error.find(c.failure), std::string::npos) << error;
      EXPECT_EQ(list.size(), c.failure.empty() ? 1u : 0u);
    });
    unsetenv("CUPS_SERVER");
  }
}
