#include "platform/cups/AnswerDeadline.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace spooler {
namespace {

using Clock = std::chrono::steady_clock;

struct Armed {
  int fd;  // our own copy of the connection's descriptor
  Clock::time_point deadline;
  bool fired = false;
};

// Lives as long as the process: a host may still be inside a call while its
// statics are destroyed, and the watcher thread must never outlive its state.
struct Watcher {
  std::mutex mutex;
  std::condition_variable changed;
  std::map<uint64_t, Armed> armed;
  uint64_t next = 1;
  // What the thread sleeps towards: a later deadline needs no wake-up.
  Clock::time_point sleepsUntil = Clock::time_point::max();
  // The process the thread runs in: after fork() the child has no watcher.
  pid_t owner = 0;

  void Run() {
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
      Clock::time_point soonest = Clock::time_point::max();
      for (auto& [id, a] : armed) {
        if (a.fired) continue;
        if (a.deadline <= Clock::now()) {
          // SHUT_RD only: it wakes a waiting reader on every socket family,
          // and unlike shutting the write side it can never raise SIGPIPE in
          // the host.
          shutdown(a.fd, SHUT_RD);
          a.fired = true;
        } else if (a.deadline < soonest) {
          soonest = a.deadline;
        }
      }
      sleepsUntil = soonest;
      if (soonest == Clock::time_point::max()) {
        changed.wait(lock);
      } else {
        changed.wait_until(lock, soonest);
      }
    }
  }
};

Watcher& TheWatcher() {
  static Watcher* watcher = new Watcher;
  return *watcher;
}

}  // namespace

AnswerDeadline::AnswerDeadline(int fd, double seconds) {
  if (fd < 0) return;
  int copy = fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (copy < 0) return;
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mutex);
  if (w.owner != getpid()) {
    w.owner = getpid();
    w.sleepsUntil = Clock::time_point::max();
    std::thread([&w] { w.Run(); }).detach();
  }
  id_ = w.next++;
  auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  w.armed.emplace(id_, Armed{copy, deadline});
  if (deadline < w.sleepsUntil) w.changed.notify_one();
}

AnswerDeadline::~AnswerDeadline() {
  if (id_ == 0) return;
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mutex);
  auto it = w.armed.find(id_);
  // Closed under the lock: the watcher only touches descriptors it holds.
  close(it->second.fd);
  w.armed.erase(it);
}

bool AnswerDeadline::Expired() const {
  if (id_ == 0) return false;
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mutex);
  return w.armed.at(id_).fired;
}

}  // namespace spooler
