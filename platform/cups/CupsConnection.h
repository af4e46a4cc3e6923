// One connection of our own to the CUPS server that this process's
// environment names (CUPS_SERVER, client.conf, the local socket), with a
// bounded wait for the connection and for every answer: libcups' shared
// default connection waits for an answer without limit. Questions are bounded
// by an AnswerDeadline per call (Bound()); an upload, whose length has no
// natural bound, by libcups' own timeout on each write and read instead.
// Owns its http_t and closes it; must not be used by two threads at once
// (CupsSpooler hands it from one request to the next, keeping the server's
// keep-alive).
#pragma once

#include <string>

#include <cups/cups.h>

#include "platform/cups/AnswerDeadline.h"

namespace spooler {

class CupsConnection {
 public:
  // Waits at most `connectMs` to connect and `answerSeconds` for the answer
  // to one libcups call (for an upload: for each step of it).
  CupsConnection(int connectMs, double answerSeconds);
  ~CupsConnection();
  CupsConnection(const CupsConnection&) = delete;
  CupsConnection& operator=(const CupsConnection&) = delete;

  // False when there is no server to talk to (nothing listens, host unknown,
  // the connection timed out), with a message. On a connection opened
  // before, checks that the server has not closed it meanwhile (its idle
  // timeout, a restart) and reopens it once if it has.
  bool Open(std::string* error);
  http_t* get() const { return http_; }
  std::string Server() const { return server_; }
  // Whether the last request left the connection fit for the next one: a
  // timeout or a broken stream leaves it in an unknown state.
  bool Reusable() const;

  // Arms the bound for the libcups calls made while the result lives.
  AnswerDeadline Bound() const { return AnswerDeadline(http_ ? httpGetFd(http_) : -1, answerSeconds_); }
  double AnswerSeconds() const { return answerSeconds_; }
  // Switches to libcups' own timeouts for a print job's data and back.
  void Uploading(bool on);

  // Sends `request` (freed here) to `resource` and answers the server's
  // answer, whatever its IPP status, or null when none came; like
  // cupsDoRequest, but the answer's body is read in large pieces and decoded
  // from memory. libcups decodes straight from the socket, reading each
  // field with a recv of its own whenever its buffer is empty: an answer
  // whose body arrives after its header costs hundreds of calls. An HTTP
  // status other than OK (a password, encryption asked for) is left to
  // cupsDoRequest, which knows how to answer it.
  ipp_t* Request(ipp_t* request, const char* resource);
  // Why Request's answer is a failure, or empty when it is not: no answer
  // at all, or an IPP error status.
  std::string RequestFailure(const char* what, ipp_t* response) const;

  // The last libcups request's failure as a message, or empty when it
  // succeeded. Only cupsLastError() is trusted: the error string can hold
  // stale text after a success.
  static std::string LastFailure(const char* what);

  // Connections opened (or reopened) by this process, for measurements.
  static long Opened();

 private:
  bool ClosedByServer() const;

  int connectMs_;
  double answerSeconds_;
  // Why the last Request had no answer, when libcups was not asked.
  std::string requestFailure_;
  http_t* http_ = nullptr;
  std::string server_;
};

}  // namespace spooler
