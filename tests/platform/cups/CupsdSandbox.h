// A throwaway cupsd for tests: its configuration, state, cache, spool and log
// folders under a fresh temporary folder, listening only on a unix socket
// there, with file devices allowed and no browsing or web interface. Owns the
// daemon process (stopped by its id) and the folder (removed). Never touches
// the machine's own CUPS configuration or queues.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

// libcups reads CUPS_SERVER, CUPS_SERVERROOT and HOME once per thread and
// keeps them; a thread of its own sees the environment the test set.
inline void OnFreshThread(const std::function<void()>& body) { std::thread(body).join(); }

class CupsdSandbox {
 public:
  CupsdSandbox() = default;
  ~CupsdSandbox();
  CupsdSandbox(const CupsdSandbox&) = delete;
  CupsdSandbox& operator=(const CupsdSandbox&) = delete;

  // Full path of an installed CUPS program (cupsd, lpadmin, ...), or empty.
  static std::string FindProgram(const std::string& name);

  // Starts the daemon and waits until it answers; false with a message.
  bool Start(std::string* error);
  void Stop();
  // Starts it as the server of this thread and of every thread started
  // afterwards, without the machine's client.conf, lpoptions or default
  // printer leaking in; and undoes that.
  bool StartAsTheServer(std::string* error);
  static void ForgetTheServer();

  // Runs a CUPS command-line tool against this daemon; false with its exit
  // status and the daemon's error log.
  bool Run(const std::vector<std::string>& argv, std::string* error) const;
  // Sets a printer's state reasons through IPP (CUPS-Add-Modify-Printer).
  bool SetStateReasons(const std::string& printer, const std::vector<std::string>& reasons, std::string* error) const;

  // Points this thread's libcups at the daemon (libcups reads CUPS_SERVER
  // once per thread).
  void UseOnThisThread() const;
  // IPP requests the daemon has answered so far (its access log's lines).
  long Requests() const;

  const std::string& Folder() const { return folder_; }
  const std::string& Socket() const { return socket_; }
  std::string ErrorLog() const;

 private:
  std::string folder_;
  std::string socket_;
  pid_t pid_ = -1;
};
