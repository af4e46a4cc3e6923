// Numbers are the platform's DMBIN codes; "main" is the cassette (14), which is
// what a driver reports for a printer's main paper drawer.
#include "platform/cups/MediaSourceBins.h"

#include <charconv>

#include "platform/cups/UserRangeNumbers.h"

namespace spooler {
namespace {

struct Source {
  std::string_view keyword;
  int16_t number;
  const char* name;
};

constexpr Source kSources[] = {
    {"top", 1, "上段トレイ"},
    {"bottom", 2, "下段トレイ"},
    {"middle", 3, "中段トレイ"},
    {"manual", 4, "手差し"},
    {"envelope", 5, "封筒"},
    {"auto", 7, "自動選択"},
    {"tractor", 8, "トラクタ"},
    {"large-capacity", 11, "大容量トレイ"},
    {"main", 14, "メイントレイ"},
};

// N of "tray-N", or 0.
int TrayIndex(std::string_view keyword) {
  constexpr std::string_view prefix = "tray-";
  if (keyword.size() <= prefix.size() || keyword.substr(0, prefix.size()) != prefix) return 0;
  int n = 0;
  const char* end = keyword.data() + keyword.size();
  auto [ptr, ec] = std::from_chars(keyword.data() + prefix.size(), end, n);
  return ec == std::errc() && ptr == end && n > 0 && n < 1000 ? n : 0;
}

}  // namespace

int16_t MediaSourceBins::Number(std::string_view keyword) {
  for (const Source& s : kSources) {
    if (keyword == s.keyword) return s.number;
  }
  int tray = TrayIndex(keyword);
  return UserRangeNumbers::Bins().Number(std::string(keyword), tray ? static_cast<int16_t>(255 + tray) : 0);
}

std::string MediaSourceBins::Name(std::string_view keyword) {
  for (const Source& s : kSources) {
    if (keyword == s.keyword) return s.name;
  }
  if (int tray = TrayIndex(keyword)) return "トレイ " + std::to_string(tray);
  return std::string(keyword);
}

}  // namespace spooler
