// The printer's own property sheet as the spooler component's
// DocumentPropertiesA shows it: paper, paper source, orientation, copies, and
// colour and two-sided printing where the printer offers them. It edits one
// device-settings block in place and only on OK; what a printer offers comes
// from the spooler (PropertySheetOffer), never from a backend directly.
// UiApplication installs Prompt as the spooler's property-sheet prompt.
#pragma once

#include <cstdint>

#include "platform/spooler/PropertySheetPrompt.h"
#include "platform/ui/CMeraBWLocalizeDialog.h"

class UiPrinterPropertySheet : public CMeraBWLocalizeDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 31590;
  // Control ids; OK and Cancel are the template's buttons 1 and 2.
  enum : int {
    kPrinterName = 102,
    kPaper = 105,
    kBin = 107,
    kPortrait = 109,
    kLandscape = 110,
    kCopies = 113,
    kColor = 115,
    kDuplex = 117,
  };

  // Neither `offer` nor `settings` is owned; both must outlive the sheet.
  UiPrinterPropertySheet(const spooler::PropertySheetOffer& offer, DEVMODEA* settings, QWidget* parent = nullptr);

  // The prompt for DocumentPropertiesA: `parent` is the calling dialog (a
  // QWidget*) or null. IDOK or IDCANCEL; -1 when nothing can be shown.
  static int32_t Prompt(HWND parent, const spooler::PropertySheetOffer& offer, DEVMODEA* settings);

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  const spooler::PropertySheetOffer& offer_;
  DEVMODEA* settings_;
};
