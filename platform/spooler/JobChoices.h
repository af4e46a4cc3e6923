// What a print job on one printer may ask for, keyed by the same paper and bin
// numbers that the backend's capability queries hand out, so that a stored
// number turns back into exactly the keyword it was made from. Plain data;
// the backend that answers fills it, the caller owns it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace spooler {

// How a job operation ended. kUnsupported: the backend makes no print jobs
// (the virtual spooler); kNoPrinter: the printer is not (or no longer) there.
enum class JobStatus { kOk, kUnsupported, kNoPrinter, kFailed };

struct JobChoices {
  // The printer takes documents as they are (a raw queue): it has no paper,
  // bin or colour to choose, whatever numbers its capability lists carry.
  bool raw = false;
  // Paper number -> PWG media keyword ("iso_a4_210x297mm").
  std::vector<std::pair<uint16_t, std::string>> papers;
  // Bin number -> media-source keyword ("tray-1"); only the sources the
  // printer itself reports, never a stand-in for a printer without any.
  std::vector<std::pair<uint16_t, std::string>> bins;
  // The printer offers print-color-mode "color".
  bool color = false;
  // The custom sizes it takes, hundredths of a millimetre, portrait (width
  // the shorter side); all 0 when it takes none.
  int customMinWidth = 0;
  int customMinLength = 0;
  int customMaxWidth = 0;
  int customMaxLength = 0;
};

}  // namespace spooler
