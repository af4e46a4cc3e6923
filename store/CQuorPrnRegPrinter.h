// One stored printer of a printer set as the settings store holds it in
// memory: its correction values, its colour settings and its forms. It owns
// its form objects and palette entries; it never touches the registry itself.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quorprn/QuorPrnRecords.h"
#include "store/CQuorPrnRegForm.h"

class CQuorPrnRegPrinter {
 public:
  using Palette = std::vector<std::unique_ptr<MERA_PRN_COLOR_PALETTE_TYPE>>;

  CQuorPrnRegPrinter() = default;
  explicit CQuorPrnRegPrinter(std::string storedName);

  // Replaces `target` by copies of the entries of `source`, in order.
  static void CopyPalette(const Palette& source, Palette& target);

  std::string Name;  // the stored name (redirect name for a redirected printer)
  int32_t OffsetX = 0;
  int32_t OffsetY = 0;
  int32_t ScaleX = 1000;
  int32_t ScaleY = 1000;
  int32_t ScaleFix = 1;
  std::vector<std::unique_ptr<CQuorPrnRegForm>> Forms;
  int32_t ColorPrint = 0;
  int32_t ColorMode = 0;  // negative: own palette; 1-99: preset; else default
  Palette ColorPalette;
  int32_t Modified = 0;  // 1 once SetPrinter changed it; the save then rewrites the set
};
