#include "tools/NearestNames.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace tools {
namespace {

// Code points, ASCII folded to lower case. A byte that does not start a valid
// sequence counts as one character of its own: only the distance matters.
std::u32string Characters(const std::string& utf8) {
  std::u32string out;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
    if (i + n > utf8.size()) n = 1;
    char32_t c = n == 1 ? b : b & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
    out.push_back(c);
    i += n;
  }
  return out;
}

size_t Distance(const std::u32string& a, const std::u32string& b) {
  std::vector<size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), size_t{0});
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = up;
    }
  }
  return row[b.size()];
}

}  // namespace

std::vector<std::string> NearestNames::Of(const std::string& typed, const std::vector<std::string>& candidates,
                                          size_t most) {
  const std::u32string t = Characters(typed);
  std::vector<std::pair<size_t, size_t>> ranked;  // distance, index
  for (size_t i = 0; i < candidates.size(); ++i) ranked.emplace_back(Distance(t, Characters(candidates[i])), i);
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> out;
  for (size_t i = 0; i < ranked.size() && i < most; ++i) out.push_back(candidates[ranked[i].second]);
  return out;
}

}  // namespace tools
