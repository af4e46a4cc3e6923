// The printer property-sheet call over a virtual spooler, with a prompt that
// answers without a window: the size and mode protocol, what an OK and a
// Cancel hand back, values the printer does not offer, and printers that
// cannot be queried.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/spooler/PropertySheetPrompt.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "platform/spooler/WinSpool.h"

using spooler::PropertySheetOffer;
using spooler::Spooler;
using spooler::VirtualSpooler;

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
    vs = VirtualSpooler::FromJson(kPrinters, "test");
    ASSERT_EQ(vs->LoadError(), "");
    Spooler::UseBackend(vs);
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
  EXPECT_EQ(dm->dmPaperSize, 8);
  EXPECT_EQ(dm->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(dm->dmFields & (DM_COLOR | DM_DUPLEX), DM_COLOR | DM_DUPLEX);
  EXPECT_EQ(dm->dmColor, DMCOLOR_COLOR);
  EXPECT_EQ(dm->dmDuplex, DMDUP_VERTICAL);

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
  EXPECT_EQ(dm.dmPaperSize, 9);
  EXPECT_EQ(dm.dmDefaultSource, 1);
  EXPECT_EQ(dm.dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(dm.dmCopies, 3);
  EXPECT_EQ(dm.dmColor, DMCOLOR_MONOCHROME);
  EXPECT_EQ(dm.dmDuplex, DMDUP_HORIZONTAL);

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
  EXPECT_EQ(out.dmPaperSize, 9);
  EXPECT_EQ(out.dmDefaultSource, 7);
  EXPECT_EQ(out.dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(out.dmCopies, 1);
  EXPECT_EQ(out.dmColor, DMCOLOR_MONOCHROME);
  EXPECT_EQ(out.dmDuplex, DMDUP_SIMPLEX);

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

TEST(VirtualSpoolerFlags, ColourAndDuplexAreTrueOrFalse) {
  auto vs = VirtualSpooler::FromJson(R"({"printers": [{"name": "P", "color": 1}]})", "flags");
  EXPECT_NE(vs->LoadError().find("\"color\" must be true or false"), std::string::npos) << vs->LoadError();
  vs = VirtualSpooler::FromJson(R"({"printers": [{"name": "P", "duplex": true}]})", "flags");
  spooler::PrinterEntry e;
  std::string error;
  ASSERT_TRUE(vs->GetPrinter("P", &e, &error));
  EXPECT_TRUE(e.offersDuplex);
  EXPECT_FALSE(e.offersColor);
}

}  // namespace
