// The printer property sheet as DocumentPropertiesA shows it over a virtual
// spooler: what OK and Cancel hand back, the choices a monochrome one-sided
// printer leaves disabled, a Japanese printer name, and the gallery pictures.
#include <gtest/gtest.h>

#include <QLabel>
#include <functional>
#include <string>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/WinSpool.h"
#include "platform/ui/CYbComboBox.h"
#include "platform/ui/CYbNumEdit.h"
#include "platform/ui/UiPrinterPropertySheet.h"
#include "platform/ui/UiText.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/Sandbox.h"

namespace {

using Sheet = UiPrinterPropertySheet;

const char* kPrinters = R"J({"printers": [
  {"name": "経理部 A3カラー", "color": true, "duplex": true,
   "devmode": {"paper": 8, "bin": 7, "orientation": 2, "color": 2, "duplex": 2},
   "papers": [[9, "A4"], [8, "A3"], [12, "B4 (JIS)"]], "bins": [[7, "自動選択"], [1, "トレイ 1"]]},
  {"name": "Mono", "papers": [[9, "A4"]], "bins": [[7, "Auto"]]}]})J";

class PropertySheet : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::UseSpooler(kPrinters); }
  void TearDown() override { spooler::Spooler::Reset(); }

  // Mode 14 on `printer`, with `act` run on the sheet once it shows; the
  // block starts as the printer's current settings.
  int32_t Prompt(const std::string& printer, const std::function<void(Sheet&, uitest::DialogDriver&)>& act) {
    HANDLE h = nullptr;
    EXPECT_EQ(OpenPrinterA(printer.c_str(), &h, nullptr), 1);
    EXPECT_EQ(DocumentPropertiesA(nullptr, h, nullptr, &dm, nullptr, DM_OUT_BUFFER), IDOK);
    QWidget parent;
    uitest::WhenOpened<Sheet>(nullptr, [&](Sheet& sheet, uitest::DialogDriver& user) {
      act(sheet, user);
      // Whatever the action did, the sheet must not stay open.
      if (sheet.isVisible()) sheet.EndDialog(uitest::kWatchdogCode);
    });
    int32_t answer = DocumentPropertiesA(&parent, h, nullptr, &dm, &dm, DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER);
    ClosePrinter(h);
    return answer;
  }
  static CYbComboBox* Combo(Sheet& sheet, int id) { return sheet.Item<CYbComboBox>(id); }

  DEVMODEA dm{};
};

TEST_F(PropertySheet, OkHandsBackWhatTheUserChoseAndCancelNothing) {
  const std::string name = mbcs::Cp932("経理部 A3カラー");
  EXPECT_EQ(Prompt(name,
                   [&](Sheet& s, uitest::DialogDriver& user) {
                     // The name reaches Qt as text, not as raw bytes.
                     EXPECT_EQ(s.Item<QLabel>(Sheet::kPrinterName)->text(), UiText::Literal("経理部 A3カラー"));
                     EXPECT_EQ(user.Text(Sheet::kPaper), "A3");
                     EXPECT_EQ(s.GetCheckedRadioButton(Sheet::kPortrait, Sheet::kLandscape), Sheet::kLandscape);
                     EXPECT_TRUE(user.PickComboEntry(Sheet::kPaper, 2));
                     EXPECT_TRUE(user.PickComboEntry(Sheet::kBin, 1));
                     EXPECT_TRUE(user.ClickButton(Sheet::kPortrait));
                     EXPECT_TRUE(user.TypeInto(Sheet::kCopies, "0"));  // no copies at all means one
                     EXPECT_TRUE(user.PickComboEntry(Sheet::kColor, 1));
                     EXPECT_TRUE(user.PickComboEntry(Sheet::kDuplex, 2));
                     EXPECT_TRUE(user.ClickButton(1));
                   }),
            IDOK);
  EXPECT_EQ(dm.dmPaperSize, 12);
  EXPECT_EQ(dm.dmDefaultSource, 1);
  EXPECT_EQ(dm.dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(dm.dmCopies, 1);
  EXPECT_EQ(dm.dmColor, DMCOLOR_MONOCHROME);
  EXPECT_EQ(dm.dmDuplex, DMDUP_HORIZONTAL);

  EXPECT_EQ(Prompt(name,
                   [](Sheet&, uitest::DialogDriver& user) {
                     EXPECT_TRUE(user.PickComboEntry(Sheet::kPaper, 0));
                     EXPECT_TRUE(user.ClickButton(2));
                   }),
            IDCANCEL);
  EXPECT_EQ(dm.dmPaperSize, 8);  // the printer's own, as it came in
}

TEST_F(PropertySheet, ChoicesThePrinterDoesNotOfferStayDisabled) {
  EXPECT_EQ(Prompt("Mono",
                   [](Sheet& s, uitest::DialogDriver& user) {
                     EXPECT_FALSE(Combo(s, Sheet::kColor)->isEnabled());
                     EXPECT_FALSE(Combo(s, Sheet::kDuplex)->isEnabled());
                     EXPECT_TRUE(Combo(s, Sheet::kPaper)->isEnabled());
                     EXPECT_TRUE(user.TypeInto(Sheet::kCopies, "12"));
                     EXPECT_TRUE(user.ClickButton(1));
                   }),
            IDOK);
  EXPECT_EQ(dm.dmCopies, 12);
  EXPECT_EQ(dm.dmFields & (DM_COLOR | DM_DUPLEX), 0u);
}

TEST_F(PropertySheet, GalleryPicturesInJapaneseAndEnglish) {
  for (const std::string language : {"ja", "en"}) {
    const bool english = language == "en";
    testsupport::ScopedEnv lang("LANG", testsupport::LangOf(language));
    EXPECT_EQ(Prompt(mbcs::Cp932("経理部 A3カラー"),
                     [&](Sheet& s, uitest::DialogDriver& user) {
                       EXPECT_EQ(s.GetWindowText(), english ? "Printer properties" : mbcs::Cp932("プリンタのプロパティ"));
                       EXPECT_NE(user.SavePng(language), "");  // build/gallery/31590-ja.png
                       EXPECT_TRUE(user.ClickButton(2));
                     }),
              IDCANCEL);
  }
}

}  // namespace
