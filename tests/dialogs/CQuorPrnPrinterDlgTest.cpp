// Both printer dialogs, driven as a user drives them: what reaches the hive
// and the caller's device-settings holder on confirm and on cancel, switching
// printers, the scale rules, the property sheet, failures on the way in and
// on the way out, Japanese printer names, pictures in both languages with no
// text cut off, and the exported entry point that opens them. Then what only
// the dialog with colour does: the monochrome and colour choice with and
// without a stored default palette, the colour-mode texts, and the caller's
// colour record on confirm.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <functional>
#include <string>

#include "dialogs/CQuorPrnColorDlg2.h"
#include "dialogs/CQuorPrnPrinterDlg.h"
#include "dialogs/CQuorPrnPrinterDlgEx.h"
#include "meraprn/CPrnDevMode.h"
#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/PropertySheetPrompt.h"
#include "platform/ui/CYbDialog.h"
#include "platform/ui/CYbFuncBar.h"
#include "platform/ui/UiControl.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiText.h"
#include "quorprn/CQuorPrnPrinterAccess.h"
#include "quorprn/QuorPrn.h"
#include "quorprn/QuorPrnRecords.h"
#include "store/CQuorPrnSettingStore.h"
#include "tests/support/DialogDriver.h"

namespace {

using mbcs::Cp932;
using uitest::DialogDriver;

const std::string kBase = testsupport::kPrintKey;
const std::string kSet = kBase + "\\PrinterSet00";

// A dialog whose DoModal runs its open operation first, as the entry point
// does, so that the shared driver can run it.
template <class Dlg>
class Opened : public Dlg {
 public:
  std::function<int32_t(Dlg&)> open;
  int DoModal() override {
    if (opening_) return Dlg::DoModal();
    opening_ = true;
    const int code = open(*this);
    opening_ = false;
    return code;
  }

 private:
  bool opening_ = false;
};

// A caller's holder with a block asking for `paper`.
void Fill(CPrnDevMode& holder, int16_t paper) {
  DEVMODEA dm{};
  dm.dmSize = sizeof dm;
  dm.dmFields = DM_PAPERSIZE;
  dm.dmPaperSize = paper;
  holder.SetDevMode(&dm, sizeof dm);
}
int PaperOf(CPrnDevMode& holder) {
  DEVMODEA* dm = nullptr;
  return holder.GetDevMode(dm) > 0 && dm != nullptr ? dm->dmPaperSize : 0;
}

// Puts a property sheet that answers `answer` without a window (and, on OK,
// chooses `paper`) in place of the real one for the object's life.
class SheetAnswer {
 public:
  SheetAnswer(int32_t answer, int16_t paper) : previous_(spooler::CurrentPropertySheetPrompt()) {
    spooler::SetPropertySheetPrompt([this, answer, paper](HWND, const spooler::PropertySheetOffer&, DEVMODEA* s) {
      ++shown;
      if (answer == IDOK) s->dmPaperSize = paper;
      return answer;
    });
  }
  ~SheetAnswer() { spooler::SetPropertySheetPrompt(previous_); }
  int shown = 0;

 private:
  spooler::PropertySheetPrompt previous_;
};

using testsupport::StoredNumber;
using testsupport::StoredText;
// The stored "ScaleX ScaleY ScaleFix" of a printer of set 0.
std::string Scales(const std::string& printer) {
  std::string out;
  for (const char* n : {"ScaleX", "ScaleY", "ScaleFix"})
    out += " " + std::to_string(StoredNumber(kSet + "\\" + printer, n));
  return out.substr(1);
}

// Stores a printer of set 0 (with a colour flag and mode when given).
void Store(const char* printer, int32_t offsetX, int32_t scaleX, int32_t scaleY, int32_t fix, int32_t colourPrint = 0,
           int32_t mode = 0) {
  CQuorPrnSettingStore store;
  QUOR_PRN_PRINTER_INFO_TYPE p{printer, offsetX, 0, scaleX, scaleY, fix};
  QUOR_PRN_COLOR_INFO_TYPE c;
  c.ColorPrint = colourPrint;
  c.Mode = mode;
  ASSERT_EQ(store.RegCreatePrinter("SYS", "JOB", 0, p, &c), 1);
}
void MakeCurrent(const char* printer) {
  CQuorPrnSettingStore store;
  ASSERT_EQ(store.SelectPrinter("SYS", "JOB", 0, printer), 1);
}
// Stores the printer as above and makes it the set's current printer.
template <class... Values>
void StoreCurrent(const char* printer, Values... values) {
  Store(printer, values...);
  MakeCurrent(printer);
}
// A default palette of two named colours, which makes the colour choice
// available.
void StoreDefaultPalette() {
  testsupport::Seed(kBase + "\\Colors", {{"C001Name", mbcs::Cp932("見出し")}, {"C002Name", mbcs::Cp932("合計")}});
  testsupport::Seed(kBase + "\\Colors\\Default", {{"C001", 0x0000FF}, {"C002", 0xFF0000}});
}

// Both dialogs on set 0 of SYS/JOB, with the caller's holder and colour
// record as members; Run drives one through `script`.
template <class Dlg>
class PrinterDialogs : public uitest::DialogFixture {
 protected:
  using Script = std::function<void(Opened<Dlg>&, uitest::DialogDriver&)>;
  int Run(const Script& script, int watchdogMs = 5000) {
    Opened<Dlg> dlg;
    dlg.open = [this](Dlg& d) { return OpenIt(d); };
    uitest::DialogDriver driver(dlg);
    const int code = driver.RunModal([&] { script(dlg, driver); }, watchdogMs);
    result = dlg.ResultValue();
    return code;
  }
  int32_t OpenIt(CQuorPrnPrinterDlg& d) { return d.Open("SYS", "JOB", 0, &holder, 77); }
  int32_t OpenIt(CQuorPrnPrinterDlgEx& d) { return d.Open("SYS", "JOB", 0, &holder, &colour, 77); }

  CPrnDevMode holder;
  QUOR_PRN_COLOR_INFO_TYPE colour;
  int32_t result = 0;
};

template <class Dlg>
using PrinterDlg = PrinterDialogs<Dlg>;
using BothDialogs = ::testing::Types<CQuorPrnPrinterDlg, CQuorPrnPrinterDlgEx>;
TYPED_TEST_SUITE(PrinterDlg, BothDialogs);

TYPED_TEST(PrinterDlg, ConfirmStoresTheShownValuesCancelWritesNothing) {
  using D = TypeParam;
  StoreCurrent("Printer A", -15, 1000, 1000, 1);
  Fill(this->holder, 13);
  const auto before = this->hive->Dump(kSet);

  EXPECT_EQ(this->Run([](Opened<D>& dlg, DialogDriver& d) {
    EXPECT_EQ(d.Text(D::kPrinterList), "Printer A");
    EXPECT_EQ(d.Text(D::kOffsetX), "-1.5");
    EXPECT_EQ(d.Text(D::kScaleX), "100.0");
    EXPECT_FALSE(dlg.GetDlgItem(D::kScaleY)->isEnabled());
    d.TypeInto(D::kOffsetX, "12.3");
    d.PressFunctionKey(kVkEscape);
  }), 2);
  EXPECT_EQ(this->hive->Dump(kSet), before);
  EXPECT_EQ(PaperOf(this->holder), 13);

  EXPECT_EQ(this->Run([](Opened<D>&, DialogDriver& d) {
    d.TypeInto(D::kOffsetX, "12.3");
    d.TypeInto(D::kOffsetY, "-0.7");
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(this->result, 1);
  EXPECT_EQ(StoredNumber(kSet + "\\Printer A", "OffsetX"), 123);
  EXPECT_EQ(StoredNumber(kSet + "\\Printer A", "OffsetY"), -7);
  EXPECT_EQ(StoredText(kSet, "CurrentPrinter"), "Printer A");
  // No property sheet ran: the caller gets back what it handed in.
  EXPECT_EQ(PaperOf(this->holder), 13);
}

TYPED_TEST(PrinterDlg, SwitchingPrintersKeepsEachPrintersValuesUntilConfirm) {
  using D = TypeParam;
  Store("Printer A", 10, 1000, 1000, 1);
  Store("Printer B", 20, 1000, 1000, 1);
  MakeCurrent("Printer A");
  const auto before = this->hive->Dump(kSet);
  auto visitBoth = [](DialogDriver& d) {
    d.TypeInto(D::kOffsetX, "5");
    ASSERT_TRUE(d.PickComboEntry(D::kPrinterList, 1));
    EXPECT_EQ(d.Text(D::kOffsetX), "2.0");
    d.TypeInto(D::kOffsetX, "7");
    ASSERT_TRUE(d.PickComboEntry(D::kPrinterList, 0));
    // A's value as it was shown when the user left it, not as stored.
    EXPECT_EQ(d.Text(D::kOffsetX), "5.0");
  };
  EXPECT_EQ(this->Run([&](Opened<D>&, DialogDriver& d) {
    visitBoth(d);
    d.PressFunctionKey(kVkEscape);
  }), 2);
  EXPECT_EQ(this->hive->Dump(kSet), before);

  EXPECT_EQ(this->Run([&](Opened<D>&, DialogDriver& d) {
    visitBoth(d);
    ASSERT_TRUE(d.PickComboEntry(D::kPrinterList, 1));
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(StoredNumber(kSet + "\\Printer A", "OffsetX"), 50);
  EXPECT_EQ(StoredNumber(kSet + "\\Printer B", "OffsetX"), 70);
  EXPECT_EQ(StoredText(kSet, "CurrentPrinter"), "Printer B");
}

TYPED_TEST(PrinterDlg, ScalesAreHeldTo80To120WithAndWithoutFixedAspect) {
  using D = TypeParam;
  StoreCurrent("Printer A", 0, 1000, 1100, 0);
  EXPECT_EQ(this->Run([](Opened<D>& dlg, DialogDriver& d) {
    EXPECT_EQ(d.Text(D::kScaleY), "110.0");
    EXPECT_TRUE(dlg.GetDlgItem(D::kScaleY)->isEnabled());
    // Leaving a corrected horizontal scale corrects the vertical one with it.
    d.TypeInto(D::kScaleX, "79.9");
    EXPECT_EQ(d.Text(D::kScaleX), "80.0");
    EXPECT_EQ(d.Text(D::kScaleY), "80.0");
    d.TypeInto(D::kScaleY, "130");
    EXPECT_EQ(d.Text(D::kScaleY), "120.0");
    // Fixing the aspect: the vertical scale follows the horizontal one.
    ASSERT_TRUE(d.ClickButton(D::kScaleFix));
    EXPECT_FALSE(dlg.GetDlgItem(D::kScaleY)->isEnabled());
    EXPECT_FALSE(dlg.GetDlgItem(D::kScaleYSpin)->isEnabled());
    EXPECT_EQ(d.Text(D::kScaleY), "80.0");
    d.TypeInto(D::kScaleX, "110.5", /*leave=*/false);
    EXPECT_EQ(d.Text(D::kScaleY), "110.5");
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(Scales("Printer A"), "1105 1105 1");

  // Confirm corrects an out-of-range scale and stays open for a look at it.
  EXPECT_EQ(this->Run([](Opened<D>& dlg, DialogDriver& d) {
    ASSERT_TRUE(d.ClickButton(D::kScaleFix));
    d.TypeInto(D::kScaleY, "125", /*leave=*/false);
    d.PressFunctionKey(kVkReturn);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(d.Text(D::kScaleY), "120.0");
    d.TypeInto(D::kScaleX, "200", /*leave=*/false);
    d.PressFunctionKey(kVkReturn);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(d.Text(D::kScaleX), "120.0");
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(Scales("Printer A"), "1200 1200 0");
}

TYPED_TEST(PrinterDlg, PropertySheetEditsTheCopyTheCallerGetsOnConfirm) {
  using D = TypeParam;
  MakeCurrent("Printer A");
  {
    SheetAnswer sheet(IDOK, 8);
    Fill(this->holder, 13);
    EXPECT_EQ(this->Run([&](Opened<D>& dlg, DialogDriver& d) {
      d.PressFunctionKey(kVkF6);
      ASSERT_EQ(sheet.shown, 1);
      EXPECT_EQ(dlg.WorkingCopy().Block()->dmPaperSize, 8);
      d.PressFunctionKey(kVkReturn);
    }), 1);
    EXPECT_EQ(PaperOf(this->holder), 8);
  }
  {
    // Cancel in the sheet still makes the printer's properties the copy.
    SheetAnswer sheet(IDCANCEL, 8);
    this->holder.Init();
    EXPECT_EQ(this->Run([&](Opened<D>&, DialogDriver& d) {
      ASSERT_TRUE(d.ClickButton(D::kPropertyButton));
      EXPECT_EQ(sheet.shown, 1);
      d.PressFunctionKey(kVkReturn);
    }), 1);
    EXPECT_EQ(PaperOf(this->holder), 9);
  }
  {
    // Another printer drops the copy: its properties were the old printer's.
    SheetAnswer sheet(IDOK, 8);
    Fill(this->holder, 13);
    EXPECT_EQ(this->Run([&](Opened<D>& dlg, DialogDriver& d) {
      d.PressFunctionKey(kVkF6);
      ASSERT_FALSE(dlg.WorkingCopy().Empty());
      // The user's pick, as the list reports it: a click into the list that
      // opens right after the property sheet is not reliably delivered on the
      // offscreen platform.
      auto* list = dlg.template Item<CYbComboBox>(D::kPrinterList);
      list->SetCurSel(1);
      emit list->userSelChanged(1);
      EXPECT_TRUE(dlg.WorkingCopy().Empty());
      d.PressFunctionKey(kVkReturn);
    }), 1);
    DEVMODEA* none = nullptr;
    EXPECT_EQ(this->holder.GetDevMode(none), 0);
  }
}

TYPED_TEST(PrinterDlg, APrinterThatFailsLeavesTheCopyAsItWas) {
  using D = TypeParam;
  this->UseSpooler(R"({"default": "Broken", "printers": [
      {"name": "Broken", "driver": "Gone Driver", "fail": ["getPrinter"]}]})");
  SheetAnswer sheet(IDOK, 8);
  Fill(this->holder, 13);
  EXPECT_EQ(this->Run([&](Opened<D>& dlg, DialogDriver& d) {
    EXPECT_EQ(d.Text(D::kType), "Gone Driver");
    d.PressFunctionKey(kVkF6);
    ASSERT_TRUE(d.ClickButton(D::kPropertyButton));
    EXPECT_EQ(sheet.shown, 0);
    ASSERT_EQ(dlg.WorkingCopy().Size(), static_cast<int32_t>(sizeof(DEVMODEA)));
    EXPECT_EQ(dlg.WorkingCopy().Block()->dmPaperSize, 13);
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(PaperOf(this->holder), 13);
}

TYPED_TEST(PrinterDlg, AFailedWriteOnConfirmChangesNeitherHiveNorHolder) {
  using D = TypeParam;
  Store("Printer A", 10, 1000, 1000, 1);
  StoreCurrent("Printer B", 20, 1000, 1000, 1);
  SheetAnswer sheet(IDOK, 8);
  Fill(this->holder, 13);
  const auto before = this->hive->Dump(kSet);
  // The second printer's write fails, after the current printer and the first
  // printer were written.
  this->hive->InjectFault({registry::RegOp::SetNumber, kSet + "\\Printer B", "ScaleFix", "ECR099", "disk full", true});
  EXPECT_EQ(this->Run([](Opened<D>&, DialogDriver& d) {
    ASSERT_TRUE(d.PickComboEntry(D::kPrinterList, 0));
    d.TypeInto(D::kOffsetX, "3");
    d.PressFunctionKey(kVkF6);
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(this->result, 1);
  EXPECT_EQ(this->hive->Dump(kSet), before);
  EXPECT_EQ(PaperOf(this->holder), 13);
}

TYPED_TEST(PrinterDlg, OpensOnlyWhenAPrinterCanBeOffered) {
  using D = TypeParam;
  // The stored printer is gone: the default printer takes its place.
  StoreCurrent("Gone", 10, 1000, 1000, 1);
  EXPECT_EQ(this->Run([](Opened<D>& dlg, DialogDriver& d) {
    EXPECT_EQ(d.Text(D::kPrinterList), "Printer A");
    EXPECT_EQ(dlg.LoadedPrinter(), "Printer A");
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(StoredText(kSet, "CurrentPrinter"), "Printer A");

  // Neither the stored nor the default printer is installed.
  this->UseSpooler(R"({"default": "Ghost", "printers": [{"name": "Printer C"}]})");
  EXPECT_EQ(this->Run([](Opened<D>&, DialogDriver&) { ADD_FAILURE() << "shown"; }), 150);
  EXPECT_EQ(this->result, 150);
  // No default printer at all.
  this->UsePrinters({"Printer A"}, "");
  EXPECT_EQ(this->Run([](Opened<D>&, DialogDriver&) { ADD_FAILURE() << "shown"; }), 150);
  // A set that cannot be read (other than by absence) is not shown either.
  this->UsePrinters({"Printer A"}, "Printer A");
  this->hive->InjectFault({registry::RegOp::OpenKey, kSet, "", "ECR052", "access denied", true});
  EXPECT_EQ(this->Run([](Opened<D>&, DialogDriver&) { ADD_FAILURE() << "shown"; }), 160);
  EXPECT_EQ(this->result, 160);
}

TYPED_TEST(PrinterDlg, JapanesePrinterNamesAreShownAndStoredAsTheyAre) {
  using D = TypeParam;
  const std::string accounts = Cp932("経理部のプリンタ");
  const std::string sales = Cp932("営業～第２課");
  this->UsePrinters({accounts, sales}, accounts);
  EXPECT_EQ(this->Run([&](Opened<D>& dlg, DialogDriver& d) {
    auto* list = dlg.template Item<QComboBox>(D::kPrinterList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->itemText(0), UiText::Literal("経理部のプリンタ"));
    EXPECT_EQ(list->itemText(1), UiText::Literal("営業～第２課"));
    ASSERT_TRUE(d.PickComboEntry(D::kPrinterList, 1));
    EXPECT_EQ(d.Text(D::kPrinterList), sales);
    d.TypeInto(D::kOffsetX, "1");
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(StoredText(kSet, "CurrentPrinter"), sales);
  EXPECT_EQ(StoredNumber(kSet + "\\" + sales, "OffsetX"), 10);
}

TEST(PrinterDlgArguments, ACallerWithoutDeviceSettingsHolderIsRefused) {
  CQuorPrnPrinterDlg plain;
  EXPECT_EQ(plain.Open("SYS", "JOB", 0, nullptr, 0), 110);
  EXPECT_EQ(plain.ResultValue(), 110);
  CQuorPrnPrinterDlgEx colour;
  CPrnDevMode holder;
  EXPECT_EQ(colour.Open("SYS", "JOB", 0, &holder, nullptr, 0), 110);
  EXPECT_EQ(colour.Open("SYS", "JOB", 0, nullptr, nullptr, 0), 110);
  EXPECT_FALSE(colour.isVisible());
}

template <class Dlg>
class PrinterDlgGallery : public PrinterDialogs<Dlg> {
 protected:
  void SetUp() override {
    PrinterDialogs<Dlg>::SetUp();
    this->UseSpooler(R"({"default": "経理部 レーザープリンタ", "printers": [
        {"name": "経理部 レーザープリンタ", "driver": "Olvanet Laser 5000 PCL6", "location": "本社 3階 経理部",
         "comment": "月末は請求書の印刷を優先", "status": 128},
        {"name": "営業～第２課 カラー", "driver": "Olvanet Colour 900"}]})");
    StoreDefaultPalette();
    Store(Cp932("経理部 レーザープリンタ").c_str(), -15, 1005, 1005, 1, 1, -1);
  }
};
TYPED_TEST_SUITE(PrinterDlgGallery, BothDialogs);

// Every text fits its control: a label's wrapped text within its height, a
// button's or check box's text within its width.
void ExpectTextsFit(QWidget& dlg, const std::string& lang) {
  for (QWidget* w : dlg.findChildren<QWidget*>()) {
    if (!w->isVisible() || UiControl::OwningId(w) == 0) continue;
    const int id = UiControl::OwningId(w);
    if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty()) {
      EXPECT_LE(l->heightForWidth(l->width()), l->height()) << lang << " label " << id;
    } else if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
      EXPECT_LE(b->sizeHint().width(), b->width()) << lang << " button " << id;
    }
  }
}

TYPED_TEST(PrinterDlgGallery, BothLanguagesFitAndArePictured) {
  using D = TypeParam;
  for (const std::string language : {"ja", "en"}) {
    testsupport::ScopedEnv lang("LANG", testsupport::LangOf(language));
    EXPECT_EQ(this->Run([&](Opened<D>& dlg, DialogDriver& d) {
      ExpectTextsFit(dlg, language);
      EXPECT_NE(d.SavePng(language), "");
      d.PressFunctionKey(kVkEscape);
    }), 2);
  }
}

class PrinterDlgOpen : public uitest::DialogFixture {
 protected:
  // Calls the entry point, which answers once a dialog shows and is ended by
  // `key`; `shown` says which dialog class came up.
  int32_t OpenWith(uint32_t setNo, int32_t withColour, int key) {
    shown = "none";
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      auto* dlg = qobject_cast<CYbDialog*>(QApplication::activeModalWidget());
      if (dlg == nullptr || !dlg->isActiveWindow()) return;
      watch.stop();
      shown = qobject_cast<CQuorPrnPrinterDlgEx*>(dlg) ? "colour" : qobject_cast<CQuorPrnPrinterDlg*>(dlg) ? "plain" : "?";
      dlg->RunFunctionKey(key);
    });
    watch.start();
    QTimer dog;
    dog.setSingleShot(true);
    QObject::connect(&dog, &QTimer::timeout, [] {
      if (auto* dlg = qobject_cast<CYbDialog*>(QApplication::activeModalWidget())) dlg->EndDialog(uitest::kWatchdogCode);
    });
    dog.start(5000);
    return QuorPrnPrinterDlgOpen("SYS", "JOB", setNo, &holder, 5, withColour);
  }

  CPrnDevMode holder;
  std::string shown;
};

TEST_F(PrinterDlgOpen, OpensTheDialogAskedForAndAnswersConfirmAndCancel) {
  EXPECT_EQ(OpenWith(99, 0, kVkReturn), 1);
  EXPECT_EQ(shown, "plain");
  EXPECT_EQ(StoredText(kBase + "\\PrinterSet99", "CurrentPrinter"), "Printer A");
  EXPECT_EQ(OpenWith(0, 1, kVkEscape), 2);
  EXPECT_EQ(shown, "colour");
  EXPECT_EQ(OpenWith(0, 2, kVkReturn), 1);
  EXPECT_EQ(shown, "colour");
  // Errors come back as the dialog's result value, with no dialog shown.
  UsePrinters({"Printer A"}, "");
  EXPECT_EQ(OpenWith(0, 1, kVkReturn), 150);
  EXPECT_EQ(shown, "none");
}

TEST_F(PrinterDlgOpen, RefusesBadArgumentsBeforeTouchingAnything) {
  CQuorPrnPrinterAccess::m_CachePrinterName = "cached";
  CPrnDevMode h;
  EXPECT_EQ(QuorPrnPrinterDlgOpen("", "JOB", 0, &h, 0, 0), 110);
  EXPECT_EQ(QuorPrnPrinterDlgOpen("SYS", "", 0, &h, 0, 1), 110);
  EXPECT_EQ(QuorPrnPrinterDlgOpen(nullptr, "JOB", 0, &h, 0, 0), 110);
  EXPECT_EQ(QuorPrnPrinterDlgOpen("SYS", "JOB", 100, &h, 0, 0), 110);
  EXPECT_EQ(QuorPrnPrinterDlgOpen("SYS", "JOB", 0, nullptr, 0, 1), 110);
  EXPECT_EQ(CQuorPrnPrinterAccess::m_CachePrinterName, "cached");
  EXPECT_EQ(hive->Count(registry::RegOp::OpenKey) + hive->Count(registry::RegOp::CreateKey), 0);
  EXPECT_EQ(vs->TotalCalls(spooler::VirtualSpooler::kEnum), 0);
}

using DEx = CQuorPrnPrinterDlgEx;
using PrinterDlgEx = PrinterDialogs<DEx>;

TEST_F(PrinterDlgEx, WithoutADefaultPaletteOnlyTheRadioButtonsAreOffered) {
  StoreCurrent("Printer A", 0, 1000, 1000, 1);
  colour.Palette.push_back(std::make_unique<MERA_PRN_COLOR_PALETTE_TYPE>());
  EXPECT_EQ(Run([](Opened<DEx>& dlg, DialogDriver& d) {
    EXPECT_FALSE(dlg.ColourAvailable());
    EXPECT_FALSE(dlg.FuncBar()->HasKey(kVkF9));
    EXPECT_EQ(dlg.GetDlgItem(DEx::kColourButton), nullptr);
    EXPECT_FALSE(dlg.GetDlgItem(DEx::kColourDisplay)->isVisible());
    EXPECT_EQ(dlg.IsDlgButtonChecked(DEx::kMonochrome), 1);
    ASSERT_TRUE(d.ClickButton(DEx::kColour));
    EXPECT_EQ(dlg.IsDlgButtonChecked(DEx::kMonochrome), 0);
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(StoredNumber(kSet + "\\Printer A\\Colors", "ColorPrint"), 1);
  // The caller's record holds the confirmed printer's colours.
  EXPECT_EQ(colour.ColorPrint, 1);
  EXPECT_TRUE(colour.Palette.empty());
}

TEST_F(PrinterDlgEx, WithADefaultPaletteTheColourControlsFollowTheRadioButtons) {
  StoreDefaultPalette();
  StoreCurrent("Printer A", 0, 1000, 1000, 1, /*colourPrint=*/1, /*mode=*/2);
  EXPECT_EQ(Run([](Opened<DEx>& dlg, DialogDriver& d) {
    EXPECT_TRUE(dlg.ColourAvailable());
    EXPECT_EQ(dlg.IsDlgButtonChecked(DEx::kColour), 1);
    QWidget* button = dlg.GetDlgItem(DEx::kColourButton);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(d.Text(DEx::kColourButton), Cp932("色設定"));
    EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(dlg.FuncBar()->IsKeyEnabled(kVkF9));
    EXPECT_TRUE(dlg.GetDlgItem(DEx::kColourDisplay)->isEnabled());
    ASSERT_TRUE(d.ClickButton(DEx::kMonochrome));
    EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(dlg.FuncBar()->IsKeyEnabled(kVkF9));
    EXPECT_FALSE(dlg.GetDlgItem(DEx::kColourDisplay)->isEnabled());
    ASSERT_TRUE(d.ClickButton(DEx::kColour));
    EXPECT_TRUE(button->isEnabled());
    ASSERT_TRUE(d.ClickButton(DEx::kMonochrome));
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(StoredNumber(kSet + "\\Printer A\\Colors", "ColorPrint"), 0);
  // The model chosen before stays.
  EXPECT_EQ(StoredNumber(kSet + "\\Printer A\\Colors", "Mode"), 2);
  EXPECT_EQ(colour.ColorPrint, 0);
  EXPECT_EQ(colour.Mode, 2);
  // Opened on a monochrome printer, the colour controls start disabled.
  EXPECT_EQ(Run([](Opened<DEx>& dlg, DialogDriver& d) {
    EXPECT_EQ(dlg.IsDlgButtonChecked(DEx::kMonochrome), 1);
    EXPECT_FALSE(dlg.GetDlgItem(DEx::kColourButton)->isEnabled());
    EXPECT_FALSE(dlg.FuncBar()->IsKeyEnabled(kVkF9));
    d.PressFunctionKey(kVkEscape);
  }), 2);
}

TEST_F(PrinterDlgEx, TheColourDialogStartsFromTheShownValuesAndItsChoiceIsSavedOnConfirm) {
  StoreDefaultPalette();
  StoreCurrent("Printer A", 0, 1000, 1000, 1, /*colourPrint=*/1, /*mode=*/0);
  EXPECT_EQ(Run([](Opened<DEx>& dlg, DialogDriver& d) {
    d.TypeInto(DEx::kOffsetX, "3");
    uitest::WhenOpened<CQuorPrnColorDlg2>(&dlg, [](CQuorPrnColorDlg2&, DialogDriver& c) {
      // What the printer dialog showed is in the registry before the colour
      // dialog starts from it.
      EXPECT_EQ(StoredNumber(kSet + "\\Printer A", "OffsetX"), 30);
      EXPECT_TRUE(c.ClickButton(CQuorPrnColorDlg2::IDC_COLOR_MODESEL_CUSTOM));
      c.PressFunctionKey(kVkReturn);
    });
    d.PressFunctionKey(kVkF9);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(d.Text(DEx::kColourDisplay), Cp932("カスタムモード"));
    EXPECT_EQ(d.Text(DEx::kOffsetX), "3.0");
    d.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(StoredNumber(kSet + "\\Printer A\\Colors", "Mode"), -1);
  EXPECT_EQ(colour.Mode, -1);
  EXPECT_EQ(colour.Palette.size(), 2u);
}

TEST_F(PrinterDlgEx, TheModeDisplayNamesTheStoredColourMode) {
  StoreDefaultPalette();
  struct Case {
    int32_t mode;
    const char* japanese;
    const char* english;
  };
  const Case cases[] = {{0, "自動モード", "Automatic"},
                        {7, "選択モード", "Printer model"},
                        {-1, "カスタムモード", "Custom"},
                        {-5, "カスタムモード", "Custom"},
                        {100, "自動モード", "Automatic"}};
  for (const Case& c : cases) {
    StoreCurrent("Printer A", 0, 1000, 1000, 1, 1, c.mode);
    for (const std::string language : {"ja", "en"}) {
      testsupport::ScopedEnv lang("LANG", testsupport::LangOf(language));
      const std::string want = language == "ja" ? Cp932(c.japanese) : std::string(c.english);
      EXPECT_EQ(Run([&](Opened<DEx>&, DialogDriver& d) {
        EXPECT_EQ(d.Text(DEx::kColourDisplay), want) << "mode " << c.mode << " " << language;
        d.PressFunctionKey(kVkEscape);
      }), 2);
    }
  }
}

}  // namespace
