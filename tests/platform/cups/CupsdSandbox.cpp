#include "CupsdSandbox.h"

#include <cups/cups.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

bool WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path);
  out << text;
  return static_cast<bool>(out);
}

// Sets the caller's message; false, for `return Fail(...)`.
bool Fail(std::string* error, const std::string& message) {
  *error = message;
  return false;
}

// Waits for a child for at most `limit`, then kills it; true when it ended
// by itself.
bool Reap(pid_t pid, std::chrono::milliseconds limit, int* status) {
  for (auto until = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < until;) {
    pid_t done = waitpid(pid, status, WNOHANG);
    if (done != 0) return done == pid;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(pid, SIGKILL);
  waitpid(pid, status, 0);
  return false;
}

pid_t Spawn(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    execv(args[0], args.data());
    _exit(127);
  }
  return pid;
}

}  // namespace

CupsdSandbox::~CupsdSandbox() { Stop(); }

std::string CupsdSandbox::FindProgram(const std::string& name) {
  std::string path = getenv("PATH") ? getenv("PATH") : "";
  // Administrative tools live in sbin, which an ordinary user's PATH may lack.
  path += ":/usr/sbin:/usr/local/sbin:/sbin";
  std::stringstream folders(path);
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    std::string candidate = folder + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

bool CupsdSandbox::Start(std::string* error) {
  std::string cupsd = FindProgram("cupsd");
  if (cupsd.empty()) return Fail(error, "cupsd is not installed");
  const char* tmp = getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/quorprn-cupsd-XXXXXX";
  if (!mkdtemp(pattern.data())) return Fail(error, "cannot create a temporary folder");
  folder_ = pattern;
  for (const char* sub : {"etc", "cache", "state", "spool/tmp", "log", "run", "home"}) {
    std::filesystem::create_directories(folder_ + "/" + sub);
  }
  socket_ = folder_ + "/run/cups.sock";
  const std::string& d = folder_;
  bool written =
      WriteFile(d + "/etc/cups-files.conf",
                "ServerRoot " + d + "/etc\nCacheDir " + d + "/cache\nStateDir " + d + "/state\nRequestRoot " + d +
                    "/spool\nTempDir " + d + "/spool/tmp\nAccessLog " + d + "/log/access_log\nErrorLog " + d +
                    "/log/error_log\nPageLog " + d + "/log/page_log\nFileDevice Yes\nSandboxing Relaxed\n") &&
      WriteFile(d + "/etc/cupsd.conf",
                "LogLevel warn\nAccessLogLevel all\nListen " + socket_ +
                    "\nBrowsing No\nBrowseLocalProtocols none\nDefaultAuthType None\nWebInterface No\n"
                    "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                    "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
  if (!written) return Fail(error, "cannot write the daemon's configuration under " + d);
  pid_ = Spawn({cupsd, "-f", "-c", d + "/etc/cupsd.conf", "-s", d + "/etc/cups-files.conf"});
  if (pid_ < 0) return Fail(error, "cannot start cupsd");
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < until) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return Fail(error, "cupsd ended at once: " + ErrorLog());
    }
    if (http_t* http = httpConnect2(socket_.c_str(), 0, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, 500, nullptr)) {
      httpClose(http);
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return Fail(error, "cupsd did not answer within 20 s: " + ErrorLog());
}

void CupsdSandbox::Stop() {
  int status = 0;
  if (pid_ > 0 && kill(pid_, SIGTERM) == 0) Reap(pid_, std::chrono::seconds(15), &status);
  pid_ = -1;
  if (!folder_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    folder_.clear();
  }
}

bool CupsdSandbox::Run(const std::vector<std::string>& argv, std::string* error) const {
  std::vector<std::string> full = argv;
  full[0] = FindProgram(argv[0]);
  if (full[0].empty()) return Fail(error, argv[0] + " is not installed");
  pid_t pid = Spawn(full);
  int status = 0;
  if (pid < 0 || !Reap(pid, std::chrono::seconds(30), &status)) return Fail(error, argv[0] + " did not finish");
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
  return Fail(error, argv[0] + " failed with status " + std::to_string(status) + ": " + ErrorLog());
}

bool CupsdSandbox::SetStateReasons(const std::string& printer, const std::vector<std::string>& reasons,
                                   std::string* error) const {
  http_t* http = httpConnect2(socket_.c_str(), 0, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr);
  if (!http) return Fail(error, "cannot connect to the test daemon");
  ipp_t* request = ippNewRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER);
  char uri[1024];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                   printer.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  std::vector<const char*> values;
  for (const std::string& r : reasons) values.push_back(r.c_str());
  ippAddStrings(request, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "printer-state-reasons", static_cast<int>(values.size()),
                nullptr, values.data());
  ippDelete(cupsDoRequest(http, request, "/admin/"));
  bool ok = cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
  if (!ok) *error = std::string("CUPS-Add-Modify-Printer failed: ") + cupsLastErrorString();
  httpClose(http);
  return ok;
}

bool CupsdSandbox::StartAsTheServer(std::string* error) {
  if (!Start(error)) return false;
  setenv("CUPS_SERVER", socket_.c_str(), 1);
  setenv("CUPS_SERVERROOT", (folder_ + "/etc").c_str(), 1);
  setenv("HOME", (folder_ + "/home").c_str(), 1);
  unsetenv("PRINTER");
  unsetenv("LPDEST");
  // libcups has read CUPS_SERVER on this thread already if an earlier suite
  // in the same process ran here.
  UseOnThisThread();
  return true;
}

void CupsdSandbox::ForgetTheServer() {
  for (const char* name : {"CUPS_SERVER", "CUPS_SERVERROOT"}) unsetenv(name);
  cupsSetServer(nullptr);
}

void CupsdSandbox::UseOnThisThread() const { cupsSetServer(socket_.c_str()); }

long CupsdSandbox::Requests() const {
  std::ifstream in(folder_ + "/log/access_log");
  long lines = 0;
  for (std::string line; std::getline(in, line);) ++lines;
  return lines;
}

std::string CupsdSandbox::ErrorLog() const {
  std::ifstream in(folder_ + "/log/error_log");
  return std::string(std::istreambuf_iterator<char>(in), {});
}
