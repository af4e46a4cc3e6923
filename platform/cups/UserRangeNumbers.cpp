// A fixed hash (FNV-1a) rather than std::hash: the slot must not change with
// the standard library. A collision moves the later name to the next free
// slot, which is the only case where a number depends on the order of use.
#include "platform/cups/UserRangeNumbers.h"

namespace spooler {

UserRangeNumbers::UserRangeNumbers(int16_t first, int16_t last) : first_(first), last_(last) {}

int16_t UserRangeNumbers::Number(const std::string& name, int16_t preferred) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto known = byName_.find(name);
  if (known != byName_.end()) return known->second;
  const int span = last_ - first_ + 1;
  if (static_cast<int>(byNumber_.size()) >= span) return first_;  // full: unreachable in practice
  int slot;
  if (preferred >= first_ && preferred <= last_ && !byNumber_.count(preferred)) {
    slot = preferred - first_;
  } else {
    uint32_t h = 2166136261u;
    for (unsigned char c : name) h = (h ^ c) * 16777619u;
    slot = static_cast<int>(h % static_cast<uint32_t>(span));
  }
  while (byNumber_.count(static_cast<int16_t>(first_ + slot))) slot = (slot + 1) % span;
  auto number = static_cast<int16_t>(first_ + slot);
  byName_[name] = number;
  byNumber_[number] = name;
  return number;
}

UserRangeNumbers& UserRangeNumbers::Papers() {
  static UserRangeNumbers numbers(257, 32767);
  return numbers;
}

UserRangeNumbers& UserRangeNumbers::Bins() {
  static UserRangeNumbers numbers(256, 32767);
  return numbers;
}

}  // namespace spooler
