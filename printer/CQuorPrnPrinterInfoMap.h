// The process-wide cache of printers' level-2 information blocks, by exact
// printer name. The map owns every block: a block handed out stays valid
// until the map is emptied (CacheRefresh) or destroyed (library unload), and
// no caller frees one. Blocks are self-contained (their pointers point inside
// them), so they are kept in storage aligned for that layout.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>


class CQuorPrnPrinterInfoMap : public std::unordered_map<std::string, std::unique_ptr<std::max_align_t[]>> {
 public:
  static constexpr size_t kBuckets = 11;
  CQuorPrnPrinterInfoMap() { reserve(kBuckets); }
};
