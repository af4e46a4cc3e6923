// Per-thread last failure and the sink of ReportError.
#include "platform/registry/RegistryError.h"

#include <cstdio>
#include <mutex>

namespace registry {
namespace {
// The last failure; while `what` is set its message is still to be made from
// `what`, `path` and `name`.
struct LastError {
  RegError error;
  const char* what = nullptr;
  std::string path, name;
};
thread_local LastError t_last;

std::mutex& SinkMutex() {
  static std::mutex m;
  return m;
}
std::function<void(const std::string&)>& Sink() {
  static std::function<void(const std::string&)> sink;
  return sink;
}
}  // namespace

void SetLastError(const RegError& error) {
  t_last.error = error;
  t_last.what = nullptr;
}
void SetLastError(const char* code, std::string_view message) {
  t_last.error.code.assign(code);
  t_last.error.message.assign(message);
  t_last.what = nullptr;
}
void SetLastValueError(const char* code, const char* what, const std::string& path, const std::string& name) {
  LastError& last = t_last;  // one look-up of the thread's record, not one per field
  last.error.code.assign(code);
  last.what = what;
  // Probes come in runs on one key: comparing is cheaper than copying again.
  if (last.path != path) last.path.assign(path);
  last.name.assign(name);
}
RegError GetLastError() {
  LastError& last = t_last;
  if (last.what) {
    last.error.message.assign(last.what).append(last.path).append("\\").append(last.name);
    last.what = nullptr;
  }
  return last.error;
}
const std::string& LastErrorCode() { return t_last.error.code; }

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
