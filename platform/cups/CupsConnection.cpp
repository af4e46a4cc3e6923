#include "platform/cups/CupsConnection.h"

#include <poll.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace spooler {
namespace {

std::atomic<long> g_opened{0};

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

// An idle keep-alive connection has nothing to read; readable means the
// server closed it.
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

void CupsConnection::Uploading(bool on) {
  if (http_) httpSetTimeout(http_, on ? answerSeconds_ : 0.0, on ? GiveUp : nullptr, nullptr);
}

bool CupsConnection::Open(std::string* error) {
  if (http_) {
    // libcups reconnects by itself before a request when the last answer was
    // an HTTP error; doing it here keeps the new socket under the bound.
    http_status_t last = httpGetStatus(http_);
    if (!ClosedByServer() && last != HTTP_STATUS_ERROR && last < HTTP_STATUS_BAD_REQUEST) return true;
    int cancel = 0;
    if (httpReconnect2(http_, connectMs_, &cancel) == 0) {
      ++g_opened;
      return true;
    }
    httpClose(http_);
    http_ = nullptr;
  }
  const char* server = cupsServer();
  server_ = server ? server : "";
  int cancel = 0;
  http_ = httpConnect2(server, ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), /*blocking=*/1, connectMs_, &cancel);
  if (!http_) {
    if (error) {
      int e = errno;
      *error = "no CUPS server at " + server_ + (e ? std::string(": ") + std::strerror(e) : std::string());
    }
    return false;
  }
  ++g_opened;
  return true;
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
