// Per-thread last failure and the sink of ReportError.
#include "platform/registry/RegistryError.h"

#include <cstdio>
#include <mutex>

namespace registry {
namespace {
// The last failure; while `what` is set its message is still to be made from
// `what`, `path` and `name`. `literal` is the string literal that
// `error.code` was last assigned from, so that a run of failures with one
// code assigns it once.
struct LastError {
  RegError error;
  const char* literal = nullptr;
  const char* what = nullptr;
  std::shared_ptr<const std::string> path;
  std::string name;
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
  LastError& last = t_last;
  last.error = error;
  last.literal = nullptr;
  last.what = nullptr;
}
void SetLastError(const char* code, std::string_view message) {
  LastError& last = t_last;
  last.error.code.assign(code);
  last.error.message.assign(message);
  last.literal = nullptr;
  last.what = nullptr;
}
void SetLastValueError(const char* code, const char* what, const std::shared_ptr<const std::string>& path,
                       const std::string& name) {
  LastError& last = t_last;  // one look-up of the thread's record, not one per field
  if (last.literal != code) {
    last.error.code.assign(code);
    last.literal = code;
  }
  last.what = what;
  if (last.path != path) last.path = path;
  last.name.assign(name);
}
RegError GetLastError() {
  LastError& last = t_last;
  if (last.what) {
    last.error.message.assign(last.what).append(*last.path).append("\\").append(last.name);
    last.what = nullptr;
  }
  return last.error;
}
const std::string& LastErrorCode() { return t_last.error.code; }
bool LastErrorIsAbsence() {
  const LastError& last = t_last;
  // The literal's address is only a shortcut: the same text may sit at
  // another address in another file.
  return last.literal == kNotFound || last.error.code == kNotFound;
}

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
