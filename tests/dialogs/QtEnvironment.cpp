// The dialog tests' fixtures hold widgets as members, which need the
// QApplication before any fixture is constructed.
#include <gtest/gtest.h>

#include "platform/ui/UiApplication.h"
#include "quorprn/QuorPrnResult.h"

namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_EQ(UiApplication::Ensure(), QUOR_PRN_SUCCESS); }
};

[[maybe_unused]] ::testing::Environment* const kQt = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
