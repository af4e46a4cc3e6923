// Fault injection and counting of the in-memory hive, through the component's
// own entry points, as the store's tests will use them.
#include <gtest/gtest.h>

#include "platform/registry/MemoryHive.h"
#include "platform/registry/MeraRegKey.h"
#include "platform/registry/Registry.h"

using registry::MemoryHive;
using registry::RegOp;

class MemoryHiveFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    hive = std::make_shared<MemoryHive>();
    registry::Registry::UseHive(hive);
  }
  void TearDown() override { registry::Registry::Reset(); }
  std::shared_ptr<MemoryHive> hive;
};

TEST_F(MemoryHiveFaults, OnceFailsOnlyTheFirstMatchingCall) {
  auto key = MeraNewRegKey();
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\A"));
  ASSERT_TRUE(key->SetNumber("N", 5));
  hive->InjectFault({RegOp::GetNumber, "software\\a", "n", "ECR051", "disk read error", false});
  int32_t v = 0;
  EXPECT_FALSE(key->GetNumber("N", v));
  EXPECT_EQ(MeraLastErrorCode(false), "ECR051");
  EXPECT_TRUE(key->GetNumber("N", v));
  EXPECT_EQ(v, 5);
  EXPECT_EQ(hive->Count(RegOp::GetNumber), 2);
}

TEST_F(MemoryHiveFaults, PersistentFaultKeepsFailingAndOtherNamesPass) {
  auto key = MeraNewRegKey();
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "K"));
  hive->InjectFault({RegOp::SetText, "", "Bad", "ECR054", "disk full", true});
  EXPECT_FALSE(key->SetText("Bad", "x"));
  EXPECT_FALSE(key->SetText("bad", "x"));
  EXPECT_TRUE(key->SetText("Good", "x"));
  EXPECT_FALSE(hive->HasValue("K", "Bad"));
}

TEST_F(MemoryHiveFaults, ReportErrorWritesOneLineToTheSink) {
  std::vector<std::string> lines;
  registry::SetErrorSink([&](const std::string& l) { lines.push_back(l); });
  auto key = MeraNewRegKey();
  hive->InjectFault({RegOp::OpenKey, "X", "", "ECR052", "permission denied", false});
  EXPECT_FALSE(key->OpenKey(HKEY_LOCAL_MACHINE, "X", 0));
  EXPECT_EQ(MeraLastErrorCode(true), "ECR052");
  EXPECT_FALSE(key->OpenKey(HKEY_LOCAL_MACHINE, "X", 0));  // now simply absent
  EXPECT_EQ(MeraLastErrorCode(true), "ECR040");            // absence is silent
  registry::SetErrorSink(nullptr);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "quorprn: registry: ECR052: permission denied");
}
