// The seam through which DocumentPropertiesA shows a printer's property
// sheet. The spooler component knows what a printer offers but draws no
// window; the dialog layer installs the prompt that does (UiApplication does
// so when it starts), and tests install one that answers without a window.
// No prompt installed: DocumentPropertiesA cannot prompt and answers a failure.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/spooler/WinSpool.h"

namespace spooler {

// What one printer offers in its property sheet, in the printer's own order.
struct PropertySheetOffer {
  std::string printer;                               // code page 932
  std::vector<std::pair<int16_t, std::string>> papers;  // paper number, name (code page 932)
  std::vector<std::pair<int16_t, std::string>> bins;    // bin number, name
  bool color = false;   // DMCOLOR_COLOR / DMCOLOR_MONOCHROME can be chosen
  bool duplex = false;  // DMDUP_* can be chosen
};

// Shows the sheet over `parent` and edits `settings` (paper, bin,
// orientation, copies, colour, duplex) in place. Answers IDOK or IDCANCEL
// (settings then unchanged); any other answer means nothing could be shown.
using PropertySheetPrompt = std::function<int32_t(HWND parent, const PropertySheetOffer& offer, DEVMODEA* settings)>;

// Installs the prompt for the process (an empty one removes it).
void SetPropertySheetPrompt(PropertySheetPrompt prompt);
// A copy of the installed prompt; empty when none is.
PropertySheetPrompt CurrentPropertySheetPrompt();

}  // namespace spooler
