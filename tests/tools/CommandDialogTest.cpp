// The "dialog" verbs as a user meets them where nothing can be shown (a
// terminal session, a service): a clear message and a failure, and argument
// checks before anything else.
#include "CommandRunner.h"

namespace {

class CommandDialog : public CommandRunner {
 protected:
  // Runs the command with no display of any kind in its environment.
  CommandResult RunHeadless(const std::vector<std::string>& args, bool json = false,
                            const std::string& command = QUORPRN_CLI) {
    std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + Quote(command) + " --registry " +
                      Quote(hive) + " --spooler " + Quote(spooler) + (json ? " --json" : "");
    for (const auto& a : args) cmd += " " + Quote(a);
    const std::string out = Path("stdout"), err = Path("stderr");
    const int rc = std::system((cmd + " >" + Quote(out) + " 2>" + Quote(err)).c_str());
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, ReadFile(out), ReadFile(err)};
  }
};

TEST_F(CommandDialog, PrinterDialogWithoutADisplaySaysSoAndFails) {
  CommandResult r = RunHeadless({"dialog", "printer", "SYS", "JOB", "0", "--colour"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no display"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("114"), std::string::npos) << r.out;
  auto j = nlohmann::json::parse(RunHeadless({"dialog", "printer", "SYS", "JOB", "3"}, true).out);
  EXPECT_EQ(j["result"], 114);
  // Bad arguments are told before the display is looked for.
  EXPECT_EQ(nlohmann::json::parse(RunHeadless({"dialog", "printer", "SYS", "JOB", "100"}, true).out)["result"], 110);
  EXPECT_EQ(RunHeadless({"dialog", "printer", "SYS", "JOB"}).status, 2);
  EXPECT_EQ(RunHeadless({"dialog"}).status, 2);
}

TEST_F(CommandDialog, FormDialogWithoutADisplaySaysSoAndFails) {
  const std::string tpt = Data("templates/formdlg.TPT");
  CommandResult r = RunHeadless({"dialog", "form", "SYS", "JOB", "0", tpt, "A4P", "--standard-papers", "--help-id", "7"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no display"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("114"), std::string::npos) << r.out;
  auto j = nlohmann::json::parse(RunHeadless({"dialog", "form", "SYS", "JOB", "0", tpt, "A4P", "--title", "請求書"}, true).out);
  EXPECT_EQ(j["result"], 114);
  // Bad arguments are the library's to refuse, before it looks for a display.
  EXPECT_EQ(nlohmann::json::parse(RunHeadless({"dialog", "form", "SYS", "JOB", "100", tpt, "A4P"}, true).out)["result"],
            110);
  EXPECT_EQ(RunHeadless({"dialog", "form", "SYS", "JOB", "0"}).status, 2);
  EXPECT_EQ(RunHeadless({"dialog", "form", "SYS", "JOB", "x", tpt, "A4P"}).status, 2);
}

// A command parted from its dialog module (a broken install) still runs every
// other verb.
TEST_F(CommandDialog, WithoutItsDialogModuleOnlyTheDialogVerbsFailAndNameIt) {
  const std::string alone = Path("quorprn");
  std::filesystem::copy_file(QUORPRN_CLI, alone);
  CommandResult r = RunHeadless({"dialog", "printer", "SYS", "JOB", "0"}, false, alone);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot load the dialogs: no module at "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("/quorprn/quorprn-dialogs.so"), std::string::npos) << r.err;
  EXPECT_EQ(RunHeadless({"dialog", "printer", "SYS", "JOB"}, false, alone).status, 2);
  EXPECT_EQ(RunHeadless({"printers"}, false, alone).status, 0);
}

}  // namespace
