// The platform-shaped calls over a virtual spooler: the size and count
// protocols, self-contained blocks, handles, names cut on a character
// boundary, and the backend choice from the environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "platform/spooler/WinSpool.h"

using spooler::Spooler;
using spooler::VirtualSpooler;

namespace {

class WinSpool : public ::testing::Test {
 protected:
  void Use(const std::string& json) {
    vs = VirtualSpooler::FromJson(json, "test");
    ASSERT_EQ(vs->LoadError(), "");
    Spooler::UseBackend(vs);
  }
  void TearDown() override { Spooler::Reset(); }
  std::shared_ptr<VirtualSpooler> vs;
};

// Every pointer of a block must lie inside the caller's buffer.
void ExpectInside(const PRINTER_INFO_2A& e, const unsigned char* buf, size_t size) {
  auto inside = [&](const void* p) {
    auto* b = static_cast<const unsigned char*>(p);
    return p && b >= buf && b < buf + size;
  };
  for (const char* s : {e.pServerName, e.pPrinterName, e.pShareName, e.pPortName, e.pDriverName, e.pComment,
                        e.pLocation, e.pSepFile, e.pPrintProcessor, e.pDatatype, e.pParameters})
    EXPECT_TRUE(inside(s));
  ASSERT_TRUE(inside(e.pDevMode));
  EXPECT_TRUE(inside(reinterpret_cast<const unsigned char*>(e.pDevMode) + sizeof(DEVMODEA) - 1));
}

const char* kTwo = R"({"printers": [
  {"name": "レーザー", "port": "lpt1:", "driver": "D", "comment": "C", "location": "L", "status": 8,
   "devmode": {"paper": -1, "bin": 15, "orientation": 2}},
  {"name": "Second", "port": "usb://x"}]})";

// A print server whose answers grow between a caller's count and its fill.
class GrowingBackend : public spooler::SpoolerBackend {
 public:
  bool Enumerate(std::vector<spooler::PrinterEntry>* out, std::string*) override {
    out->assign(1 + calls++, {});
    for (size_t i = 0; i < out->size(); ++i) (*out)[i].name = "P" + std::to_string(i);
    return true;
  }
  bool Open(const std::string&, std::string*) override { return true; }
  bool GetPrinter(const std::string&, spooler::PrinterEntry*, std::string*) override { return false; }
  bool Capabilities(const std::string&, uint16_t cap, std::vector<uint16_t>* numbers, std::vector<std::string>* names,
                    std::string*) override {
    bool byNumber = cap == DC_PAPERS || cap == DC_BINS;
    for (int i = 0, n = 2 + calls++; i < n; ++i) {
      if (byNumber) numbers->push_back(static_cast<uint16_t>(i));
      if (!byNumber) names->push_back("N" + std::to_string(i));
    }
    return true;
  }
  bool DefaultPrinter(std::string*, std::string*) override { return false; }
  std::string Describe() const override { return "growing"; }
  int calls = 0;
};

}  // namespace

TEST_F(WinSpool, EnumerationFollowsTheSizeProtocolAndIsSelfContained) {
  Use(kTwo);
  uint32_t needed = 0, returned = 0;
  EXPECT_EQ(EnumPrintersA(6, nullptr, 2, nullptr, 0, &needed, &returned), 0);
  ASSERT_GT(needed, 2 * sizeof(PRINTER_INFO_2A));
  std::vector<unsigned char> small(needed - 1);
  EXPECT_EQ(EnumPrintersA(6, nullptr, 2, small.data(), needed - 1, &needed, &returned), 0);
  EXPECT_EQ(returned, 0u);

  std::unique_ptr<unsigned char[]> buf(new unsigned char[needed]);
  ASSERT_EQ(EnumPrintersA(6, nullptr, 2, buf.get(), needed, &needed, &returned), 1);
  ASSERT_EQ(returned, 2u);
  auto* e = reinterpret_cast<PRINTER_INFO_2A*>(buf.get());
  EXPECT_EQ(std::string(e[0].pPrinterName), mbcs::Cp932("レーザー"));
  EXPECT_STREQ(e[0].pLocation, "L");
  EXPECT_EQ(e[0].Status, 8u);
  EXPECT_EQ(e[0].pDevMode->dmSize, sizeof(DEVMODEA));
  EXPECT_EQ(e[0].pDevMode->dmPaperSize, -1);
  EXPECT_EQ(e[0].pDevMode->dmDefaultSource, 15);
  EXPECT_EQ(e[0].pDevMode->dmOrientation, 2);
  EXPECT_STREQ(e[1].pPortName, "usb://x");
  EXPECT_EQ(e[1].pDevMode->dmPaperSize, 9);  // A4 where the document names none
  ExpectInside(e[0], buf.get(), needed);
  ExpectInside(e[1], buf.get(), needed);

  // Nothing to list is a success, not a buffer to allocate.
  Use(R"({"printers": []})");
  EXPECT_EQ(EnumPrintersA(6, nullptr, 2, nullptr, 0, &needed, &returned), 1);
  EXPECT_EQ(needed, 0u);
  EXPECT_EQ(returned, 0u);
  Use(R"({"printers": [{"name": "A", "fail": ["enum"]}]})");
  EXPECT_EQ(EnumPrintersA(6, nullptr, 2, nullptr, 0, &needed, &returned), 0);
  EXPECT_EQ(needed, 0u);  // a failure, not a size to ask again with
  EXPECT_EQ(EnumPrintersA(6, nullptr, 1, nullptr, 0, &needed, &returned), 0);
}

TEST_F(WinSpool, HandlesRememberTheirPrinterAndDieWhenClosed) {
  Use(kTwo);
  HANDLE h = nullptr;
  ASSERT_EQ(OpenPrinterA("Second", &h, nullptr), 1);
  ASSERT_NE(h, nullptr);
  uint32_t needed = 0;
  EXPECT_EQ(GetPrinterA(h, 2, nullptr, 0, &needed), 0);
  ASSERT_GT(needed, sizeof(PRINTER_INFO_2A) + sizeof(DEVMODEA));
  std::unique_ptr<unsigned char[]> buf(new unsigned char[needed]);
  EXPECT_EQ(GetPrinterA(h, 2, buf.get(), needed - 1, &needed), 0);
  ASSERT_EQ(GetPrinterA(h, 2, buf.get(), needed, &needed), 1);
  auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buf.get());
  EXPECT_STREQ(info->pPrinterName, "Second");
  EXPECT_STREQ(info->pDevMode->dmDeviceName, "Second");
  ExpectInside(*info, buf.get(), needed);
  EXPECT_EQ(vs->Calls("Second", VirtualSpooler::kOpen), 1);
  EXPECT_EQ(vs->Calls("Second", VirtualSpooler::kGetPrinter), 3);

  EXPECT_EQ(ClosePrinter(h), 1);
  EXPECT_EQ(ClosePrinter(h), 0);
  EXPECT_EQ(GetPrinterA(h, 2, buf.get(), needed, &needed), 0);
  int local = 0;
  EXPECT_EQ(GetPrinterA(&local, 2, buf.get(), needed, &needed), 0);  // never handed out
  EXPECT_EQ(OpenPrinterA("Nobody", &h, nullptr), 0);
  EXPECT_EQ(h, nullptr);
  EXPECT_EQ(OpenPrinterA(nullptr, &h, nullptr), 0);
}

TEST_F(WinSpool, CapabilitiesCountFillAndCutNamesOnCharacterBoundary) {
  // 62 ASCII bytes then one double-byte character: 64 bytes, which with its
  // NUL does not fit a 64-byte field; the cut must drop the whole character.
  std::string a62(62, 'p'), b21(21, 'b'), b22(22, 'b');
  const std::string paperJson = R"([[9, ")" + a62 + R"(あ"], [8, "A3"]])";
  const std::string binJson = R"([[1, ")" + b22 + R"(あ"], [2, ")" + b21 + R"(あ"], [3, "ソ"]])";
  Use(R"({"printers": [{"name": "P", "papers": )" + paperJson + R"(, "bins": )" + binJson +
      R"(}, {"name": "Broken", "fail": ["papers"]}, {"name": "Raw", "port": "p", "papers": [], "bins": []}]})");
  EXPECT_EQ(DeviceCapabilitiesA("P", "", DC_PAPERS, nullptr, nullptr), 2);
  std::vector<uint16_t> papers(2);
  EXPECT_EQ(DeviceCapabilitiesA("P", "", DC_PAPERS, reinterpret_cast<char*>(papers.data()), nullptr), 2);
  EXPECT_EQ(papers, (std::vector<uint16_t>{9, 8}));

  std::vector<char> names(2 * kPaperNameField, 'x');
  EXPECT_EQ(DeviceCapabilitiesA("P", "", DC_PAPERNAMES, names.data(), nullptr), 2);
  EXPECT_EQ(std::string(names.data()), a62);
  EXPECT_EQ(std::string(names.data() + kPaperNameField), "A3");

  std::vector<char> bins(3 * kBinNameField, 'x');
  EXPECT_EQ(DeviceCapabilitiesA("P", "", DC_BINNAMES, bins.data(), nullptr), 3);
  EXPECT_EQ(std::string(bins.data()), b22);
  EXPECT_EQ(std::string(bins.data() + kBinNameField), b21 + mbcs::Cp932("あ"));  // 23 bytes fit
  EXPECT_EQ(std::string(bins.data() + 2 * kBinNameField), mbcs::Cp932("ソ"));    // trail byte 0x5C kept

  EXPECT_EQ(DeviceCapabilitiesA("Broken", "", DC_PAPERS, nullptr, nullptr), -1);
  EXPECT_EQ(DeviceCapabilitiesA("Nobody", "", DC_BINS, nullptr, nullptr), -1);
  EXPECT_EQ(DeviceCapabilitiesA("P", "", 99, nullptr, nullptr), -1);
  EXPECT_EQ(DeviceCapabilitiesA(nullptr, "", DC_BINS, nullptr, nullptr), -1);

  // Empty lists count zero; a caller that passes a buffer anyway gets nothing
  // written and no crash (the sanitizer run catches a copy from an empty
  // list's null storage).
  EXPECT_EQ(DeviceCapabilitiesA("Raw", "p", DC_PAPERS, nullptr, nullptr), 0);
  uint16_t sentinel = 0xEEEE;
  EXPECT_EQ(DeviceCapabilitiesA("Raw", "p", DC_PAPERS, reinterpret_cast<char*>(&sentinel), nullptr), 0);
  EXPECT_EQ(DeviceCapabilitiesA("Raw", "p", DC_BINS, reinterpret_cast<char*>(&sentinel), nullptr), 0);
  EXPECT_EQ(sentinel, 0xEEEE);
}

TEST_F(WinSpool, FillNeverWritesPastWhatTheCountPromised) {
  Spooler::UseBackend(std::make_shared<GrowingBackend>());
  int count = DeviceCapabilitiesA("P", "", DC_BINS, nullptr, nullptr);
  ASSERT_EQ(count, 2);
  std::vector<uint16_t> bins(count + 4, 0xEEEE);
  EXPECT_EQ(DeviceCapabilitiesA("P", "", DC_BINS, reinterpret_cast<char*>(bins.data()), nullptr), 3);
  EXPECT_EQ(bins[1], 1);
  EXPECT_EQ(bins[2], 0xEEEE);
  // The names are sized by the number count when their own was never asked.
  std::vector<char> names((count + 4) * kBinNameField, 'x');
  EXPECT_EQ(DeviceCapabilitiesA("P", "", DC_BINNAMES, names.data(), nullptr), 4);
  EXPECT_EQ(std::string(names.data() + kBinNameField), "N1");
  EXPECT_EQ(names[2 * kBinNameField], 'x');

  // An enumeration that grew between the size query and the fill asks again.
  uint32_t needed = 0, returned = 0;
  EnumPrintersA(6, nullptr, 2, nullptr, 0, &needed, &returned);
  std::unique_ptr<unsigned char[]> buf(new unsigned char[needed]);
  uint32_t first = needed;
  EXPECT_EQ(EnumPrintersA(6, nullptr, 2, buf.get(), first, &needed, &returned), 0);
  EXPECT_GT(needed, first);
}

TEST(SpoolerChoice, EnvironmentPicksTheBackendOnceUntilReset) {
  const std::string demo = std::string(QUORPRN_TEST_DATA) + "/spooler/demo.json";
  setenv("QUORPRN_SPOOLER", demo.c_str(), 1);
  Spooler::Reset();
  auto chosen = Spooler::Current();
  ASSERT_NE(dynamic_cast<VirtualSpooler*>(chosen.get()), nullptr);
  EXPECT_NE(chosen->Describe().find("demo.json"), std::string::npos);
  std::string def;
  EXPECT_TRUE(GetDefaultPrinterName(&def));
  EXPECT_EQ(def, "Office Laser");

  setenv("QUORPRN_SPOOLER", "cups", 1);
  EXPECT_EQ(Spooler::Current(), chosen);  // chosen once
  Spooler::Reset();
  EXPECT_EQ(dynamic_cast<VirtualSpooler*>(Spooler::Current().get()), nullptr);
  unsetenv("QUORPRN_SPOOLER");
  Spooler::Reset();
  EXPECT_EQ(dynamic_cast<VirtualSpooler*>(Spooler::Current().get()), nullptr);

  testing::internal::CaptureStderr();
  Spooler::UseJsonFile("/nonexistent/printers.json");
  testing::internal::GetCapturedStderr();
  uint32_t needed = 1, returned = 1;
  EXPECT_EQ(EnumPrintersA(6, nullptr, 2, nullptr, 0, &needed, &returned), 1);  // an empty list
  EXPECT_EQ(returned, 0u);
  Spooler::Reset();
}
