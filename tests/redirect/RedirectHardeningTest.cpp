// The redirect manager under hostile input: names long enough to meet the
// regex engine's length bound, patterns that do not compile or that the
// engine cannot finish, and the bookkeeping of broken patterns. Each case was
// found by the fuzz target or guards a bound it relies on.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "printer/CQuorPrnPrinterInfoManager.h"
#include "quorprn/CQuorPrnPrinterRedirectManager.h"

namespace {

using Manager = CQuorPrnPrinterRedirectManager;

class RedirectHardening : public ::testing::Test {
 protected:
  void SetUp() override { Manager::m_cRedirectPrinterMap.clear(); }
  void TearDown() override {
    std::vector<std::string> none;
    Manager::SetRedirectPrinterPortList(none);
    Manager::SetRedirectPrinterRemovePatternList(none);
    Manager::m_cRedirectPrinterMap.clear();
    spooler::Spooler::Reset();
    CQuorPrnPrinterInfoManager::RefreshPrinters();
  }
  static void Install(const std::string& json) {
    auto s = spooler::VirtualSpooler::FromJson(json, "test");
    ASSERT_EQ(s->LoadError(), "");
    spooler::Spooler::UseBackend(s);
    CQuorPrnPrinterInfoManager::RefreshPrinters();
  }
  static void Lists(std::vector<std::string> ports, std::vector<std::string> removes) {
    Manager::SetRedirectPrinterPortList(ports);
    Manager::SetRedirectPrinterRemovePatternList(removes);
  }
};

TEST_F(RedirectHardening, RedirectedPrinterWithLongNameIsFoundAgain) {
  // Names past the regex engine's bound keep their decorations, but the
  // stored name must still lead back to the printer.
  for (size_t length : {1013u, 1014u, 1024u, 1500u, 5000u}) {
    std::string name(length, 'n');
    Install(R"({"printers": [{"name": ")" + name + R"(", "port": "/redir/1"}]})");
    Lists({"^/redir/"}, {"_[0-9]+"});
    std::string stored = Manager::GetRedirectPrinterName(name.c_str(), "/redir/1");
    EXPECT_EQ(stored, name + "!Redirected") << length;
    EXPECT_EQ(Manager::GetRealPrinterName(stored.c_str()), name) << length;
    Manager::m_cRedirectPrinterMap.clear();
  }
}

TEST_F(RedirectHardening, LongNamesNeverExhaustTheStack) {
  // Patterns whose matching recurses once per character; the names are far
  // longer than any printer's.
  Lists({"(a|b)*", "(.)*$", "^[^!]*x"}, {"(a|b)+", "(.)+z"});
  for (size_t length : {1000u, 1024u, 1025u, 100000u}) {
    std::string name;
    while (name.size() < length) name += "ab";
    name.resize(length);
    std::string stored = Manager::GetRedirectPrinterName(name.c_str(), "ab");
    EXPECT_TRUE(stored.ends_with("!Redirected")) << length;
    Manager::GetRedirectPrinterName(("x" + name).c_str(), name.c_str());
    EXPECT_EQ(Manager::GetRealPrinterName((name + "!Redirected").c_str()), name + "!Redirected") << length;
  }
}

TEST_F(RedirectHardening, EveryNewBrokenPatternIsReportedOnce) {
  // Far more than the manager remembers: each new one is still reported, and
  // the same one used again right away is not.
  testing::internal::CaptureStderr();
  for (int i = 0; i < 1000; ++i) {
    Lists({"(" + std::to_string(i)}, {});
    EXPECT_EQ(Manager::GetRedirectPrinterName("P", "port"), "P");
    EXPECT_EQ(Manager::GetRedirectPrinterName("Q", "port"), "Q");
  }
  std::string said = testing::internal::GetCapturedStderr();
  size_t lines = 0;
  for (char c : said) lines += c == '\n';
  EXPECT_EQ(lines, 1000u);
}

}  // namespace
