#include "tools/CupsOptionText.h"

namespace tools {

std::string CupsOptionText::LpWords(const std::vector<QUOR_PRN_CUPS_OPTION_TYPE>& options) {
  std::string words;
  for (const auto& o : options) {
    if (!words.empty()) words += ' ';
    words += "-o " + o.Name + "=" + o.Value;
  }
  return words;
}

nlohmann::json CupsOptionText::Json(const std::vector<QUOR_PRN_CUPS_OPTION_TYPE>& options) {
  nlohmann::json object = nlohmann::json::object();
  for (const auto& o : options) object[o.Name] = o.Value;
  return object;
}

}  // namespace tools
