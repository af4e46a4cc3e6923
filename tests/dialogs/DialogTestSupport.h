// Shared by the numeric control tests: an owner form dialog that records the
// recomputations it is asked for. The QApplication comes from the shared
// dialog driver.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "dialogs/IQuorPrnHeightOwner.h"
#include "tests/support/DialogDriver.h"

namespace dialogtest {

struct RecordingOwner : IQuorPrnHeightOwner {
  std::vector<int32_t> calls;
  void RecalcHeight(int32_t tenths) override { calls.push_back(tenths); }
};

}  // namespace dialogtest
