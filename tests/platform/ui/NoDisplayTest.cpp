// Without a display the dialogs answer an error code; Qt would otherwise
// abort the host process. Runs the probe program in a process of its own.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Exit status of the probe, or -1 when it died from a signal (Qt's abort).
int RunProbe(const char* mode, const std::vector<std::string>& extraEnv) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string var(*e);
    if (var.rfind("DISPLAY=", 0) == 0 || var.rfind("WAYLAND_DISPLAY=", 0) == 0 || var.rfind("QT_QPA_PLATFORM=", 0) == 0)
      continue;
    env.push_back(var);
  }
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> envp;
  for (std::string& s : env) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::string path = QUORPRN_NO_DISPLAY_PROBE;
  std::string arg = mode;
  char* argv[] = {path.data(), arg.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return -2;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -2;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(NoDisplayTest, DialogsRefuseWithAnErrorCodeInsteadOfAborting) {
  EXPECT_EQ(RunProbe("none", {}), 0);
  // Set but empty is no display either.
  EXPECT_EQ(RunProbe("none", {"DISPLAY=", "WAYLAND_DISPLAY="}), 0);
  // A host with a non-widget application object cannot get widgets.
  EXPECT_EQ(RunProbe("core", {}), 0);
}

}  // namespace
