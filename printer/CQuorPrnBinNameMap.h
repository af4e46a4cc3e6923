// The process-wide bin-name cache: (printer, bin number) -> the driver's name
// of that paper source (or of the printer's default source when the driver
// lacks the bin; empty when it lacks both). Entries are added when absent and
// removed only by emptying the whole map.
#pragma once

#include <string>
#include <unordered_map>

#include "printer/QuorPrnPrinterNumberKey.h"

struct BinNameTag;
using BinName = QuorPrnPrinterNumberKey<BinNameTag>;

class CQuorPrnBinNameMap : public std::unordered_map<BinName, std::string, QuorPrnPrinterNumberKeyHash> {
 public:
  static constexpr size_t kBuckets = 29;
  CQuorPrnBinNameMap() { reserve(kBuckets); }
};
