// The form dialog driven as a user would, on an in-memory hive and a virtual
// spooler: what its lists offer, how the width and the linked height behave,
// and above all what reaches the hive on confirm, cancel and a failed write.
#include <string>
#include <vector>

#include "dialogs/CQuorPrnFormDlg.h"
#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/CYbComboBox.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiMessageBox.h"
#include "quorprn/QuorPrn.h"
#include "store/CQuorPrnSettingStore.h"
#include "tests/support/DialogDriver.h"

namespace {

using mbcs::Cp932;
using Dlg = CQuorPrnFormDlg;
using registry::RegOp;
using uitest::DialogDriver;
using Items = std::vector<std::string>;

const std::string kSet = testsupport::kPrintKey + "\\PrinterSet00";
const std::string kA4P = kSet + "\\Laser\\Form\\A4P";
const std::string kTemplate = std::string(QUORPRN_TEST_DATA) + "/templates/formdlg.TPT";

// 40 double-byte characters (80 bytes) and 15 (30 bytes): longer than the
// spooler's 64- and 24-byte name fields.
const std::string kLongPaper = "長い名前の用紙長い名前の用紙長い名前の用紙長い名前の用紙長い名前の用紙長い名前";
const std::string kLongBin = "とても長い名前の給紙トレイです";
const std::string kLongPrinter = R"({"name": "Long", "port": "lpt2:", "papers": [[9, ")" + kLongPaper +
                                 R"("]], "bins": [[3, ")" + kLongBin + R"("]]})";
const std::string kNoBins =
    R"({"name": "NoBins", "port": "lpt3:", "papers": [[9, "A4"]], "bins": [[1, "Upper"]], "fail": ["bins"]})";

class FormDlgTest : public uitest::DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    UseSpooler(R"({"default": "Laser", "printers": [
      {"name": "Laser", "port": "lpt1:", "devmode": {"paper": 9, "bin": 7},
       "papers": [[9, "A4"], [1, "Letter"], [46, "15x11"]],
       "bins": [[7, "Auto Select"], [1, "Tray 1"], [2, "Tray 2"]]}, )" +
               kLongPrinter + ", " + kNoBins + "]}");
  }

  int32_t Prepare(Dlg& dlg, const char* form, int32_t standardOnly = 0) {
    return dlg.Prepare("SYS", "JOB", 0, form, kTemplate.c_str(), Cp932("請求書").c_str(), standardOnly, 4711);
  }
  // The dialog prepared for `form` and run through `script`: DoModal's code;
  // the dialog's result is kept.
  int Run(const char* form, const std::function<void(Dlg&, DialogDriver&)>& script, int32_t standardOnly = 0) {
    Dlg dlg;
    EXPECT_EQ(Prepare(dlg, form, standardOnly), 1);
    const int code = uitest::RunModal(dlg, [&](DialogDriver& d) { script(dlg, d); });
    result = dlg.GetResult();
    return code;
  }
  static void Confirm(Dlg&, DialogDriver& d) { d.PressFunctionKey(kVkReturn); }
  // Stores `form` for printer Laser as the set's current printer.
  static void Store(const QUOR_PRN_FORM_INFO_TYPE& form) {
    CQuorPrnSettingStore store;
    ASSERT_EQ(store.SelectPrinter("SYS", "JOB", 0, "Laser"), 1);
    ASSERT_EQ(store.RegCreateForm("SYS", "JOB", 0, "Laser", form), 1);
  }
  static QUOR_PRN_FORM_INFO_TYPE Form(const char* paper, const char* bin) {
    QUOR_PRN_FORM_INFO_TYPE f;
    f.FormName = "A4P";
    f.PaperSize = paper;
    f.PaperName = paper == std::string("9") ? "A4" : "";
    f.Bin = bin;
    return f;
  }
  // The stored form as "Bin|PaperSize|PaperName|fit ox oy w h link".
  static std::string Stored(const char* form) {
    const std::string key = kSet + "\\Laser\\Form\\" + form;
    std::string out;
    for (const char* n : {"Bin", "PaperSize", "PaperName"}) out += testsupport::StoredText(key, n) + "|";
    for (const char* n : {"PaperSizeFit", "OffsetX", "OffsetY", "Width", "Height", "WidthHeightFix"})
      out += std::to_string(testsupport::StoredNumber(key, n)) + (std::string(n) == "WidthHeightFix" ? "" : " ");
    return out;
  }
  static Items Entries(Dlg& dlg, int id) {
    Items out;
    auto* list = dlg.Item<CYbComboBox>(id);
    for (int i = 0; i < list->GetCount(); ++i) out.push_back(list->GetLBText(i));
    return out;
  }
  int Writes() const { return hive->Count(RegOp::CreateKey) + hive->Count(RegOp::SetText) + hive->Count(RegOp::SetNumber); }

  const std::string kOwn = Cp932("プリンタプロパティに従う");
  int32_t result = 0;
};

TEST_F(FormDlgTest, PaperListShowsThePrintersPapersFilteredAndTheFormsPaperSelected) {
  EXPECT_EQ(Run("A4P", [&](Dlg& dlg, DialogDriver& d) {
    EXPECT_EQ(Entries(dlg, Dlg::IDC_FORM_PAPERSIZE), (Items{kOwn, "A4", "Letter", "15x11"}));
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_PAPERSIZE), "A4");
    EXPECT_EQ(Entries(dlg, Dlg::IDC_FORM_BIN), (Items{kOwn, "Auto Select", "Tray 1", "Tray 2"}));
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_BIN), kOwn);
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_FORMNAME), Cp932("請求書"));
    EXPECT_TRUE(dlg.GetDlgItem(Dlg::IDC_FORM_PORTRAIT)->isVisible());
    EXPECT_FALSE(dlg.GetDlgItem(Dlg::IDC_FORM_LANDSCAPE)->isVisible());
    d.PressFunctionKey(kVkEscape);
  }), 2);
  EXPECT_EQ(Run("A4L", [&](Dlg& dlg, DialogDriver& d) {
    EXPECT_EQ(Entries(dlg, Dlg::IDC_FORM_PAPERSIZE), (Items{kOwn, "A4", "15x11"}));
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_PAPERSIZE), "A4");
    EXPECT_TRUE(dlg.GetDlgItem(Dlg::IDC_FORM_LANDSCAPE)->isVisible());
    d.PressFunctionKey(kVkEscape);
  }, /*standardOnly=*/1), 2);
}

TEST_F(FormDlgTest, FreeSizeFormShowsItsOwnPaperSecondAndConfirmsIt) {
  const std::string own = Cp932("標準のサイズ(100.0x150.0mm)");
  EXPECT_EQ(Run("FREE", [&](Dlg& dlg, DialogDriver& d) {
    EXPECT_EQ(Entries(dlg, Dlg::IDC_FORM_PAPERSIZE), (Items{kOwn, own, "A4", "Letter", "15x11"}));
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_PAPERSIZE), own);
    d.TypeInto(Dlg::IDC_FORM_OFFSETX, "1.5");
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(Stored("FREE"), "|256|" + own + "|1 15 0 0 0 0");
}

TEST_F(FormDlgTest, PaperThePrinterDoesNotOfferFollowsThePrinterAndF9LeavesNoneSelected) {
  EXPECT_EQ(Run("B4", [&](Dlg& dlg, DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_PAPERSIZE), kOwn);
    d.PressFunctionKey(kVkF9);
    EXPECT_EQ(dlg.Item<CYbComboBox>(Dlg::IDC_FORM_PAPERSIZE)->GetCurSel(), -1);
    d.TypeInto(Dlg::IDC_FORM_OFFSETY, "-2");
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(Stored("B4"), "|-1||1 0 -20 0 0 0");
}

TEST_F(FormDlgTest, BinFollowingThePrinterClearsAStoredBin) {
  auto f = Form("9", "2");
  f.OffsetX = 30;
  Store(f);
  EXPECT_EQ(Run("A4P", [](Dlg&, DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_BIN), "Tray 2");
    d.PickComboEntry(Dlg::IDC_FORM_BIN, 0);
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(Stored("A4P"), "|9|A4|1 30 0 0 0 0");

  // A bin stored as "0" already shows as the printer's; confirming without
  // any change still empties it.
  testsupport::Seed(kA4P, {{"Bin", "0"}});
  EXPECT_EQ(Run("A4P", Confirm), 1);
  EXPECT_EQ(Stored("A4P"), "|9|A4|1 30 0 0 0 0");
}

TEST_F(FormDlgTest, WidthIsHeldToItsRangeAndALinkedHeightKeepsThePapersAspect) {
  auto f = Form("9", "");
  f.Height = 30;
  f.WidthHeightFix = 1;
  Store(f);
  EXPECT_EQ(Run("A4P", [](Dlg& dlg, DialogDriver& d) {
    auto* spin = dlg.Item<CQuorPrnSpinCtrl>(Dlg::IDC_FORM_WIDTH_SPIN);
    ASSERT_NE(spin, nullptr);
    EXPECT_FALSE(dlg.GetDlgItem(Dlg::IDC_FORM_HEIGHT)->isEnabled());
    EXPECT_FALSE(dlg.GetDlgItem(Dlg::IDC_FORM_HEIGHT_SPIN)->isEnabled());
    // No paper picked yet: its width is unknown and the height stays.
    d.TypeInto(Dlg::IDC_FORM_WIDTH, "5");
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_WIDTH), "5.0");
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_HEIGHT), "3.0");
    // A4 portrait, 210 x 297 mm: 5.0 mm wider is 7.1 mm longer.
    d.PickComboEntry(Dlg::IDC_FORM_PAPERSIZE, 1);
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_HEIGHT), "7.1");
    d.TypeInto(Dlg::IDC_FORM_WIDTH, "150");
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_WIDTH), "100.0");
    // A spin held down hands every tick to the dialog and never speeds up.
    d.TypeInto(Dlg::IDC_FORM_WIDTH, "0");
    for (int tick = 0; tick < 35; ++tick) spin->OnTimer(CQuorPrnSpinCtrl::kTimerUp);
    EXPECT_EQ(spin->RepeatCount(), 0);
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_WIDTH), "3.5");
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_HEIGHT), "5.0");
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(Stored("A4P"), "|9|A4|1 0 0 35 50 1");
}

TEST_F(FormDlgTest, UnlinkedSizesAreCorrectedWhenLeftAndOnConfirm) {
  EXPECT_EQ(Run("A4P", [](Dlg& dlg, DialogDriver& d) {
    EXPECT_TRUE(dlg.GetDlgItem(Dlg::IDC_FORM_HEIGHT)->isEnabled());
    d.TypeInto(Dlg::IDC_FORM_HEIGHT, "-150");
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_HEIGHT), "-100.0");
    d.TypeInto(Dlg::IDC_FORM_OFFSETX, "999.9");
    d.TypeInto(Dlg::IDC_FORM_WIDTH, "120", /*leave=*/false);
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(Stored("A4P"), "|9|A4|1 9999 0 1000 -1000 0");
}

TEST_F(FormDlgTest, F9ResetsEveryValueAndF1ShowsTheHostsHelp) {
  auto f = Form("9", "1");
  f.PaperSizeFit = 0;
  f.OffsetX = 12;
  f.OffsetY = -34;
  f.Width = 50;
  f.Height = 71;
  f.WidthHeightFix = 1;
  Store(f);
  EXPECT_EQ(Run("A4P", [&](Dlg& dlg, DialogDriver& d) {
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_BIN), "Tray 1");
    EXPECT_EQ(dlg.IsDlgButtonChecked(Dlg::IDC_FORM_PAPERSIZEFIT), 0);
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_OFFSETY), "-3.4");
    d.PickComboEntry(Dlg::IDC_FORM_PAPERSIZE, 2);
    d.PressFunctionKey(kVkF9);
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_PAPERSIZE), "A4");
    EXPECT_EQ(d.Text(Dlg::IDC_FORM_BIN), kOwn);
    EXPECT_EQ(dlg.IsDlgButtonChecked(Dlg::IDC_FORM_PAPERSIZEFIT), 1);
    for (int id : {Dlg::IDC_FORM_OFFSETX, Dlg::IDC_FORM_OFFSETY, Dlg::IDC_FORM_WIDTH, Dlg::IDC_FORM_HEIGHT}) {
      EXPECT_EQ(d.Text(id), "0.0") << id;
    }
    EXPECT_TRUE(dlg.GetDlgItem(Dlg::IDC_FORM_HEIGHT)->isEnabled());
    d.AnswerNextMessageBox(kIdOk);
    d.PressFunctionKey(kVkF1);
    EXPECT_NE(d.LastMessageBox().text.find("4711"), std::string::npos);
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(Stored("A4P"), "|9|A4|1 0 0 0 0 0");
}

TEST_F(FormDlgTest, CancelAndAnUnchangedConfirmWriteNothing) {
  // A set that was never stored: opening must not create it.
  EXPECT_EQ(Run("A4P", [](Dlg&, DialogDriver& d) {
    d.TypeInto(Dlg::IDC_FORM_OFFSETX, "4");
    d.PressFunctionKey(kVkEscape);
  }), 2);
  EXPECT_FALSE(hive->HasKey("SOFTWARE"));
  EXPECT_EQ(Run("A4P", Confirm), 1);
  EXPECT_FALSE(hive->HasKey("SOFTWARE"));

  auto stored = Form("9", "2");
  stored.Width = 25;
  Store(stored);
  const auto before = hive->Dump();
  hive->ResetCounts();
  EXPECT_EQ(Run("A4P", Confirm), 1);
  EXPECT_EQ(Writes(), 0);
  EXPECT_EQ(hive->Dump(), before);
}

TEST_F(FormDlgTest, AFailedWriteLeavesTheRegistryAsItWasAndStillConfirms) {
  Store(Form("9", "2"));
  const auto before = hive->Dump();
  hive->InjectFault({RegOp::SetNumber, kA4P, "Height", "ECR051", "injected", false});
  EXPECT_EQ(Run("A4P", [](Dlg&, DialogDriver& d) {
    d.TypeInto(Dlg::IDC_FORM_WIDTH, "12.5");
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(hive->Dump(), before);
}

TEST_F(FormDlgTest, LongPaperAndBinNamesAreCutBetweenCharacters) {
  // Make "Long" the default printer: the set is not stored.
  UseSpooler(R"({"default": "Long", "printers": [)" + kLongPrinter + "]}");
  Dlg dlg;
  ASSERT_EQ(Prepare(dlg, "A4P"), 1);
  ASSERT_EQ(dlg.PaperNames().size(), 1u);
  ASSERT_EQ(dlg.BinNames().size(), 1u);
  const std::string paper = dlg.PaperNames()[0], bin = dlg.BinNames()[0];
  EXPECT_EQ(paper, Cp932(kLongPaper).substr(0, 62));
  EXPECT_EQ(bin, Cp932(kLongBin).substr(0, 22));
  std::string utf8, error;
  EXPECT_TRUE(mbcs::Cp932Converter::ToUtf8(paper, &utf8, &error)) << error;
  EXPECT_TRUE(mbcs::Cp932Converter::ToUtf8(bin, &utf8, &error)) << error;
}

TEST_F(FormDlgTest, EntryPointChecksItsArgumentsAndReportsWhatKeptTheDialogClosed) {
  const char* t = kTemplate.c_str();
  EXPECT_EQ(QuorPrnFormDlgOpen("", "JOB", 0, "A4P", t, "", 0, 0), 110);
  EXPECT_EQ(QuorPrnFormDlgOpen("SYS", nullptr, 0, "A4P", t, "", 0, 0), 110);
  EXPECT_EQ(QuorPrnFormDlgOpen("SYS", "JOB", 0, "", t, "", 0, 0), 110);
  EXPECT_EQ(QuorPrnFormDlgOpen("SYS", "JOB", 0, "A4P", "", "", 0, 0), 110);
  EXPECT_EQ(QuorPrnFormDlgOpen("SYS", "JOB", 100, "A4P", t, "", 0, 0), 110);
  EXPECT_EQ(vs->TotalCalls(spooler::VirtualSpooler::kEnum), 0);
  // Set 99 passes the checks; the form is not in the template.
  EXPECT_EQ(QuorPrnFormDlgOpen("SYS", "JOB", 99, "NOSUCHFORM", t, nullptr, 0, 0), 130);

  UseSpooler(R"({"default": "NoBins", "printers": [)" + kNoBins + "]}");
  EXPECT_EQ(QuorPrnFormDlgOpen("SYS", "JOB", 0, "A4P", t, "", 0, 0), 113);
  UsePrinters({"Laser"}, "");
  EXPECT_EQ(QuorPrnFormDlgOpen("SYS", "JOB", 0, "A4P", t, "", 0, 0), 150);

  UsePrinters({"Laser"}, "Laser");
  Store(Form("9", ""));
  hive->InjectFault({RegOp::GetText, kA4P, "PaperName", "ECR051", "injected", true});
  EXPECT_EQ(QuorPrnFormDlgOpen("SYS", "JOB", 0, "A4P", t, "", 0, 0), 163);
  hive->ClearFaults();
}

TEST_F(FormDlgTest, EntryPointAnswersConfirmAndCancel) {
  for (const auto& [vk, code] : {std::pair{kVkEscape, 2}, std::pair{kVkReturn, 1}}) {
    uitest::WhenOpened<Dlg>(nullptr, [vk = vk](Dlg& dlg) { dlg.RunFunctionKey(vk); });
    EXPECT_EQ(QuorPrnFormDlgOpen("SYS", "JOB", 0, "A4P", kTemplate.c_str(), "", 0, 0), code);
  }
}

TEST_F(FormDlgTest, GalleryInJapaneseAndEnglish) {
  Store(Form("9", "1"));
  for (const std::string language : {"ja", "en"}) {
    testsupport::ScopedEnv lang("LANG", testsupport::LangOf(language));
    const bool english = language == "en";
    EXPECT_EQ(Run("A4P", [&](Dlg& dlg, DialogDriver& d) {
      EXPECT_EQ(dlg.GetWindowText(), english ? "Paper settings" : Cp932("用紙設定"));
      EXPECT_EQ(d.Text(Dlg::IDC_FORM_PAPERSIZEFIT),
                english ? "Fit the print to the paper size" : Cp932("用紙ｻｲｽﾞに合わせて拡大/縮小する"));
      const int barTop = dlg.height() - dlg.FunctionBarHeight();
      for (int id = Dlg::IDC_FORM_PAPERSIZE; id <= Dlg::IDC_STATIC_013; ++id) {
        QWidget* w = dlg.GetDlgItem(id);
        if (w == nullptr) continue;
        EXPECT_LE(w->geometry().bottom(), barTop) << id;
        EXPECT_LE(w->geometry().right(), dlg.width()) << id;
      }
      EXPECT_NE(d.SavePng(language), "");
      d.PressFunctionKey(kVkEscape);
    }), 2);
  }
}

}  // namespace
