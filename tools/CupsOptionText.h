// The CUPS job options as the command shows them: `-o name=value` words that
// `lp` takes, and a JSON object of name to value. Knows nothing of CUPS.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "quorprn/QuorPrn.h"

namespace tools {

class CupsOptionText {
 public:
  static std::string LpWords(const std::vector<QUOR_PRN_CUPS_OPTION_TYPE>& options);
  static nlohmann::json Json(const std::vector<QUOR_PRN_CUPS_OPTION_TYPE>& options);
};

}  // namespace tools
