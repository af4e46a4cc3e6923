// The process-wide paper-name cache: (printer, paper number) -> the driver's
// name of that paper, empty when the driver does not list it. Entries are
// added when absent and removed only by emptying the whole map.
#pragma once

#include <string>
#include <unordered_map>

#include "printer/QuorPrnPrinterNumberKey.h"

struct PrintPaperNameKeyTag;
using PrintPaperNameKey = QuorPrnPrinterNumberKey<PrintPaperNameKeyTag>;

class CQuorPrnPaperNameMap : public std::unordered_map<PrintPaperNameKey, std::string, QuorPrnPrinterNumberKeyHash> {
 public:
  static constexpr size_t kBuckets = 59;
  CQuorPrnPaperNameMap() { reserve(kBuckets); }
};
