// A throwaway PostgreSQL server for tests and benchmarks: initdb into a fresh
// temporary folder, listening only on a Unix socket in that folder (no TCP),
// with a database "hive" and a superuser "admin". When this process is root
// the server's programs run as the unprivileged user "postgres" (the server
// refuses root). Owns the server (stopped) and the folder (removed); never
// touches the machine's own clusters. Header-only so that the command's tests
// and the benchmarks can use it too.
#pragma once

#include <pwd.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class PgSandbox {
 public:
  static constexpr const char* kBin = "/usr/lib/postgresql/15/bin";

  PgSandbox() = default;
  ~PgSandbox() {
    Stop(/*immediate=*/false);
    if (!folder_.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(folder_, ignored);
    }
  }
  PgSandbox(const PgSandbox&) = delete;
  PgSandbox& operator=(const PgSandbox&) = delete;

  // Makes the cluster, starts it and creates the database "hive"; false
  // with the cause. The role "pwuser" (password "right") must log in with
  // its password; every other role is trusted on the socket.
  bool Start(std::string* error) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/quorprn-pg-XXXXXX";
    if (!::mkdtemp(pattern.data())) return Fail(error, "cannot create a temporary folder");
    folder_ = pattern;
    if (::getuid() == 0) {
      const passwd* pw = ::getpwnam("postgres");
      if (!pw) pw = ::getpwnam("nobody");
      if (!pw) return Fail(error, "no unprivileged user to run the server as");
      uid_ = pw->pw_uid;
      gid_ = pw->pw_gid;
      if (::chown(folder_.c_str(), uid_, gid_) != 0) return Fail(error, "cannot hand the folder to the server's user");
    }
    if (!RunAsServer({Program("initdb"), "-N", "-D", Data(), "-A", "trust", "-U", "admin", "-E", "UTF8",
                      "--locale=C.UTF-8"},
                     error))
      return false;
    std::ofstream(Data() + "/pg_hba.conf") << "local all pwuser scram-sha-256\nlocal all all trust\n";
    if (!Resume(error)) return false;
    return Sql("postgres", "CREATE DATABASE hive", error) &&
           Sql("postgres", "CREATE ROLE pwuser LOGIN PASSWORD 'right'", error);
  }

  // Starts the server again on the same folder (after Stop).
  bool Resume(std::string* error) {
    std::string options = "-k " + folder_ +
                          " -c listen_addresses='' -c fsync=off -c shared_buffers=16MB -c max_connections=60";
    return RunAsServer({Program("pg_ctl"), "-D", Data(), "-l", folder_ + "/log", "-w", "-t", "60", "-o", options,
                        "start"},
                       error);
  }

  // `immediate` is a crash: the server stops without a word to its clients.
  void Stop(bool immediate) {
    if (folder_.empty() || !std::filesystem::exists(Data() + "/postmaster.pid")) return;
    std::string ignored;
    RunAsServer({Program("pg_ctl"), "-D", Data(), "-m", immediate ? "immediate" : "fast", "-w", "stop"}, &ignored);
  }

  // A URI for `user` on `db`, through the socket of this sandbox.
  std::string Uri(const std::string& user = "admin", const std::string& db = "hive") const {
    return "postgresql://" + user + "@/" + db + "?host=" + folder_;
  }

  // Runs SQL through psql as admin on `db`.
  bool Sql(const std::string& db, const std::string& sql, std::string* error) const {
    std::vector<std::string> argv = {Program("psql"),  "-X", "-q", "-v", "ON_ERROR_STOP=1", "-d",
                                     Uri("admin", db), "-c", sql};
    if (Spawn(argv, /*asServer=*/false, folder_ + "/psql.log") == 0) return true;
    return Fail(error, "psql failed: " + ReadAll(folder_ + "/psql.log"));
  }
  bool Sql(const std::string& sql, std::string* error = nullptr) const {
    std::string ignored;
    return Sql("hive", sql, error ? error : &ignored);
  }

  const std::string& Folder() const { return folder_; }

 private:
  std::string Data() const { return folder_ + "/data"; }
  static std::string Program(const std::string& name) {
    std::string inBin = std::string(kBin) + "/" + name;
    return ::access(inBin.c_str(), X_OK) == 0 ? inBin : name;
  }
  static std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static bool Fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
  }

  bool RunAsServer(const std::vector<std::string>& argv, std::string* error) const {
    std::string log = folder_ + "/tool.log";
    if (Spawn(argv, /*asServer=*/true, log) == 0) return true;
    return Fail(error, argv[0] + " failed: " + ReadAll(log) + ReadAll(folder_ + "/log"));
  }

  // Runs a program with its output in `log`; its exit status, or -1.
  int Spawn(const std::vector<std::string>& argv, bool asServer, const std::string& log) const {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
      if (asServer && uid_ != 0 && (::setgroups(0, nullptr) != 0 || ::setgid(gid_) != 0 || ::setuid(uid_) != 0))
        _exit(126);
      // The build folder may be one the server's user cannot enter.
      if (::chdir(folder_.c_str()) != 0) _exit(125);
      FILE* f = std::fopen(log.c_str(), "w");
      if (f) {
        ::dup2(fileno(f), 1);
        ::dup2(fileno(f), 2);
      }
      ::execvp(args[0], args.data());
      _exit(127);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string folder_;
  uid_t uid_ = 0;
  gid_t gid_ = 0;
};

// One sandbox for the whole test program, started on first use and stopped
// when the program ends; null (with the cause) when it cannot start.
inline PgSandbox* SharedPgSandbox(std::string* error) {
  static std::string cause;
  static PgSandbox* sandbox = [] {
    static PgSandbox instance;
    return instance.Start(&cause) ? &instance : nullptr;
  }();
  if (!sandbox && error) *error = cause;
  return sandbox;
}
