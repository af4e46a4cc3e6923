// A bound on how long libcups may wait for the server during one call, kept
// without libcups' own timeout: that one polls the socket before every read,
// and reading a printer list is tens of thousands of small reads. While an
// AnswerDeadline lives, a call still running when the time is up finds the
// connection's socket shut for reading: libcups' wait wakes, its read ends
// and the call fails as if the server had hung up. A process-wide watcher
// thread, started on first use, keeps the time; arming costs a descriptor
// copy and a wake-up, not a system call per read.
//
// The watcher shuts down its own copy of the descriptor, so it can never hit
// a descriptor number that libcups has closed and the process has reused.
// A socket that libcups opens afresh within the call (a reconnection after
// an authentication challenge) is not covered.
#pragma once

#include <cstdint>

namespace spooler {

class AnswerDeadline {
 public:
  // `fd` is the connection's socket; a negative one arms nothing.
  AnswerDeadline(int fd, double seconds);
  ~AnswerDeadline();
  AnswerDeadline(const AnswerDeadline&) = delete;
  AnswerDeadline& operator=(const AnswerDeadline&) = delete;

  // Whether the time ran out and the socket was shut down.
  bool Expired() const;

 private:
  uint64_t id_ = 0;
};

}  // namespace spooler
