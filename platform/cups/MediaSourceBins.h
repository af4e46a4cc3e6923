// The platform's bin numbers and our own names for CUPS media-source keywords.
// Pure keyword mapping; knows nothing of libcups.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace spooler {

class MediaSourceBins {
 public:
  // The bin number of a media-source keyword ("auto" 7, "manual" 4, ...);
  // keywords without a platform number get a stable one from 256 upward,
  // "tray-N" preferring 255 + N.
  static int16_t Number(std::string_view keyword);
  // Our own UTF-8 name of a keyword, for when CUPS does not localise it: the
  // table's name, "トレイ N" for "tray-N", else the keyword itself.
  static std::string Name(std::string_view keyword);
};

}  // namespace spooler
