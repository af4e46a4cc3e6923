// Redirected printer names: the conversion passes, the sticky map, the way
// back to the installed printer, and patterns that do not compile.
#include <gtest/gtest.h>

#include <memory>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "printer/CQuorPrnPrinterInfoManager.h"
#include "quorprn/CQuorPrnPrinterRedirectManager.h"

using Mgr = CQuorPrnPrinterRedirectManager;
using mbcs::Cp932;
using spooler::VirtualSpooler;

class CQuorPrnPrinterRedirectManagerTestPeer {
 public:
  static std::string Convert(const std::string& name) { return Mgr::_ConvertRedirectPrinterName(name.c_str()); }
  static int Search(const std::string& text, const std::string& pattern) { return Mgr::_REGEX_SEARCH(text, pattern); }
  static int Replace(std::string& text, const std::string& pattern) { return Mgr::_REGEX_REPLACE(text, "", pattern); }
};
using Peer = CQuorPrnPrinterRedirectManagerTestPeer;

namespace {

void Ports(std::vector<std::string> p) { Mgr::SetRedirectPrinterPortList(p); }
void Removes(std::vector<std::string> p) { Mgr::SetRedirectPrinterRemovePatternList(p); }

// Installed printers: two sessions of the same redirected printer whose names
// differ in the session decoration and the letter case, one local printer.
const char* kPrinters = R"json({"printers": [
  {"name": "Local", "port": "usb://local"},
  {"name": "Label (session 12)", "port": "ipp://rdp-session/12/label"},
  {"name": "LABEL (session 7)", "port": "ipp://rdp-session/7/label"},
  {"name": "ｌａｂｅｌ全角", "port": "ipp://rdp-session/3/x"}]})json";

class Redirect : public ::testing::Test {
 protected:
  void SetUp() override {
    Ports({});
    Removes({});
    Mgr::m_cRedirectPrinterMap.clear();
    vs = VirtualSpooler::FromJson(kPrinters, "test");
    ASSERT_EQ(vs->LoadError(), "");
    spooler::Spooler::UseBackend(vs);
    ASSERT_EQ(CQuorPrnPrinterInfoManager::RefreshPrinters(), 1);
    vs->ResetCalls();
  }
  void TearDown() override {
    Ports({});
    Removes({});
    Mgr::m_cRedirectPrinterMap.clear();
    spooler::Spooler::Reset();
  }
  std::shared_ptr<VirtualSpooler> vs;
};

}  // namespace

TEST_F(Redirect, WithoutPortPatternsNothingIsRedirected) {
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Label (session 12)", "ipp://rdp-session/12/label"), "Label (session 12)");
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Label (session 12)"), "Label (session 12)");
  EXPECT_EQ(Mgr::GetRealPrinterName("Label!Redirected"), "Label!Redirected");
  EXPECT_TRUE(Mgr::m_cRedirectPrinterMap.empty());
}

TEST_F(Redirect, MatchingPortAppendsTheSuffixAndOnlyRedirectedNamesAreRemembered) {
  Ports({"^usb-never", "rdp-session"});
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Label (session 12)", "ipp://rdp-session/12/label"),
            "Label (session 12)!Redirected");
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Local", "usb://local"), "Local");
  EXPECT_EQ(Mgr::GetRedirectPrinterName(nullptr, nullptr), "");
  EXPECT_EQ(Mgr::m_cRedirectPrinterMap.size(), 1u);

  // One argument: the port comes from the printer list, exact name only.
  Removes({" \\(session [0-9]+\\)"});
  EXPECT_EQ(Mgr::GetRedirectPrinterName("LABEL (session 7)"), "LABEL!Redirected");
  EXPECT_EQ(Mgr::GetRedirectPrinterName("label (session 7)"), "label (session 7)");  // not installed
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Local"), "Local");
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Gone"), "Gone");
}

TEST_F(Redirect, PassesRepeatUntilNothingChanges) {
  // Removing "X" joins "a" and "b" into a new match of the earlier pattern.
  Removes({"ab", "X"});
  EXPECT_EQ(Peer::Convert("1aXb2"), "12!Redirected");
  Removes({"ab", "X", "Y"});
  EXPECT_EQ(Peer::Convert("aaXbYbc"), "c!Redirected");
  // A pattern that only matches the empty string changes nothing and ends
  // the passes; one that matches both empty and real text still ends.
  Removes({"z*"});
  EXPECT_EQ(Peer::Convert("abc"), "abc!Redirected");
  Removes({"^", "$", "b*"});
  EXPECT_EQ(Peer::Convert("abbbc"), "ac!Redirected");
  // Patterns see code page 932 bytes: "ソ" is 83 5C, so a pattern for the
  // backslash byte takes its trail byte. Host patterns must allow for that.
  Removes({"\\\\"});
  EXPECT_EQ(Peer::Convert("a\\b"), "ab!Redirected");
  EXPECT_EQ(Peer::Convert(Cp932("ソ")), "\x83!Redirected");
}

TEST_F(Redirect, MapKeepsOldNamesAfterTheListsChangeButTheWayBackUsesNewLists) {
  Ports({"rdp-session"});
  Removes({" \\(session [0-9]+\\)"});
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Label (session 12)"), "Label!Redirected");
  Removes({"abel"});
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Label (session 12)"), "Label!Redirected");  // sticky
  EXPECT_EQ(Mgr::GetRedirectPrinterName("LABEL (session 7)"), "LABEL (session 7)!Redirected");
  // The port is not part of the key.
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Label (session 12)", "ipp://rdp-session/99"), "Label!Redirected");
  EXPECT_EQ(Mgr::GetRealPrinterName("Label!Redirected"), "Label!Redirected");  // "L (session 12)" now
  EXPECT_EQ(Mgr::GetRealPrinterName("L (session 12)!Redirected"), "Label (session 12)");
}

TEST_F(Redirect, WayBackIgnoresCaseButTheSuffixDoesNot) {
  Ports({"rdp-session"});
  Removes({" \\(session [0-9]+\\)", Cp932("全角")});
  // Both sessions convert to "label" apart from case: the first listed wins.
  EXPECT_EQ(Mgr::GetRealPrinterName("label!Redirected"), "Label (session 12)");
  EXPECT_EQ(Mgr::GetRealPrinterName("LaBeL!Redirected"), "Label (session 12)");
  // Full-width letters are upper-cased too.
  EXPECT_EQ(Mgr::GetRealPrinterName(Cp932("ＬＡＢＥＬ!Redirected").c_str()), Cp932("ｌａｂｅｌ全角"));
  EXPECT_EQ(Mgr::GetRealPrinterName("Unknown!Redirected"), "Unknown!Redirected");

  // Not redirect names: the printer list is not even consulted.
  CQuorPrnPrinterInfoManager::RefreshPrinters();
  vs->ResetCalls();
  EXPECT_EQ(Mgr::GetRealPrinterName("label!redirected"), "label!redirected");
  EXPECT_EQ(Mgr::GetRealPrinterName("label!Redirected "), "label!Redirected ");
  EXPECT_EQ(Mgr::GetRealPrinterName("label!Redirected!x"), "label!Redirected!x");
  EXPECT_EQ(Mgr::GetRealPrinterName(nullptr), "");
  EXPECT_EQ(vs->TotalCalls(VirtualSpooler::kEnum), 0);
}

TEST_F(Redirect, BadPatternsNeverMatchAndAreReportedOnce) {
  testing::internal::CaptureStderr();
  Ports({"(rdp", "[", "rdp-session"});
  Removes({"*oops", " \\(session [0-9]+\\)", "(?<=x)"});
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Label (session 12)", "ipp://rdp-session/12"), "Label!Redirected");
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Other (session 3)", "ipp://rdp-session/3"), "Other!Redirected");
  Ports({"(rdp"});
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Third", "ipp://rdp-session/3"), "Third");
  EXPECT_EQ(Mgr::GetRealPrinterName("Label!Redirected"), "Label!Redirected");
  std::string printed = testing::internal::GetCapturedStderr();

  auto occurrences = [&](const std::string& what) {
    size_t n = 0;
    for (size_t at = printed.find(what); at != std::string::npos; at = printed.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(occurrences("quorprn: redirect: bad pattern \"(rdp\""), 1u) << printed;
  EXPECT_EQ(occurrences("quorprn: redirect: bad pattern \"*oops\""), 1u) << printed;
  EXPECT_EQ(occurrences("bad pattern \"[\""), 1u) << printed;
  EXPECT_EQ(occurrences("rdp-session\""), 0u) << printed;
}

TEST_F(Redirect, OverlongTextsAreLeftAloneInsteadOfExhaustingTheStack) {
  // libstdc++ recurses per character: this pattern over a long text would
  // overflow the stack of a host's worker thread.
  std::string longName(200000, 'a');
  EXPECT_EQ(Peer::Search(longName, "(a|b)*c"), 0);
  std::string text = longName;
  EXPECT_EQ(Peer::Replace(text, "(a|b)*"), 0);
  EXPECT_EQ(text, longName);
  Ports({"(a|b)*"});
  EXPECT_EQ(Mgr::GetRedirectPrinterName("P", longName.c_str()), "P");
  // Texts of a realistic length still match.
  std::string usual(200, 'a');
  EXPECT_EQ(Peer::Search(usual, "^(a|b)*$"), 1);
}
