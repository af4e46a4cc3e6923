// The "dialog" verb where no dialog can show: without a display it says so
// and fails, and its usage errors are caught before anything opens.
#include <cstdlib>

#include "tests/tools/CommandRunner.h"

namespace {

class CommandDialog : public CommandRunner {
 protected:
  void SetUp() override {
    CommandRunner::SetUp();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) unsetenv(name);
  }
};

TEST_F(CommandDialog, FormWithoutADisplaySaysSoAndFails) {
  const std::string tpt = Data("templates/formdlg.TPT");
  CommandResult r = Run({"dialog", "form", "SYS", "JOB", "0", tpt, "A4P", "--standard-papers", "--help-id", "7"});
  EXPECT_EQ(r.status, 1) << r.out << r.err;
  EXPECT_NE(r.out.find("result: 114 (no display"), std::string::npos) << r.out;
  nlohmann::json j = RunJson({"dialog", "form", "SYS", "JOB", "0", tpt, "A4P", "--title", "請求書"}, 1);
  EXPECT_EQ(j["result"], 114);
  // Bad arguments are the library's to refuse, before it looks for a display.
  EXPECT_EQ(RunJson({"dialog", "form", "SYS", "JOB", "100", tpt, "A4P"}, 1)["result"], 110);
}

TEST_F(CommandDialog, UsageErrorsExitTwo) {
  EXPECT_EQ(Run({"dialog"}).status, 2);
  EXPECT_EQ(Run({"dialog", "form", "SYS", "JOB", "0"}).status, 2);
  EXPECT_EQ(Run({"dialog", "form", "SYS", "JOB", "x", "a.TPT", "F"}).status, 2);
}

}  // namespace
