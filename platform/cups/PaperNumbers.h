// The platform's paper numbers for the papers that CUPS names: by the PWG
// media name first, else by size (a PPD's sizes come back a fraction of a
// millimetre off, and its own names are often not the standard ones).
// Holds only a constant table; knows nothing of libcups, and never hands out a
// number of the user range (see UserRangeNumbers for papers it does not know).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace spooler {

class PaperNumbers {
 public:
  // The number of a paper given by its media keyword ("iso_a4_210x297mm",
  // "jpn_hagaki_100x148mm_borderless") and its size in hundredths of a
  // millimetre (either orientation; 0 when unknown). 0 when neither the name
  // nor the size is one the table knows.
  static int16_t ForMedia(std::string_view keyword, int width, int length);
  // The keyword without the variant suffixes that CUPS adds to one paper's
  // several entries (borderless, ...): what identifies the paper itself.
  static std::string Base(std::string_view keyword);
  // Our own UTF-8 name of a known paper number, for when CUPS gives none;
  // empty for numbers the table does not hold.
  static std::string Name(int16_t number);
  // A name made from a size ("80 x 180 mm") for papers nobody named.
  static std::string SizeName(int width, int length);
  // The length of a leading size text such as "210 x 297 mm" or '8.5 x 11 "'
  // (what CUPS answers when its catalogue has no name for a paper), or 0.
  static size_t SizePrefix(std::string_view text);
};

}  // namespace spooler
