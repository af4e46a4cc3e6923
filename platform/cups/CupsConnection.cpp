#include "platform/cups/CupsConnection.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace spooler {
namespace {

std::atomic<long> g_opened{0};

// A connection that answered this recently is trusted without asking again;
// one idle for longer is asked first, so that a server that stopped
// answering meanwhile costs the bounded wait and not libcups' own minute.
constexpr auto kTrusted = std::chrono::seconds(1);

// libcups asks this when an answer is overdue; 0 gives up rather than waiting
// again, so a server that accepts and never answers costs a bounded time.
int GiveUp(http_t*, void*) { return 0; }

}  // namespace

CupsConnection::CupsConnection(int connectMs, double answerSeconds)
    : connectMs_(connectMs), answerSeconds_(answerSeconds) {}

CupsConnection::~CupsConnection() {
  if (http_) httpClose(http_);
}

long CupsConnection::Opened() { return g_opened.load(); }

// libcups' own answer timeout polls before every read of a response, tens of
// thousands of polls for one printer list. Once the server has answered on
// this connection the bound lives in the socket instead (SO_RCVTIMEO /
// SO_SNDTIMEO): a read the kernel times out fails with EAGAIN, which libcups
// hands to GiveUp. libcups' timeout value stays 0, so a socket that libcups
// reopens on its own is bounded again here before its next use.
void CupsConnection::Bound() {
  httpSetTimeout(http_, 0.0, GiveUp, nullptr);
  timeval tv{};
  tv.tv_sec = static_cast<time_t>(answerSeconds_);
  tv.tv_usec = static_cast<suseconds_t>((answerSeconds_ - static_cast<double>(tv.tv_sec)) * 1e6);
  int fd = httpGetFd(http_);
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
}

// The wait for the first line of an answer is libcups' own (a minute without
// a timeout), so whether the server answers at all is asked with libcups'
// bounded wait and the smallest request there is: the server's default
// printer, by name only ("none" is an answer too).
bool CupsConnection::Answers(std::string* error) {
  httpSetTimeout(http_, answerSeconds_, GiveUp, nullptr);
  ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_DEFAULT);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "printer-name");
  ippDelete(cupsDoRequest(http_, request, "/"));
  if (cupsLastError() >= IPP_STATUS_ERROR_INTERNAL || httpGetFd(http_) < 0) {
    if (error) {
      std::string failure = LastFailure("asking the CUPS server");
      *error = "no answer from the CUPS server at " + server_ + (failure.empty() ? "" : ": " + failure);
    }
    httpClose(http_);
    http_ = nullptr;
    return false;
  }
  lastAnswer_ = std::chrono::steady_clock::now();
  Bound();
  return true;
}

// An idle keep-alive connection has nothing to read; readable means the
// server closed it (its idle timeout, a restart).
bool CupsConnection::ClosedByServer() const {
  int fd = httpGetFd(http_);
  if (fd < 0) return true;
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, 0) != 0;
}

bool CupsConnection::Reusable() const {
  if (!http_ || httpGetFd(http_) < 0 || httpError(http_) != 0) return false;
  if (httpGetState(http_) != HTTP_STATE_WAITING) return false;
  return cupsLastError() < IPP_STATUS_ERROR_INTERNAL;
}

bool CupsConnection::Open(std::string* error) {
  unreachable_ = false;
  if (http_) {
    if (!ClosedByServer()) {
      auto now = std::chrono::steady_clock::now();
      if (now - lastAnswer_ >= kTrusted) return Answers(error);
      Bound();
      return true;
    }
    int cancel = 0;
    if (httpReconnect2(http_, connectMs_, &cancel) == 0) {
      ++g_opened;
      return Answers(error);
    }
    httpClose(http_);
    http_ = nullptr;
  }
  const char* server = cupsServer();
  server_ = server ? server : "";
  int cancel = 0;
  http_ = httpConnect2(server, ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), /*blocking=*/1, connectMs_, &cancel);
  if (!http_) {
    unreachable_ = true;
    if (error) {
      int e = errno;
      *error = "no CUPS server at " + server_ + (e ? std::string(": ") + std::strerror(e) : std::string());
    }
    return false;
  }
  ++g_opened;
  return Answers(error);
}

std::string CupsConnection::LastFailure(const char* what) {
  ipp_status_t status = cupsLastError();
  if (status <= IPP_STATUS_OK_EVENTS_COMPLETE) return {};
  const char* text = cupsLastErrorString();
  char code[16];
  std::snprintf(code, sizeof code, "0x%04x", static_cast<unsigned>(status));
  return std::string(what) + " failed (" + code + (text && *text ? std::string(", ") + text : std::string()) + ")";
}

}  // namespace spooler
