// The settings records that cross the library's boundary. The host allocates
// them; the lookups and dialogs fill them, the create operations write them.
// Strings hold code page 932 bytes; lengths are tenths of a millimetre, scales
// tenths of a percent, colours 0x00BBGGRR.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "meraprn/MeraPrnColorPalette.h"

// One printer of a printer set.
struct QUOR_PRN_PRINTER_INFO_TYPE {
  std::string PrinterName;
  int32_t OffsetX = 0;
  int32_t OffsetY = 0;
  int32_t ScaleX = 1000;
  int32_t ScaleY = 1000;
  int32_t ScaleFix = 1;
};

// One form on one printer. PaperSize and Bin are decimal texts of the
// platform's paper and paper-source numbers ("-1": the printer's own paper,
// "256": a user-defined size; an empty or "0" bin: none). BinName is never
// stored.
struct QUOR_PRN_FORM_INFO_TYPE {
  std::string FormName;
  std::string PaperSize;
  std::string PaperName;
  std::string Bin;
  std::string BinName;
  int32_t PaperSizeFit = 1;
  int32_t OffsetX = 0;
  int32_t OffsetY = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t WidthHeightFix = 0;
};

// Colour printing of one printer. Mode: negative = the printer's own palette,
// 0 = default colours, 1 to 99 = that preset. The record owns its palette.
struct QUOR_PRN_COLOR_INFO_TYPE {
  int32_t ColorPrint = 0;
  int32_t Mode = 0;
  std::vector<std::unique_ptr<MERA_PRN_COLOR_PALETTE_TYPE>> Palette;
};
