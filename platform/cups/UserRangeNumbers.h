// Numbers of the user range for papers and bins that no table knows. A number
// is derived from the name itself, so that the same paper gets the same number
// on every printer and in every run (stored form settings keep it); within one
// process two names never share a number. Owns its name/number map; knows
// nothing of libcups. Safe to call from several threads.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

namespace spooler {

class UserRangeNumbers {
 public:
  UserRangeNumbers(int16_t first, int16_t last);

  // The number of `name`; `preferred` (when inside the range and free) is
  // taken instead of the name's own slot. A name keeps its first number.
  int16_t Number(const std::string& name, int16_t preferred = 0);

  // Papers: from 257, since 256 itself means a user-defined size to the
  // library. Bins: from 256 (the platform's first driver-defined bin).
  static UserRangeNumbers& Papers();
  static UserRangeNumbers& Bins();

 private:
  std::mutex mutex_;
  int16_t first_;
  int16_t last_;
  std::map<std::string, int16_t> byName_;
  std::map<int16_t, std::string> byNumber_;
};

}  // namespace spooler
