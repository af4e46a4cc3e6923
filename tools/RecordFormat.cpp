#include "tools/RecordFormat.h"

#include <cstdio>

#include "tools/TerminalText.h"

namespace tools {
namespace {

std::string U(const std::string& cp932) { return TerminalText::ToTerminal(cp932); }
std::string N(int32_t n) { return std::to_string(n); }

}  // namespace

nlohmann::json RecordFormat::Printer(const QUOR_PRN_PRINTER_INFO_TYPE& p) {
  return {{"PrinterName", U(p.PrinterName)}, {"OffsetX", p.OffsetX}, {"OffsetY", p.OffsetY},
          {"ScaleX", p.ScaleX},               {"ScaleY", p.ScaleY},   {"ScaleFix", p.ScaleFix}};
}

nlohmann::json RecordFormat::Form(const QUOR_PRN_FORM_INFO_TYPE& f) {
  return {{"FormName", U(f.FormName)}, {"PaperSize", U(f.PaperSize)}, {"PaperName", U(f.PaperName)},
          {"Bin", U(f.Bin)},           {"BinName", U(f.BinName)},     {"PaperSizeFit", f.PaperSizeFit},
          {"OffsetX", f.OffsetX},      {"OffsetY", f.OffsetY},        {"Width", f.Width},
          {"Height", f.Height},        {"WidthHeightFix", f.WidthHeightFix}};
}

nlohmann::json RecordFormat::PaletteJson(const Palette& palette) {
  nlohmann::json list = nlohmann::json::array();
  for (const auto& e : palette)
    if (e) list.push_back({{"Name", U(e->Name)}, {"Color", e->Color}});
  return list;
}

nlohmann::json RecordFormat::Color(const QUOR_PRN_COLOR_INFO_TYPE& c) {
  return {{"ColorPrint", c.ColorPrint}, {"Mode", c.Mode}, {"Palette", PaletteJson(c.Palette)}};
}

std::string RecordFormat::ColorHex(int32_t color) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%06X", static_cast<uint32_t>(color));
  return buf;
}

std::string RecordFormat::PrinterLine(const QUOR_PRN_PRINTER_INFO_TYPE& p) {
  return U(p.PrinterName) + "  offset " + N(p.OffsetX) + "," + N(p.OffsetY) + "  scale " + N(p.ScaleX) + "/" +
         N(p.ScaleY) + "  scale-fix " + N(p.ScaleFix);
}

std::string RecordFormat::FormLine(const QUOR_PRN_FORM_INFO_TYPE& f) {
  return U(f.FormName) + "  paper " + U(f.PaperSize) + " \"" + U(f.PaperName) + "\"  bin " + U(f.Bin) +
         (f.BinName.empty() ? "" : " \"" + U(f.BinName) + "\"") + "  fit " + N(f.PaperSizeFit) + "  offset " +
         N(f.OffsetX) + "," + N(f.OffsetY) + "  size " + N(f.Width) + "x" + N(f.Height) + "  wh-fix " +
         N(f.WidthHeightFix);
}

std::string RecordFormat::ColorLine(int32_t colorPrint, int32_t mode, const Palette& palette) {
  std::string line = "colour print " + N(colorPrint) + "  mode " + N(mode) +
                     (mode < 0 ? " (own palette)" : mode == 0 || mode > 99 ? " (default colours)" : " (preset)");
  if (!palette.empty()) {
    line += "  palette";
    for (const auto& e : palette)
      if (e) line.append(" ").append(U(e->Name)).append("=").append(ColorHex(e->Color));
  }
  return line;
}

}  // namespace tools
