// The settings records as the command shows them: JSON objects whose keys
// are the records' own field names (PrinterName, OffsetX, ..., Palette as a
// list of {Name, Color}), and one readable line per record. Strings are
// converted from code page 932 for the terminal; nothing here touches the
// library's state.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "quorprn/QuorPrnRecords.h"

namespace tools {

class RecordFormat {
 public:
  using Palette = std::vector<std::unique_ptr<MERA_PRN_COLOR_PALETTE_TYPE>>;

  static nlohmann::json Printer(const QUOR_PRN_PRINTER_INFO_TYPE& printer);
  static nlohmann::json Form(const QUOR_PRN_FORM_INFO_TYPE& form);
  static nlohmann::json Color(const QUOR_PRN_COLOR_INFO_TYPE& color);
  static nlohmann::json PaletteJson(const Palette& palette);

  static std::string PrinterLine(const QUOR_PRN_PRINTER_INFO_TYPE& printer);
  static std::string FormLine(const QUOR_PRN_FORM_INFO_TYPE& form);
  static std::string ColorLine(int32_t colorPrint, int32_t mode, const Palette& palette);
  // 0xBBGGRR, the way colours are written on the command line.
  static std::string ColorHex(int32_t color);
};

}  // namespace tools
