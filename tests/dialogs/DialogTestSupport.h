// Shared by the dialog tests. The fixtures hold widgets as members, which need
// the QApplication before any fixture is constructed: a global environment
// makes it once for the whole program.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "dialogs/IQuorPrnHeightOwner.h"
#include "platform/ui/UiApplication.h"
#include "quorprn/QuorPrnResult.h"

namespace dialogtest {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_EQ(UiApplication::Ensure(), QUOR_PRN_SUCCESS); }
};

inline ::testing::Environment* const kQt = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

struct RecordingOwner : IQuorPrnHeightOwner {
  std::vector<int32_t> calls;
  void RecalcHeight(int32_t tenths) override { calls.push_back(tenths); }
};

}  // namespace dialogtest
