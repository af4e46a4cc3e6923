// Reads the text of a regedit export into a RegDocument: version 5 files
// (UTF-16LE with a byte-order mark, or UTF-8), REGEDIT4 files (code page 932,
// or UTF-8). Names and texts come out in code page 932. Touches no hive and
// never throws; every line it cannot use is reported with its number and
// skipped, as regedit does, while a file without a regedit header is refused
// whole. Memory is bounded: a file or a single value past the limits below is
// reported instead of being held.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "tools/RegDocument.h"

namespace tools {

class RegFileReader {
 public:
  static constexpr size_t kMaxFileBytes = size_t{64} << 20;
  static constexpr size_t kMaxValueBytes = size_t{1} << 20;

  // False when `bytes` is not a .reg file at all (then `doc` holds no
  // entries and one problem that says why); true otherwise, possibly with
  // problems for single lines.
  static bool Read(std::string_view bytes, RegDocument* doc);
};

}  // namespace tools
