#include "platform/cups/CupsConnection.h"

#include <poll.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <vector>

namespace spooler {
namespace {

std::atomic<long> g_opened{0};

// libcups asks this when an answer is overdue; 0 gives up rather than waiting
// again, so a server that accepts and never answers costs a bounded time.
int GiveUp(http_t*, void*) { return 0; }

// A larger answer than any printer listing is not a print server's.
constexpr size_t kMaxAnswerBytes = size_t{64} << 20;

struct MemoryReader {
  const std::vector<ipp_uchar_t>* bytes;
  size_t at = 0;
};

ssize_t ReadMemory(void* context, ipp_uchar_t* buffer, size_t wanted) {
  auto* reader = static_cast<MemoryReader*>(context);
  size_t n = std::min(wanted, reader->bytes->size() - reader->at);
  std::memcpy(buffer, reader->bytes->data() + reader->at, n);
  reader->at += n;
  return static_cast<ssize_t>(n);
}

std::string Formatted(const char* what, ipp_status_t status, const char* text) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%04x", static_cast<unsigned>(status));
  return std::string(what) + " failed (" + code + (text && *text ? std::string(", ") + text : std::string()) + ")";
}

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
  return Formatted(what, status, cupsLastErrorString());
}

ipp_t* CupsConnection::Request(ipp_t* request, const char* resource) {
  requestFailure_.clear();
  http_status_t status = cupsSendRequest(http_, request, resource, ippLength(request));
  // Sent (any early answer would be its status): the answer's status line
  // and fields come next.
  if (status == HTTP_STATUS_CONTINUE || status == HTTP_STATUS_OK) {
    do {
      status = httpUpdate(http_);
    } while (status == HTTP_STATUS_CONTINUE);
  }
  if (status == HTTP_STATUS_ERROR) {
    // The socket failed or the bound shut it: asking again through libcups
    // would reconnect on a socket that no bound covers.
    ippDelete(request);
    int e = httpError(http_);
    requestFailure_ = std::string("no answer from the CUPS server") + (e ? std::string(": ") + std::strerror(e) : "");
    return nullptr;
  }
  if (status != HTTP_STATUS_OK) {
    httpFlush(http_);
    return cupsDoRequest(http_, request, resource);
  }
  ippDelete(request);
  // libcups ends a body at a premature close as at its end: a body shorter
  // than its Content-Length broke off. A chunked body ends with its last
  // chunk, one with neither where the server closes.
  const char* length = httpGetField(http_, HTTP_FIELD_CONTENT_LENGTH);
  const bool chunked = !strcasecmp(httpGetField(http_, HTTP_FIELD_TRANSFER_ENCODING), "chunked");
  const off_t stated = !chunked && length && *length ? httpGetLength2(http_) : -1;
  std::vector<ipp_uchar_t> body;
  ipp_uchar_t piece[32768];
  ssize_t n;
  while ((n = httpRead2(http_, reinterpret_cast<char*>(piece), sizeof piece)) > 0) {
    if (body.size() + static_cast<size_t>(n) > kMaxAnswerBytes) {
      httpFlush(http_);
      requestFailure_ = "the CUPS server's answer is too large";
      return nullptr;
    }
    body.insert(body.end(), piece, piece + n);
  }
  if (n < 0 || (stated >= 0 && body.size() < static_cast<size_t>(stated))) {
    requestFailure_ = "the CUPS server's answer broke off";
    return nullptr;
  }
  MemoryReader reader{&body};
  ipp_t* response = ippNew();
  if (ippReadIO(&reader, ReadMemory, /*blocking=*/1, nullptr, response) != IPP_STATE_DATA) {
    ippDelete(response);
    requestFailure_ = "the CUPS server's answer is not IPP";
    return nullptr;
  }
  return response;
}

std::string CupsConnection::RequestFailure(const char* what, ipp_t* response) const {
  if (!response) return requestFailure_.empty() ? LastFailure(what) : std::string(what) + " failed: " + requestFailure_;
  ipp_status_t status = ippGetStatusCode(response);
  if (status <= IPP_STATUS_OK_EVENTS_COMPLETE) return {};
  ipp_attribute_t* message = ippFindAttribute(response, "status-message", IPP_TAG_TEXT);
  return Formatted(what, status, message ? ippGetString(message, 0, nullptr) : ippErrorString(status));
}

}  // namespace spooler
