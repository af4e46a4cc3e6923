// A test suite sharing one throwaway cupsd made the server of every later
// thread: skipped only where cupsd is not installed, failed when the daemon
// or one of the suite's queues could not be set up.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CupsdSandbox.h"

class CupsdSuite : public ::testing::Test {
 protected:
  // Starts the daemon and runs each CUPS command of `steps` against it; false
  // when the suite is skipped or failed.
  static bool StartWith(const std::vector<std::vector<std::string>>& steps) {
    skip_.clear();
    setupError_.clear();
    if (CupsdSandbox::FindProgram("cupsd").empty()) {
      skip_ = "cupsd is not installed (Debian: cups-daemon)";
      return false;
    }
    sandbox_ = std::make_unique<CupsdSandbox>();
    if (!sandbox_->StartAsTheServer(&setupError_)) return false;
    for (const auto& step : steps) {
      if (!sandbox_->Run(step, &setupError_)) return false;
    }
    return true;
  }
  static void TearDownTestSuite() {
    sandbox_.reset();
    CupsdSandbox::ForgetTheServer();
  }
  void SetUp() override {
    if (!skip_.empty()) GTEST_SKIP() << skip_;
    ASSERT_TRUE(setupError_.empty()) << setupError_;
  }

  static inline std::unique_ptr<CupsdSandbox> sandbox_;
  static inline std::string skip_;
  static inline std::string setupError_;
};
