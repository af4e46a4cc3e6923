// The stored printer object. Its palette entries are copied, never shared,
// so that a colour record handed in by a caller can be destroyed while the
// store still holds the printer.
#include "store/CQuorPrnRegPrinter.h"

#include <utility>

CQuorPrnRegPrinter::CQuorPrnRegPrinter(std::string storedName) : Name(std::move(storedName)) {}

void CQuorPrnRegPrinter::CopyPalette(const Palette& source, Palette& target) {
  if (&source == &target) return;
  target.clear();
  target.reserve(source.size());
  for (const auto& entry : source) {
    if (entry) target.push_back(std::make_unique<MERA_PRN_COLOR_PALETTE_TYPE>(*entry));
  }
}
