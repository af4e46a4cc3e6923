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
  // The variables are this test program's own: every case starts with them
  // unset, so none needs restoring.
  void SetUp() override {
    for (const char* v : {"LC_ALL", "LC_MESSAGES", "LANG"}) unsetenv(v);
    setenv("QUORPRN_LOCALE_DIR", QUORPRN_SOURCE_DIR "/resources/locale", 1);
    dir_ = std::filesystem::path(QUORPRN_BINARY_DIR) / "test-home" /
           (std::string("localize-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Write(const std::string& file, const std::string& text) { std::ofstream(dir_ / file, std::ios::binary) << text; }
  // A fresh object each time, as each dialog makes its own.
  static std::string Translated(const std::string& key, const std::string& def, bool asMessage = false) {
    CMeraBaseClass* base = nullptr;
    EXPECT_EQ(MeraLocalizeCreateInstance(1, &base), 1);
    MeraPtr<CMeraLocalize> loc(static_cast<CMeraLocalize*>(base));
    return asMessage ? loc->LocalizeMessage(key, def) : loc->LocalizeControlText(key, def);
  }

  std::filesystem::path dir_;
};

const std::string kReady = "PRINTER_STATUS_READY_TEXT";

}  // namespace

TEST_F(Localize, LanguageComesFromLcAllThenLcMessagesThenLang) {
  const std::string def = Cp932("準備完了");
  EXPECT_EQ(Translated(kReady, def), def);  // nothing set
  for (const char* lang : {"C", "POSIX", "C.UTF-8", "ja_JP.UTF-8", "ja", "fr_FR.UTF-8", "../../etc/passwd"}) {
    setenv("LANG", lang, 1);
    EXPECT_EQ(Translated(kReady, def), def) << lang;
  }
  setenv("LANG", "en_US.UTF-8", 1);
  EXPECT_EQ(Translated(kReady, def), "Ready");
  EXPECT_EQ(Translated(kReady, def, true), "Ready");
  setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
  EXPECT_EQ(Translated(kReady, def), def);
  setenv("LC_ALL", "en_GB", 1);
  EXPECT_EQ(Translated(kReady, def), "Ready");
  setenv("LC_ALL", "", 1);  // empty counts as unset
  EXPECT_EQ(Translated(kReady, def), def);
  unsetenv("LC_MESSAGES");
  setenv("LANG", "en@euro", 1);
  EXPECT_EQ(Translated(kReady, def), "Ready");
  EXPECT_EQ(Translated("NO_SUCH_KEY", def), def);
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
  EXPECT_EQ(Translated("FIRST", "x"), "one");
  std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Translated("CD2010.IDC_PRN2_PRINTERNAME", "x"), "Printer name");
  EXPECT_EQ(Translated("CD2010.VK_F1", "x"), "Help");
  EXPECT_EQ(Translated("MULTI", "x", true), "line one\nline two\\");
  EXPECT_EQ(Translated("EMPTY", "default"), "default");
  EXPECT_EQ(Translated("JAPANESE", "x"), Cp932("用紙"));
  EXPECT_EQ(Translated("EMOJI", "fallback"), "fallback");
  EXPECT_EQ(Translated("DUP", "x"), "new = with equals");
  EXPECT_EQ(Translated("# indented comment", "x"), "x");

  // Each bad entry is reported once, naming its line; later lookups are quiet.
  EXPECT_NE(printed.find("en.txt:9: "), std::string::npos) << printed;
  EXPECT_NE(printed.find("en.txt:10: "), std::string::npos) << printed;
  EXPECT_NE(printed.find("en.txt:12: "), std::string::npos) << printed;
  EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 3) << printed;
  testing::internal::CaptureStderr();
  Translated("FIRST", "x");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(Localize, CacheFollowsLanguageAndFolderChanges) {
  Write("en.txt", "KEY = from the test folder\n");
  std::filesystem::create_directories(dir_ / "other");
  Write("other/en.txt", "KEY = from the other folder\n");
  Write("other/de.txt", "KEY = aus dem anderen Ordner\n");

  setenv("QUORPRN_LOCALE_DIR", dir_.c_str(), 1);
  setenv("LANG", "en_US.UTF-8", 1);
  EXPECT_EQ(Translated("KEY", "d"), "from the test folder");
  setenv("QUORPRN_LOCALE_DIR", (dir_ / "other").c_str(), 1);
  EXPECT_EQ(Translated("KEY", "d"), "from the other folder");
  setenv("LANG", "de_DE.UTF-8", 1);
  EXPECT_EQ(Translated("KEY", "d"), "aus dem anderen Ordner");
  setenv("LANG", "ja_JP.UTF-8", 1);
  EXPECT_EQ(Translated("KEY", "d"), "d");
  setenv("QUORPRN_LOCALE_DIR", (dir_ / "missing").c_str(), 1);
  setenv("LANG", "en_US.UTF-8", 1);
  EXPECT_EQ(Translated("KEY", "d"), "d");
}
