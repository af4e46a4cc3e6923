// "dialog xdw" where no dialog can show: the command must say why and fail,
// and bad arguments must fail before anything is opened.
#include <cstdlib>
#include <map>

#include "CommandRunner.h"

namespace {

// The variables by which Qt would find a display, removed for the test's life.
class NoDisplay {
 public:
  NoDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      if (const char* v = std::getenv(name)) saved_[name] = v;
      unsetenv(name);
    }
  }
  ~NoDisplay() {
    for (const auto& [name, value] : saved_) setenv(name.c_str(), value.c_str(), 1);
  }

 private:
  std::map<std::string, std::string> saved_;
};

using CommandDialogXdw = CommandRunner;

TEST_F(CommandDialogXdw, WithoutADisplayItSaysSoAndExitsOne) {
  NoDisplay none;
  CommandResult r = Run({"dialog", "xdw", "SYS", "JOB", "--customer-folder", "--help-id", "12"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("114 (no display to show a dialog on)"), std::string::npos) << r.out << r.err;
  EXPECT_EQ(RunJson({"dialog", "xdw", "SYS", "JOB"}, 1)["result"], 114);
  // An empty job is refused before a display is looked for.
  EXPECT_EQ(RunJson({"dialog", "xdw", "SYS", ""}, 1)["result"], 110);
  EXPECT_EQ(Run({"dialog", "xdw", "SYS"}).status, 2);
  EXPECT_EQ(Run({"dialog", "xdw", "SYS", "JOB", "--help-id", "x"}).status, 2);
  EXPECT_EQ(Run({"dialog"}).status, 2);
  CommandResult help = RunBare({"dialog", "xdw", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--customer-folder"), std::string::npos);
}

}  // namespace
