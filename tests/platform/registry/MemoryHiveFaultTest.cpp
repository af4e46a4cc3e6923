// Fault injection and counting of the in-memory hive, through the component's
// own entry points, as the store's tests will use them.
#include <gtest/gtest.h>

#include "HiveTestSupport.h"
#include "platform/registry/MemoryHive.h"
#include "platform/registry/Registry.h"

using registry::RegOp;

class MemoryHiveFaults : public ::testing::Test {
 protected:
  void SetUp() override { registry::Registry::UseHive(hive); }
  void TearDown() override { registry::Registry::Reset(); }
  std::shared_ptr<registry::MemoryHive> hive = std::make_shared<registry::MemoryHive>();
};

TEST_F(MemoryHiveFaults, FaultsFailOnceOrForGoodAndOnlyTheMatchingCalls) {
  auto key = MeraNewRegKey();
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\A"));
  ASSERT_TRUE(key->SetNumber("N", 5));
  hive->InjectFault({RegOp::GetNumber, "software\\a", "n", "ECR051", "disk read error", false});
  EXPECT_EQ(NumberOf(*key, "N"), "ECR051");
  EXPECT_EQ(NumberOf(*key, "N"), "5");
  EXPECT_EQ(hive->Count(RegOp::GetNumber), 2);

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

// The quick absence test and the recorded code must agree whichever way the
// last failure was recorded, and a value failure's message must still name
// its key once the key object is gone.
TEST_F(MemoryHiveFaults, AbsenceTestAgreesWithTheCodeAndMessagesOutliveTheKey) {
  auto key = MeraNewRegKey();
  ASSERT_TRUE(key->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Probe"));
  ASSERT_TRUE(key->SetText("Text", "x"));
  hive->InjectFault({RegOp::GetNumber, "", "Broken", "ECR051", "disk read error", false});
  int32_t n = 0;
  auto expect = [&](const char* code) {
    EXPECT_EQ(MeraLastErrorCode(false), code);
    EXPECT_EQ(MeraLastErrorIsAbsence(), std::string(code) == "ECR040");
  };
  EXPECT_FALSE(key->GetNumber("Absent", n));
  expect("ECR040");
  EXPECT_FALSE(key->GetNumber("Text", n));  // wrong type, recorded like an absence
  expect("ECR041");
  EXPECT_FALSE(key->GetNumber("Absent", n));
  expect("ECR040");
  EXPECT_FALSE(key->GetNumber("Broken", n));  // a failure of the hive
  expect("ECR051");
  EXPECT_FALSE(key->GetNumber("Absent", n));
  expect("ECR040");
  EXPECT_FALSE(MeraNewRegKey()->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Nowhere", 0));
  expect("ECR040");

  EXPECT_FALSE(key->GetNumber("Gone", n));
  key = MeraNewRegKey();
  ASSERT_TRUE(key->OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE", 0));
  EXPECT_EQ(registry::GetLastError().message, "value does not exist: SOFTWARE\\Probe\\Gone");
}
