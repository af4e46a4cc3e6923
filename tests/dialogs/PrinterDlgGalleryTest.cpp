// Pictures of both printer dialogs in Japanese and English for a person to
// look at (build/gallery/), and the check that no text is cut off or runs
// into its neighbour in either language.
#include <QAbstractButton>
#include <QLabel>
#include <cstdlib>

#include "platform/ui/UiControl.h"
#include "platform/ui/UiKeys.h"
#include "tests/dialogs/PrinterDlgTestSupport.h"

namespace {

using namespace printerdlgtest;
using mbcs::Cp932;

template <class Dlg>
class PrinterDlgGallery : public PrinterDialogs<Dlg> {
 protected:
  void SetUp() override {
    PrinterDialogs<Dlg>::SetUp();
    this->UseSpoolerJson(R"({"default": "経理部 レーザープリンタ", "printers": [
        {"name": "経理部 レーザープリンタ", "driver": "Olvanet Laser 5000 PCL6", "location": "本社 3階 経理部",
         "comment": "月末は請求書の印刷を優先", "status": 128},
        {"name": "営業～第２課 カラー", "driver": "Olvanet Colour 900"}]})");
    StoreDefaultPalette();
    Store(Cp932("経理部 レーザープリンタ").c_str(), -15, 1005, 1005, 1, 1, -1);
  }
  void TearDown() override {
    setenv("LANG", "C.UTF-8", 1);
    PrinterDialogs<Dlg>::TearDown();
  }
};
using BothDialogs = ::testing::Types<CQuorPrnPrinterDlg, CQuorPrnPrinterDlgEx>;
TYPED_TEST_SUITE(PrinterDlgGallery, BothDialogs);

// Every text fits its control: a label's wrapped text within its height, a
// button's or check box's text within its width.
void ExpectTextsFit(QWidget& dlg, const char* lang) {
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
  for (const char* lang : {"ja", "en"}) {
    setenv("LANG", lang[0] == 'j' ? "C.UTF-8" : "en_US.UTF-8", 1);
    EXPECT_EQ(this->Run([&](Opened<D>& dlg, uitest::DialogDriver& d) {
      ExpectTextsFit(dlg, lang);
      EXPECT_NE(d.SavePng(lang), "");
      d.PressFunctionKey(kVkEscape);
    }), 2);
  }
}

}  // namespace
