// The table follows the platform's DMPAPER numbering. Sizes are the nominal
// ones in hundredths of a millimetre, portrait. Where two numbers share a size
// (ledger and tabloid, ISO B4 and the B4 envelope) the first row wins the size
// match, so the row order below is deliberate.
#include "platform/cups/PaperNumbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace spooler {
namespace {

constexpr int kInch = 2540;
// Within a millimetre either way: PPD sizes are whole points.
constexpr int kTolerance = 100;

struct Row {
  int16_t number;
  const char* pwg;  // the PWG name without its size part
  int width;
  int length;
  const char* name;
};

constexpr Row kRows[] = {
    {9, "iso_a4", 21000, 29700, "A4"},
    {8, "iso_a3", 29700, 42000, "A3"},
    {11, "iso_a5", 14800, 21000, "A5"},
    {70, "iso_a6", 10500, 14800, "A6"},
    {66, "iso_a2", 42000, 59400, "A2"},
    {12, "jis_b4", 25700, 36400, "B4 (JIS)"},
    {13, "jis_b5", 18200, 25700, "B5 (JIS)"},
    {88, "jis_b6", 12800, 18200, "B6 (JIS)"},
    {42, "iso_b4", 25000, 35300, "B4 (ISO)"},
    {34, "iso_b5", 17600, 25000, "B5 (ISO)"},
    {35, "iso_b6", 12500, 17600, "B6 (ISO)"},
    {43, "jpn_hagaki", 10000, 14800, "はがき"},
    {69, "jpn_oufuku", 14800, 20000, "往復はがき"},
    {71, "jpn_kaku2", 24000, 33200, "角形2号"},
    {72, "jpn_kaku3", 21600, 27700, "角形3号"},
    {73, "jpn_chou3", 12000, 23500, "長形3号"},
    {74, "jpn_chou4", 9000, 20500, "長形4号"},
    {91, "jpn_you4", 10500, 23500, "洋形4号"},
    {1, "na_letter", 8500 * kInch / 1000, 11 * kInch, "レター"},
    {5, "na_legal", 8500 * kInch / 1000, 14 * kInch, "リーガル"},
    {3, "na_ledger", 11 * kInch, 17 * kInch, "タブロイド"},
    {3, "na_tabloid", 0, 0, "タブロイド"},
    {6, "na_invoice", 5500 * kInch / 1000, 8500 * kInch / 1000, "ステートメント"},
    {7, "na_executive", 7250 * kInch / 1000, 10500 * kInch / 1000, "エグゼクティブ"},
    {14, "na_foolscap", 8500 * kInch / 1000, 13 * kInch, "フォリオ"},
    {16, "na_10x14", 10 * kInch, 14 * kInch, "10x14"},
    {44, "na_9x11", 9 * kInch, 11 * kInch, "9x11"},
    {45, "na_10x11", 10 * kInch, 11 * kInch, "10x11"},
    {46, "na_11x15", 15 * kInch, 11 * kInch, "15x11"},
    {46, "oe_15x11in", 0, 0, "15x11"},
    {46, "custom_15x11in", 0, 0, "15x11"},
    {39, "na_fanfold-us", 11 * kInch, 14875 * kInch / 1000, "US 標準ファンフォールド"},
    {40, "na_fanfold-eur", 8500 * kInch / 1000, 12 * kInch, "ドイツ標準ファンフォールド"},
    {24, "na_c", 17 * kInch, 22 * kInch, "C シート"},
    {25, "na_d", 22 * kInch, 34 * kInch, "D シート"},
    {26, "na_e", 34 * kInch, 44 * kInch, "E シート"},
    {19, "na_number-9", 3875 * kInch / 1000, 8875 * kInch / 1000, "封筒 #9"},
    {20, "na_number-10", 4125 * kInch / 1000, 9500 * kInch / 1000, "封筒 #10"},
    {21, "na_number-11", 4500 * kInch / 1000, 10375 * kInch / 1000, "封筒 #11"},
    {22, "na_number-12", 4750 * kInch / 1000, 11 * kInch, "封筒 #12"},
    {23, "na_number-14", 5 * kInch, 11500 * kInch / 1000, "封筒 #14"},
    {37, "na_monarch", 3875 * kInch / 1000, 7500 * kInch / 1000, "封筒 モナーク"},
    {38, "na_personal", 3625 * kInch / 1000, 6500 * kInch / 1000, "封筒 6 3/4"},
    {27, "iso_dl", 11000, 22000, "封筒 DL"},
    {28, "iso_c5", 16200, 22900, "封筒 C5"},
    {30, "iso_c4", 22900, 32400, "封筒 C4"},
    {29, "iso_c3", 32400, 45800, "封筒 C3"},
    {31, "iso_c6", 11400, 16200, "封筒 C6"},
    {32, "iso_c6c5", 11400, 22900, "封筒 C65"},
    {36, "om_italian", 11000, 23000, "封筒 イタリア"},
    {47, "om_invite", 22000, 22000, "封筒 招待状"},
};

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// "210x297mm", "8.5x11in": the size part of a self-describing PWG name.
bool IsSizePart(std::string_view part) {
  if (!EndsWith(part, "mm") && !EndsWith(part, "in")) return false;
  size_t x = part.find('x');
  if (x == 0 || x == std::string_view::npos || x + 3 > part.size()) return false;
  for (char c : part.substr(0, part.size() - 2)) {
    if (c != 'x' && c != '.' && (c < '0' || c > '9')) return false;
  }
  return true;
}

bool Near(int a, int b) { return std::abs(a - b) <= kTolerance; }

}  // namespace

std::string PaperNumbers::Base(std::string_view keyword) {
  for (std::string_view variant : {"_borderless", ".fullbleed", ".Fullbleed"}) {
    if (EndsWith(keyword, variant)) keyword.remove_suffix(variant.size());
  }
  return std::string(keyword);
}

int16_t PaperNumbers::ForMedia(std::string_view keyword, int width, int length) {
  std::string base = Base(keyword);
  std::string_view name = base;
  // The class and name part ("iso_a4") is what identifies a standard paper;
  // the whole keyword covers the spellings whose name is itself a size.
  std::string_view stem = name;
  size_t last = name.rfind('_');
  if (last != std::string_view::npos && IsSizePart(name.substr(last + 1))) stem = name.substr(0, last);
  for (const Row& row : kRows) {
    if (name == row.pwg || stem == row.pwg) return row.number;
  }
  if (width <= 0 || length <= 0) return 0;
  for (const Row& row : kRows) {
    if (row.width == 0) continue;
    if ((Near(width, row.width) && Near(length, row.length)) || (Near(width, row.length) && Near(length, row.width))) {
      return row.number;
    }
  }
  return 0;
}

std::string PaperNumbers::Name(int16_t number) {
  for (const Row& row : kRows) {
    if (row.number == number) return row.name;
  }
  return {};
}

std::string PaperNumbers::SizeName(int width, int length) {
  char text[64];
  std::snprintf(text, sizeof text, "%ld x %ld mm", std::lround(width / 100.0), std::lround(length / 100.0));
  return text;
}

size_t PaperNumbers::SizePrefix(std::string_view text) {
  size_t i = 0;
  auto number = [&] {
    size_t start = i;
    while (i < text.size() && ((text[i] >= '0' && text[i] <= '9') || text[i] == '.')) ++i;
    return i > start;
  };
  auto literal = [&](std::string_view word) {
    if (text.substr(i, word.size()) != word) return false;
    i += word.size();
    return true;
  };
  if (!number() || !literal(" x ") || !number()) return 0;
  if (literal(" mm") || literal(" \"") || literal(" in") || literal("\"")) return i;
  return 0;
}

}  // namespace spooler
