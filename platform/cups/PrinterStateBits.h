// The platform's printer status bits for a CUPS printer's state and state
// reasons. Pure text-to-bits mapping; knows nothing of libcups.
#pragma once

#include <cstdint>
#include <string_view>

namespace spooler {

class PrinterStateBits {
 public:
  // `state`: printer-state (3 idle, 4 processing, 5 stopped); `reasons`:
  // printer-state-reasons as CUPS lists them, comma-separated ("none" or
  // "media-jam-error,toner-low-warning").
  static uint32_t From(int state, std::string_view reasons);
};

}  // namespace spooler
