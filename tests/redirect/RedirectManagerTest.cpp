// Redirected printer names: the conversion passes, the sticky map, the way
// back to the installed printer, and hostile input: patterns that do not
// compile or that the regex engine cannot finish, and names long enough to
// meet the engine's length bound (several were found by the fuzz target).
#include <gtest/gtest.h>

#include <memory>

#include "platform/mbcs/Cp932Converter.h"
#include "quorprn/CQuorPrnPrinterRedirectManager.h"
#include "tests/support/Sandbox.h"

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

class Redirect : public testsupport::Sandbox {
 protected:
  void SetUp() override {
    Sandbox::SetUp();
    Forget();
    UseSpooler(kPrinters);
  }
  void TearDown() override {
    Forget();
    Sandbox::TearDown();
  }
  static void Forget() {
    Ports({});
    Removes({});
    Mgr::m_cRedirectPrinterMap.clear();
  }
};

size_t Occurrences(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

}  // namespace

TEST_F(Redirect, MatchingPortAppendsTheSuffixAndOnlyRedirectedNamesAreRemembered) {
  // Without port patterns nothing is redirected.
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Label (session 12)", "ipp://rdp-session/12/label"), "Label (session 12)");
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Label (session 12)"), "Label (session 12)");
  EXPECT_EQ(Mgr::GetRealPrinterName("Label!Redirected"), "Label!Redirected");
  EXPECT_TRUE(Mgr::m_cRedirectPrinterMap.empty());

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

TEST_F(Redirect, BadPatternsNeverMatchAndEachNewOneIsReportedOnce) {
  testing::internal::CaptureStderr();
  Ports({"(rdp", "[", "rdp-session"});
  Removes({"*oops", " \\(session [0-9]+\\)", "(?<=x)"});
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Label (session 12)", "ipp://rdp-session/12"), "Label!Redirected");
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Other (session 3)", "ipp://rdp-session/3"), "Other!Redirected");
  Ports({"(rdp"});
  EXPECT_EQ(Mgr::GetRedirectPrinterName("Third", "ipp://rdp-session/3"), "Third");
  EXPECT_EQ(Mgr::GetRealPrinterName("Label!Redirected"), "Label!Redirected");
  std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Occurrences(printed, "quorprn: redirect: bad pattern \"(rdp\""), 1u) << printed;
  EXPECT_EQ(Occurrences(printed, "quorprn: redirect: bad pattern \"*oops\""), 1u) << printed;
  EXPECT_EQ(Occurrences(printed, "bad pattern \"[\""), 1u) << printed;
  EXPECT_EQ(Occurrences(printed, "rdp-session\""), 0u) << printed;

  // Far more than the manager remembers: each new one is still reported, and
  // the same one used again right away is not.
  testing::internal::CaptureStderr();
  Removes({});
  for (int i = 0; i < 1000; ++i) {
    Ports({"(" + std::to_string(i)});
    EXPECT_EQ(Mgr::GetRedirectPrinterName("P", "port"), "P");
    EXPECT_EQ(Mgr::GetRedirectPrinterName("Q", "port"), "Q");
  }
  EXPECT_EQ(Occurrences(testing::internal::GetCapturedStderr(), "\n"), 1000u);
}

TEST_F(Redirect, LongTextsAreLeftAloneInsteadOfExhaustingTheStack) {
  // libstdc++ recurses per character: these patterns over a long text would
  // overflow the stack of a host's worker thread.
  std::string longName(200000, 'a');
  EXPECT_EQ(Peer::Search(longName, "(a|b)*c"), 0);
  std::string text = longName;
  EXPECT_EQ(Peer::Replace(text, "(a|b)*"), 0);
  EXPECT_EQ(text, longName);
  // Texts of a realistic length still match.
  EXPECT_EQ(Peer::Search(std::string(200, 'a'), "^(a|b)*$"), 1);

  Ports({"(a|b)*", "(.)*$", "^[^!]*x"});
  Removes({"(a|b)+", "(.)+z"});
  for (size_t length : {1000u, 1024u, 1025u, 100000u}) {
    std::string name;
    while (name.size() < length) name += "ab";
    name.resize(length);
    EXPECT_TRUE(Mgr::GetRedirectPrinterName(name.c_str(), "ab").ends_with("!Redirected")) << length;
    Mgr::GetRedirectPrinterName(("x" + name).c_str(), name.c_str());
    EXPECT_EQ(Mgr::GetRealPrinterName((name + "!Redirected").c_str()), name + "!Redirected") << length;
  }
  EXPECT_EQ(Mgr::GetRedirectPrinterName("P", longName.c_str()), "P");
}

TEST_F(Redirect, RunawayBacktrackingGivesUpInsteadOfHangingTheHost) {
  // Each of these would keep the engine busy for hours on these short texts.
  testing::internal::CaptureStderr();
  const std::string as(40, 'a');
  EXPECT_EQ(Peer::Search(as, "(a|a)*b"), 0);
  EXPECT_EQ(Peer::Search("x", "(|){40}y"), 0);
  std::string text = as + "_1";
  EXPECT_EQ(Peer::Replace(text, "(a|aa)*_2"), 0);
  EXPECT_EQ(text, as + "_1");
  // The same patterns still decide where backtracking is short.
  EXPECT_EQ(Peer::Search("aab", "(a|a)*b"), 1);
  std::string shortText = "aa_2x";
  EXPECT_EQ(Peer::Replace(shortText, "(a|aa)*_2"), 1);
  EXPECT_EQ(shortText, "x");

  // One runaway pattern neither hides the patterns after it nor stops a
  // name from being converted.
  Ports({"(a|a)*b", "^ipp:"});
  Removes({"(a|a)*b", "_[0-9]+$"});
  EXPECT_EQ(Mgr::GetRedirectPrinterName("P", as.c_str()), "P");
  EXPECT_EQ(Mgr::GetRedirectPrinterName((as + "_7").c_str(), "ipp://host/q"), as + "!Redirected");
  std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Occurrences(printed, "bad pattern \"(a|a)*b\": too much backtracking"), 1u) << printed;
  EXPECT_EQ(Occurrences(printed, "bad pattern \"(|){40}y\": too much backtracking"), 1u) << printed;
}

TEST_F(Redirect, RedirectedPrinterWithLongNameIsFoundAgain) {
  // Names past the regex engine's bound keep their decorations, but the
  // stored name must still lead back to the printer.
  for (size_t length : {1013u, 1014u, 1024u, 1500u, 5000u}) {
    std::string name(length, 'n');
    UseSpooler(R"({"printers": [{"name": ")" + name + R"(", "port": "/redir/1"}]})");
    Ports({"^/redir/"});
    Removes({"_[0-9]+"});
    std::string stored = Mgr::GetRedirectPrinterName(name.c_str(), "/redir/1");
    EXPECT_EQ(stored, name + "!Redirected") << length;
    EXPECT_EQ(Mgr::GetRealPrinterName(stored.c_str()), name) << length;
    Mgr::m_cRedirectPrinterMap.clear();
  }
}
