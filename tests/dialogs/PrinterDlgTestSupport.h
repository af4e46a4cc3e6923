// What the printer dialog tests share: both dialogs opened the way the entry
// point opens them (the driver's DoModal runs their open operation), a
// property sheet that answers without a window, and stored settings.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dialogs/CQuorPrnPrinterDlg.h"
#include "dialogs/CQuorPrnPrinterDlgEx.h"
#include "meraprn/CPrnDevMode.h"
#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/PropertySheetPrompt.h"
#include "quorprn/QuorPrnRecords.h"
#include "store/CQuorPrnSettingStore.h"
#include "tests/support/DialogFixture.h"

namespace printerdlgtest {

inline const std::string kBase = testsupport::kPrintKey;
inline const std::string kSet = kBase + "\\PrinterSet00";

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
inline void Fill(CPrnDevMode& holder, int16_t paper) {
  DEVMODEA dm{};
  dm.dmSize = sizeof dm;
  dm.dmFields = DM_PAPERSIZE;
  dm.dmPaperSize = paper;
  holder.SetDevMode(&dm, sizeof dm);
}
inline int PaperOf(CPrnDevMode& holder) {
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
inline std::string Scales(const std::string& printer) {
  std::string out;
  for (const char* n : {"ScaleX", "ScaleY", "ScaleFix"}) out += " " + std::to_string(StoredNumber(kSet + "\\" + printer, n));
  return out.substr(1);
}

// Stores a printer of set 0 (with a colour flag and mode when given) and
// makes `current` the set's current printer ("" leaves none).
inline void Store(const char* printer, int32_t offsetX, int32_t scaleX, int32_t scaleY, int32_t fix,
                  int32_t colourPrint = 0, int32_t mode = 0) {
  CQuorPrnSettingStore store;
  QUOR_PRN_PRINTER_INFO_TYPE p;
  p.PrinterName = printer;
  p.OffsetX = offsetX;
  p.ScaleX = scaleX;
  p.ScaleY = scaleY;
  p.ScaleFix = fix;
  QUOR_PRN_COLOR_INFO_TYPE c;
  c.ColorPrint = colourPrint;
  c.Mode = mode;
  ASSERT_EQ(store.RegCreatePrinter("SYS", "JOB", 0, p, &c), 1);
}
inline void MakeCurrent(const char* printer) {
  CQuorPrnSettingStore store;
  ASSERT_EQ(store.SelectPrinter("SYS", "JOB", 0, printer), 1);
}
// A default palette of two named colours, which makes the colour choice
// available.
inline void StoreDefaultPalette() {
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

}  // namespace printerdlgtest
