#include "platform/cups/CupsConnection.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace spooler {
namespace {

// libcups asks this when an answer is overdue; 0 gives up rather than waiting
// again, so a server that accepts and never answers costs a bounded time.
int GiveUp(http_t*, void*) { return 0; }

}  // namespace

CupsConnection::CupsConnection(int connectMs, double answerSeconds)
    : connectMs_(connectMs), answerSeconds_(answerSeconds) {}

CupsConnection::~CupsConnection() {
  if (http_) httpClose(http_);
}

bool CupsConnection::Open(std::string* error) {
  if (http_) return true;
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
  httpSetTimeout(http_, answerSeconds_, GiveUp, nullptr);
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
