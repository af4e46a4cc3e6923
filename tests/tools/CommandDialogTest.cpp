// The "dialog" verbs as a user meets them where nothing can be shown (a
// terminal session, a service): a clear message and a failure, and argument
// checks before anything else.
#include "CommandRunner.h"

namespace {

class CommandDialog : public CommandRunner {
 protected:
  void SetUp() override {
    CommandRunner::SetUp();
    headless = true;
  }
};

TEST_F(CommandDialog, PrinterDialogWithoutADisplaySaysSoAndFails) {
  CommandResult r = Run({"dialog", "printer", "SYS", "JOB", "0", "--colour"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no display"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("114"), std::string::npos) << r.out;
  EXPECT_EQ(RunJson({"dialog", "printer", "SYS", "JOB", "3"}, 1)["result"], 114);
  // Bad arguments are told before the display is looked for.
  EXPECT_EQ(RunJson({"dialog", "printer", "SYS", "JOB", "100"}, 1)["result"], 110);
  EXPECT_EQ(Run({"dialog", "printer", "SYS", "JOB"}).status, 2);
  EXPECT_EQ(Run({"dialog"}).status, 2);
}

TEST_F(CommandDialog, FormDialogWithoutADisplaySaysSoAndFails) {
  const std::string tpt = Data("templates/formdlg.TPT");
  CommandResult r = Run({"dialog", "form", "SYS", "JOB", "0", tpt, "A4P", "--standard-papers", "--help-id", "7"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no display"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("114"), std::string::npos) << r.out;
  EXPECT_EQ(RunJson({"dialog", "form", "SYS", "JOB", "0", tpt, "A4P", "--title", "請求書"}, 1)["result"], 114);
  // Bad arguments are the library's to refuse, before it looks for a display.
  EXPECT_EQ(RunJson({"dialog", "form", "SYS", "JOB", "100", tpt, "A4P"}, 1)["result"], 110);
  EXPECT_EQ(Run({"dialog", "form", "SYS", "JOB", "0"}).status, 2);
  EXPECT_EQ(Run({"dialog", "form", "SYS", "JOB", "x", tpt, "A4P"}).status, 2);
}

TEST_F(CommandDialog, XdwDialogWithoutADisplaySaysSoAndFails) {
  CommandResult r = Run({"dialog", "xdw", "SYS", "JOB", "--customer-folder", "--help-id", "12"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("114 (no display to show a dialog on)"), std::string::npos) << r.out << r.err;
  EXPECT_EQ(RunJson({"dialog", "xdw", "SYS", "JOB"}, 1)["result"], 114);
  // An empty job is refused before a display is looked for.
  EXPECT_EQ(RunJson({"dialog", "xdw", "SYS", ""}, 1)["result"], 110);
  EXPECT_EQ(Run({"dialog", "xdw", "SYS"}).status, 2);
  EXPECT_EQ(Run({"dialog", "xdw", "SYS", "JOB", "--help-id", "x"}).status, 2);
  CommandResult help = RunBare({"dialog", "xdw", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--customer-folder"), std::string::npos);
}

// A command parted from its dialog module (a broken install) still runs every
// other verb.
TEST_F(CommandDialog, WithoutItsDialogModuleOnlyTheDialogVerbsFailAndNameIt) {
  command = Path("quorprn");
  std::filesystem::copy_file(QUORPRN_CLI, command);
  CommandResult r = Run({"dialog", "printer", "SYS", "JOB", "0"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot load the dialogs: no module at "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("/quorprn/quorprn-dialogs.so"), std::string::npos) << r.err;
  EXPECT_EQ(Run({"dialog", "printer", "SYS", "JOB"}).status, 2);
  EXPECT_EQ(Run({"printers"}).status, 0);
}

}  // namespace
