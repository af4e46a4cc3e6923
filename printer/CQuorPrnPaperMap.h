// The process-wide paper cache: (printer, paper number) -> a form record whose
// paper number text and paper name are filled. Entries are added when absent
// and removed only by emptying the whole map; the bucket count set at
// construction survives emptying.
#pragma once

#include <unordered_map>

#include "printer/QuorPrnPrinterNumberKey.h"
#include "quorprn/QuorPrnRecords.h"

struct PaperKeyTag;
using PaperKey = QuorPrnPrinterNumberKey<PaperKeyTag>;

class CQuorPrnPaperMap : public std::unordered_map<PaperKey, QUOR_PRN_FORM_INFO_TYPE, QuorPrnPrinterNumberKeyHash> {
 public:
  static constexpr size_t kBuckets = 59;
  CQuorPrnPaperMap() { reserve(kBuckets); }
};
