// The printer dialogs' working copy of a printer's properties (a device-
// settings block and its size): taken from the caller's holder when the
// dialog opens, edited in the printer's own property sheet, handed back to
// the holder on confirm. Owns its block; the holders it reads or fills stay
// the caller's. The property sheet may block until the user closes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "meraprn/DevMode.h"

class CPrnDevMode;

class CQuorPrnDevModeCopy {
 public:
  // Copies the block the holder keeps; no copy when it keeps none.
  void TakeFrom(CPrnDevMode& holder);
  void Drop() { m_block.clear(); }
  bool Empty() const { return m_block.empty(); }
  int32_t Size() const { return static_cast<int32_t>(m_block.size()); }
  // Null when there is no copy.
  const DEVMODEA* Block() const;

  // Opens the printer (installed name, code page 932) and shows its property
  // sheet over `window` on this copy, or on the printer's current properties
  // when there is no copy. Answers 1 (OK) or 2 (Cancel): the block the sheet
  // handed back becomes the copy. Any other answer (the printer cannot be
  // opened or queried, no sheet can be shown) leaves the copy as it was.
  int32_t EditInPropertySheet(void* window, const std::string& printerName);

  // Empties the holder and gives it the copy (the holder stays empty when
  // there is none).
  void HandTo(CPrnDevMode& holder) const;

 private:
  std::vector<unsigned char> m_block;
};
