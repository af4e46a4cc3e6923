// Device-settings holder: keeps its own byte copy of a block so that neither
// the caller's block nor the holder's can be freed twice.
#include "meraprn/CPrnDevMode.h"

#include <cstring>

CPrnDevMode::CPrnDevMode() = default;
CPrnDevMode::CPrnDevMode(const CPrnDevMode& other) = default;
CPrnDevMode& CPrnDevMode::operator=(const CPrnDevMode& other) = default;
CPrnDevMode::~CPrnDevMode() = default;

int32_t CPrnDevMode::GetDevMode(DEVMODEA*& out) {
  if (block_.empty()) {
    out = nullptr;
    return 0;
  }
  out = reinterpret_cast<DEVMODEA*>(block_.data());
  return static_cast<int32_t>(block_.size());
}

void CPrnDevMode::Init() { block_.clear(); }

void CPrnDevMode::SetDevMode(const DEVMODEA* block, int32_t size) {
  block_.clear();
  if (block == nullptr || size < static_cast<int32_t>(sizeof(DEVMODEA))) return;
  // Keep the vector's storage aligned for DEVMODEA by allocating in bytes from
  // operator new (vector<unsigned char> uses it), which is max-aligned.
  block_.resize(static_cast<size_t>(size));
  std::memcpy(block_.data(), block, static_cast<size_t>(size));
}
