// The lpoptions files as the CUPS backend reads them for a printer asked for
// by name, and the user's default printer; and the bound on a libcups call.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/cups/AnswerDeadline.h"
#include "platform/cups/SavedOptions.h"
#include "tests/support/Sandbox.h"

using spooler::AnswerDeadline;
using spooler::SavedOptions;
using testsupport::ScopedEnv;

namespace {

std::map<std::string, std::string> Saved(const SavedOptions& saved, const std::string& printer) {
  cups_option_t* options = nullptr;
  int count = cupsAddOption("media", "from-the-server", 0, &options);
  count = saved.Apply(printer, count, &options);
  std::map<std::string, std::string> out;
  for (int i = 0; i < count; ++i) out[options[i].name] = options[i].value;
  cupsFreeOptions(count, options);
  return out;
}

}  // namespace

TEST(SavedOptions, TheUsersLinesWinInstancesAndOtherPrintersDoNot) {
  SavedOptions saved({"Dest LaserA media=iso_a4_210x297mm sides=one-sided\n"
                      "Dest LaserA/draft media=iso_a5_148x210mm\n",
                      "# Dest LaserA media=na_letter_8.5x11in\n"
                      "dest lasera media=iso_a3_297x420mm\r\n"
                      "Default LaserA print-color-mode=monochrome job-sheets='none,none'\n"
                      "Dest Other media=custom\n"});
  auto laser = Saved(saved, "LaserA");
  EXPECT_EQ(laser["media"], "iso_a3_297x420mm");
  EXPECT_EQ(laser["sides"], "one-sided");
  EXPECT_EQ(laser["print-color-mode"], "monochrome");
  EXPECT_EQ(laser["job-sheets"], "none,none");
  EXPECT_EQ(laser.size(), 4u);
  EXPECT_EQ(Saved(saved, "Nobody"), (std::map<std::string, std::string>{{"media", "from-the-server"}}));
  EXPECT_EQ(Saved(SavedOptions({"", "Dest"}), "LaserA").size(), 1u);
}

TEST(SavedOptions, TheUsersDefaultComesFromTheEnvironmentThenTheUsersFileThenTheSystems) {
  const auto root = std::filesystem::temp_directory_path() / ("quorprn-lpoptions-" + std::to_string(getpid()));
  std::filesystem::create_directories(root / "home/.cups");
  std::filesystem::create_directories(root / "etc");
  std::ofstream(root / "etc/lpoptions") << "Default SysQ\n";
  ScopedEnv home("HOME", (root / "home").string());
  ScopedEnv etc("CUPS_SERVERROOT", (root / "etc").string());
  ScopedEnv lpdest("LPDEST", std::nullopt);
  ScopedEnv printer("PRINTER", "lp");  // the old placeholder names nothing
  EXPECT_EQ(SavedOptions::UserDefault(), "SysQ");
  std::ofstream(root / "home/.cups/lpoptions") << "Default Old\nDest LaserA media=a4\nDefault UserQ/draft\n";
  EXPECT_EQ(SavedOptions::UserDefault(), "UserQ/draft");
  setenv("PRINTER", "EnvQ", 1);
  EXPECT_EQ(SavedOptions::UserDefault(), "EnvQ");
  setenv("LPDEST", "DestQ", 1);
  EXPECT_EQ(SavedOptions::UserDefault(), "DestQ");
  std::filesystem::remove_all(root);
}

// A read that nothing answers ends when the time is up; one answered in time
// leaves the connection as it was.
TEST(AnswerDeadline, EndsAWaitThatNothingAnswersAndLeavesAnAnsweredOneAlone) {
  int silent[2], talking[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, silent), 0);
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, talking), 0);
  char c = 0;
  {
    AnswerDeadline bound(silent[0], 0.1);
    EXPECT_EQ(recv(silent[0], &c, 1, 0), 0);
    EXPECT_TRUE(bound.Expired());
  }
  {
    AnswerDeadline bound(talking[0], 0.2);
    ASSERT_EQ(send(talking[1], "a", 1, 0), 1);
    EXPECT_EQ(recv(talking[0], &c, 1, 0), 1);
    EXPECT_FALSE(bound.Expired());
  }
  usleep(300 * 1000);
  ASSERT_EQ(send(talking[1], "b", 1, 0), 1);
  EXPECT_EQ(recv(talking[0], &c, 1, 0), 1);
  EXPECT_EQ(c, 'b');
  EXPECT_FALSE(AnswerDeadline(-1, 0.0).Expired());
  for (int fd : {silent[0], silent[1], talking[0], talking[1]}) close(fd);
}
