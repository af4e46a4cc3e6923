// Localisation: the language chosen from the locale variables, catalogues
// present, absent or damaged, and the cache following language and folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/localize/MeraLocalize.h"
#include "platform/mbcs/Cp932Converter.h"

using mbcs::Cp932;

namespace {

class Localize : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* v : {"LC_ALL", "LC_MESSAGES", "LANG", "QUORPRN_LOCALE_DIR"}) {
      const char* old = std::getenv(v);
      saved_.push_back({v, old ? old : "", old != nullptr});
      unsetenv(v);
    }
    setenv("QUORPRN_LOCALE_DIR", QUORPRN_SOURCE_DIR "/resources/locale", 1);
    dir_ = std::filesystem::path(QUORPRN_BINARY_DIR) / "test-home" /
           (std::string("localize-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    for (const auto& s : saved_) {
      if (s.set) setenv(s.name.c_str(), s.value.c_str(), 1);
      else unsetenv(s.name.c_str());
    }
    std::filesystem::remove_all(dir_);
  }
  void Write(const std::string& file, const std::string& text) {
    std::ofstream(dir_ / file, std::ios::binary) << text;
  }
  static std::string Control(const std::string& key, const std::string& def) {
    CMeraBaseClass* base = nullptr;
    EXPECT_EQ(MeraLocalizeCreateInstance(1, &base), 1);
    MeraPtr<CMeraLocalize> loc(static_cast<CMeraLocalize*>(base));
    return loc->LocalizeControlText(key, def);
  }
  static std::string Message(const std::string& key, const std::string& def) {
    CMeraBaseClass* base = nullptr;
    MeraLocalizeCreateInstance(1, &base);
    MeraPtr<CMeraLocalize> loc(static_cast<CMeraLocalize*>(base));
    return loc->LocalizeMessage(key, def);
  }

  struct Saved {
    std::string name, value;
    bool set;
  };
  std::vector<Saved> saved_;
  std::filesystem::path dir_;
};

const std::string kReady = "PRINTER_STATUS_READY_TEXT";

}  // namespace

TEST_F(Localize, LanguageComesFromLcAllThenLcMessagesThenLang) {
  const std::string def = Cp932("準備完了");
  EXPECT_EQ(Control(kReady, def), def);  // nothing set
  for (const char* lang : {"C", "POSIX", "C.UTF-8", "ja_JP.UTF-8", "ja", "fr_FR.UTF-8", "../../etc/passwd"}) {
    setenv("LANG", lang, 1);
    EXPECT_EQ(Control(kReady, def), def) << lang;
  }
  setenv("LANG", "en_US.UTF-8", 1);
  EXPECT_EQ(Control(kReady, def), "Ready");
  EXPECT_EQ(Message(kReady, def), "Ready");
  setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
  EXPECT_EQ(Control(kReady, def), def);
  setenv("LC_ALL", "en_GB", 1);
  EXPECT_EQ(Control(kReady, def), "Ready");
  setenv("LC_ALL", "", 1);  // empty counts as unset
  EXPECT_EQ(Control(kReady, def), def);
  unsetenv("LC_MESSAGES");
  setenv("LANG", "en@euro", 1);
  EXPECT_EQ(Control(kReady, def), "Ready");
  EXPECT_EQ(Control("NO_SUCH_KEY", def), def);
}

TEST_F(Localize, CatalogueLinesCommentsEscapesAndBadEntries) {
  Write("en.txt",
        "\xEF\xBB\xBF# comment\r\n"
        "FIRST = one \r\n"
        "\n"
        "   # indented comment = not a key\n"
        "CD2010.IDC_PRN2_PRINTERNAME=Printer name\n"
        "CD2010.VK_F1 =  Help  \n"
        "MULTI = line one\\nline two\\\\\n"
        "EMPTY =\n"
        "no equals sign here\n"
        "= no key\n"
        "JAPANESE = 用紙\n"
        "EMOJI = 😀\n"
        "DUP = old\n"
        "DUP = new = with equals\n");
  setenv("QUORPRN_LOCALE_DIR", dir_.c_str(), 1);
  setenv("LANG", "en_US.UTF-8", 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(Control("FIRST", "x"), "one");
  std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Control("CD2010.IDC_PRN2_PRINTERNAME", "x"), "Printer name");
  EXPECT_EQ(Control("CD2010.VK_F1", "x"), "Help");
  EXPECT_EQ(Message("MULTI", "x"), "line one\nline two\\");
  EXPECT_EQ(Control("EMPTY", "default"), "default");
  EXPECT_EQ(Control("JAPANESE", "x"), Cp932("用紙"));
  EXPECT_EQ(Control("EMOJI", "fallback"), "fallback");
  EXPECT_EQ(Control("DUP", "x"), "new = with equals");
  EXPECT_EQ(Control("# indented comment", "x"), "x");

  // Each bad entry is reported once, naming its line; later lookups are quiet.
  EXPECT_NE(printed.find("en.txt:9: "), std::string::npos) << printed;
  EXPECT_NE(printed.find("en.txt:10: "), std::string::npos) << printed;
  EXPECT_NE(printed.find("en.txt:12: "), std::string::npos) << printed;
  EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 3) << printed;
  testing::internal::CaptureStderr();
  Control("FIRST", "x");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(Localize, CacheFollowsLanguageAndFolderChanges) {
  Write("en.txt", "KEY = from the test folder\n");
  std::filesystem::create_directories(dir_ / "other");
  std::ofstream(dir_ / "other" / "en.txt") << "KEY = from the other folder\n";
  std::ofstream(dir_ / "other" / "de.txt") << "KEY = aus dem anderen Ordner\n";

  setenv("QUORPRN_LOCALE_DIR", dir_.c_str(), 1);
  setenv("LANG", "en_US.UTF-8", 1);
  EXPECT_EQ(Control("KEY", "d"), "from the test folder");
  setenv("QUORPRN_LOCALE_DIR", (dir_ / "other").c_str(), 1);
  EXPECT_EQ(Control("KEY", "d"), "from the other folder");
  setenv("LANG", "de_DE.UTF-8", 1);
  EXPECT_EQ(Control("KEY", "d"), "aus dem anderen Ordner");
  setenv("LANG", "ja_JP.UTF-8", 1);
  EXPECT_EQ(Control("KEY", "d"), "d");
  setenv("QUORPRN_LOCALE_DIR", (dir_ / "missing").c_str(), 1);
  setenv("LANG", "en_US.UTF-8", 1);
  EXPECT_EQ(Control("KEY", "d"), "d");
}
