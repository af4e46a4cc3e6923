// Per-thread last failure and the sink of ReportError.
#include "platform/registry/RegistryError.h"

#include <cstdio>
#include <mutex>

namespace registry {
namespace {
thread_local RegError t_lastError;

std::mutex& SinkMutex() {
  static std::mutex m;
  return m;
}
std::function<void(const std::string&)>& Sink() {
  static std::function<void(const std::string&)> sink;
  return sink;
}
}  // namespace

void SetLastError(const RegError& error) { t_lastError = error; }
void SetLastError(const char* code, std::string_view message) {
  t_lastError.code.assign(code);
  t_lastError.message.assign(message);
}
RegError GetLastError() { return t_lastError; }
const std::string& LastErrorCode() { return t_lastError.code; }

void SetErrorSink(std::function<void(const std::string& line)> sink) {
  std::lock_guard<std::mutex> lock(SinkMutex());
  Sink() = std::move(sink);
}

void WriteErrorLine(const std::string& line) {
  std::lock_guard<std::mutex> lock(SinkMutex());
  if (Sink()) {
    Sink()(line);
  } else {
    std::fprintf(stderr, "%s\n", line.c_str());
  }
}

}  // namespace registry
