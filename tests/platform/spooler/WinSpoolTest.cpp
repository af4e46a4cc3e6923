// The platform-shaped calls over a virtual spooler: the size and count
// protocols, self-contained blocks, handles, names cut on a character
// boundary, the backend choice from the environment, and the property-sheet
// call with a prompt that answers without a window (what OK and Cancel hand
// back, values the printer does not offer, printers that cannot be queried).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "GrowingSpooler.h"
#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/PropertySheetPrompt.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "platform/spooler/WinSpool.h"
#include "tests/support/Sandbox.h"

using spooler::PropertySheetOffer;
using spooler::Spooler;
using spooler::VirtualSpooler;

namespace {

class WinSpool : public ::testing::Test {
 protected:
  void Use(const std::string& json) { vs = testsupport::UseSpooler(json); }
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
  EXPECT_EQ(std::string(e[0].pPrinterName) + "|" + e[0].pLocation, mbcs::Cp932("レーザー|L"));
  const DEVMODEA& dm = *e[0].pDevMode;
  EXPECT_EQ(std::vector<int>({int(e[0].Status), dm.dmSize, dm.dmPaperSize, dm.dmDefaultSource, dm.dmOrientation}),
            std::vector<int>({8, int(sizeof(DEVMODEA)), -1, 15, 2}));
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
  Spooler::UseBackend(std::make_shared<GrowingSpooler>());
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

namespace {

const char* kPrinters = R"({"printers": [
  {"name": "Colour", "color": true, "duplex": true,
   "devmode": {"paper": 8, "bin": 7, "orientation": 2, "color": 2, "duplex": 2},
   "papers": [[9, "A4"], [8, "A3"]], "bins": [[7, "Auto"], [1, "Tray 1"]]},
  {"name": "Mono", "papers": [[9, "A4"]], "bins": [[7, "Auto"]]},
  {"name": "Gone", "fail": ["getPrinter"]},
  {"name": "NoPapers", "fail": ["papers"], "bins": [[7, "Auto"]]},
  {"name": "Locked", "fail": ["open"]}]})";

class DocumentProperties : public ::testing::Test {
 protected:
  void SetUp() override {
    vs = testsupport::UseSpooler(kPrinters);
    // The prompt records what it was offered and then does what the case says.
    spooler::SetPropertySheetPrompt([this](HWND parent, const PropertySheetOffer& offer, DEVMODEA* dm) {
      ++prompts;
      seenParent = parent;
      seen = offer;
      shown = *dm;
      if (edit) edit(dm);
      return answer;
    });
  }
  void TearDown() override {
    for (HANDLE h : open) ClosePrinter(h);
    spooler::SetPropertySheetPrompt({});
    Spooler::Reset();
  }
  HANDLE Open(const char* name) {
    HANDLE h = nullptr;
    EXPECT_EQ(OpenPrinterA(name, &h, nullptr), 1) << name;
    open.push_back(h);
    return h;
  }
  static DEVMODEA Filled(uint8_t byte) {
    DEVMODEA dm;
    std::memset(&dm, byte, sizeof dm);
    return dm;
  }
  // paper, bin, orientation, copies, colour and duplex of a block.
  static std::vector<int> Choices(const DEVMODEA& d) {
    return {d.dmPaperSize, d.dmDefaultSource, d.dmOrientation, d.dmCopies, d.dmColor, d.dmDuplex};
  }

  std::shared_ptr<VirtualSpooler> vs;
  std::vector<HANDLE> open;
  int32_t answer = IDOK;
  std::function<void(DEVMODEA*)> edit;
  int prompts = 0;
  HWND seenParent = nullptr;
  PropertySheetOffer seen;
  DEVMODEA shown{};
};

TEST_F(DocumentProperties, SizeThenCurrentSettingsCarryColourAndDuplexOnlyWhereOffered) {
  HANDLE colour = Open("Colour");
  int32_t size = DocumentPropertiesA(nullptr, colour, nullptr, nullptr, nullptr, 0);
  ASSERT_EQ(size, static_cast<int32_t>(sizeof(DEVMODEA)));
  std::vector<unsigned char> block(static_cast<size_t>(size));
  auto* dm = reinterpret_cast<DEVMODEA*>(block.data());
  ASSERT_EQ(DocumentPropertiesA(nullptr, colour, "Colour", dm, nullptr, DM_OUT_BUFFER), IDOK);
  EXPECT_STREQ(dm->dmDeviceName, "Colour");
  EXPECT_EQ(dm->dmSize, sizeof(DEVMODEA));
  EXPECT_EQ(Choices(*dm), (std::vector<int>{8, 7, DMORIENT_LANDSCAPE, 1, DMCOLOR_COLOR, DMDUP_VERTICAL}));
  EXPECT_EQ(dm->dmFields & (DM_COLOR | DM_DUPLEX), DM_COLOR | DM_DUPLEX);

  DEVMODEA mono{};
  ASSERT_EQ(DocumentPropertiesA(nullptr, Open("Mono"), nullptr, &mono, nullptr, DM_OUT_BUFFER), IDOK);
  EXPECT_EQ(mono.dmFields & (DM_COLOR | DM_DUPLEX), 0u);
  EXPECT_EQ(mono.dmPaperSize, 9);
  EXPECT_EQ(prompts, 0);

  // A mode bit of no meaning, or an output mode without a buffer, fails.
  EXPECT_LT(DocumentPropertiesA(nullptr, colour, nullptr, dm, nullptr, DM_OUT_BUFFER | 1), 0);
  EXPECT_LT(DocumentPropertiesA(nullptr, colour, nullptr, nullptr, nullptr, DM_OUT_BUFFER), 0);
}

TEST_F(DocumentProperties, OkHandsBackTheEditedBlockAndCancelTheOneThatCameIn) {
  HANDLE h = Open("Colour");
  DEVMODEA dm{};
  ASSERT_EQ(DocumentPropertiesA(nullptr, h, nullptr, &dm, nullptr, DM_OUT_BUFFER), IDOK);
  dm.dmPaperSize = 9;  // the caller's own earlier choice, shown in the sheet
  edit = [](DEVMODEA* d) {
    d->dmDefaultSource = 1;
    d->dmOrientation = DMORIENT_PORTRAIT;
    d->dmCopies = 3;
    d->dmColor = DMCOLOR_MONOCHROME;
    d->dmDuplex = DMDUP_HORIZONTAL;
  };
  int parent = 0;
  // The same block as input and output, as the printer dialog passes it.
  ASSERT_EQ(DocumentPropertiesA(&parent, h, nullptr, &dm, &dm, DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER), IDOK);
  EXPECT_EQ(seenParent, &parent);
  EXPECT_EQ(shown.dmPaperSize, 9);
  EXPECT_EQ(seen.printer, "Colour");
  ASSERT_EQ(seen.papers.size(), 2u);
  EXPECT_EQ(seen.papers[1], (std::pair<int16_t, std::string>{8, "A3"}));
  EXPECT_EQ(seen.bins[1].second, "Tray 1");
  EXPECT_TRUE(seen.color && seen.duplex);
  EXPECT_EQ(Choices(dm), (std::vector<int>{9, 1, DMORIENT_PORTRAIT, 3, DMCOLOR_MONOCHROME, DMDUP_HORIZONTAL}));

  const DEVMODEA before = dm;
  answer = IDCANCEL;
  edit = [](DEVMODEA* d) { d->dmPaperSize = 8; };
  ASSERT_EQ(DocumentPropertiesA(nullptr, h, nullptr, &dm, &dm, DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER),
            IDCANCEL);
  EXPECT_EQ(std::memcmp(&dm, &before, sizeof dm), 0);
  EXPECT_EQ(prompts, 2);
}

TEST_F(DocumentProperties, ValuesThePrinterDoesNotOfferKeepItsOwn) {
  DEVMODEA in = Filled(0);
  in.dmSize = sizeof(DEVMODEA);
  in.dmFields = DM_PAPERSIZE | DM_DEFAULTSOURCE | DM_ORIENTATION | DM_COPIES | DM_COLOR | DM_DUPLEX;
  in.dmPaperSize = 8;  // Mono lists only A4
  in.dmDefaultSource = 4;
  in.dmOrientation = 7;
  in.dmCopies = 0;
  in.dmColor = DMCOLOR_COLOR;
  in.dmDuplex = DMDUP_VERTICAL;
  DEVMODEA out{};
  ASSERT_EQ(DocumentPropertiesA(nullptr, Open("Mono"), nullptr, &out, &in, DM_IN_BUFFER | DM_OUT_BUFFER), IDOK);
  EXPECT_EQ(Choices(out), (std::vector<int>{9, 7, DMORIENT_PORTRAIT, 1, DMCOLOR_MONOCHROME, DMDUP_SIMPLEX}));

  // A sheet that hands back something unlisted is held to the same rule.
  edit = [](DEVMODEA* d) {
    d->dmPaperSize = 70;
    d->dmDefaultSource = 1;
  };
  HANDLE colour = Open("Colour");
  ASSERT_EQ(DocumentPropertiesA(nullptr, colour, nullptr, &out, nullptr, DM_IN_PROMPT | DM_OUT_BUFFER), IDOK);
  EXPECT_EQ(out.dmPaperSize, 8);
  EXPECT_EQ(out.dmDefaultSource, 1);

  // A block shorter than its members is read no further than it says.
  in = Filled(0);
  in.dmFields = DM_PAPERSIZE | DM_ORIENTATION;
  in.dmSize = static_cast<uint16_t>(offsetof(DEVMODEA, dmPaperSize));
  in.dmOrientation = DMORIENT_PORTRAIT;
  in.dmPaperSize = 9;
  ASSERT_EQ(DocumentPropertiesA(nullptr, colour, nullptr, &out, &in, DM_IN_BUFFER | DM_OUT_BUFFER), IDOK);
  EXPECT_EQ(out.dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(out.dmPaperSize, 8);
}

TEST_F(DocumentProperties, PrintersThatCannotBeQueriedFailAndLeaveTheBlockAlone) {
  HANDLE h = nullptr;
  EXPECT_EQ(OpenPrinterA("Locked", &h, nullptr), 0);
  const DEVMODEA untouched = Filled(0x5A);
  DEVMODEA dm = untouched;
  constexpr uint32_t kSheet = DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER;
  HANDLE gone = Open("Gone");
  EXPECT_LT(DocumentPropertiesA(nullptr, gone, nullptr, nullptr, nullptr, 0), 0);
  EXPECT_LT(DocumentPropertiesA(nullptr, gone, nullptr, &dm, nullptr, DM_OUT_BUFFER), 0);
  EXPECT_LT(DocumentPropertiesA(nullptr, Open("NoPapers"), nullptr, &dm, &dm, kSheet), 0);
  EXPECT_EQ(std::memcmp(&dm, &untouched, sizeof dm), 0);
  EXPECT_EQ(prompts, 0);

  // A closed handle, a sheet that could not be shown, or none installed.
  HANDLE mono = nullptr;
  ASSERT_EQ(OpenPrinterA("Mono", &mono, nullptr), 1);
  ASSERT_EQ(ClosePrinter(mono), 1);
  EXPECT_LT(DocumentPropertiesA(nullptr, mono, nullptr, nullptr, nullptr, 0), 0);
  answer = -1;
  EXPECT_LT(DocumentPropertiesA(nullptr, Open("Mono"), nullptr, &dm, nullptr, kSheet), 0);
  spooler::SetPropertySheetPrompt({});
  EXPECT_LT(DocumentPropertiesA(nullptr, Open("Colour"), nullptr, &dm, nullptr, kSheet), 0);
  EXPECT_EQ(std::memcmp(&dm, &untouched, sizeof dm), 0);
}

}  // namespace
