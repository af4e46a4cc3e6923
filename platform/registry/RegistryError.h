// The registry component's failure codes and the per-thread record of the
// last failure. Native errors of a hive (SQLite result codes, errno) are
// turned into one of these codes where they arise, at the hive.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace registry {

// The key or value asked for does not exist.
inline constexpr const char* kNotFound = "ECR040";
// A value exists but holds the other kind (number asked, text stored, ...).
inline constexpr const char* kWrongType = "ECR041";
// A key still has subkeys and cannot be deleted.
inline constexpr const char* kHasSubkeys = "ECR042";
// An argument the component cannot take (no key open, bad root, empty name).
inline constexpr const char* kInvalid = "ECR043";
// The hive file cannot be opened or created, or the server's database holds
// no hive or cannot be used.
inline constexpr const char* kCannotOpen = "ECR050";
// The hive cannot be read: corrupt file, I/O error.
inline constexpr const char* kReadFailed = "ECR051";
// Permission denied (read-only hive, folder not writable, a role that may
// only read, a failed login).
inline constexpr const char* kAccessDenied = "ECR052";
// The hive stayed busy (locked by another process) past its timeout, or a
// statement ran past the server's statement timeout.
inline constexpr const char* kBusy = "ECR053";
// The disk is full.
inline constexpr const char* kDiskFull = "ECR054";
// The hive's server cannot be reached, or the connection to it broke.
inline constexpr const char* kUnreachable = "ECR055";
// Any other failure of the hive.
inline constexpr const char* kFailed = "ECR059";

struct RegError {
  std::string code;
  std::string message;
};

// The calling thread's last failure; set by every failing operation of the
// registry-key object, left alone by successful ones.
void SetLastError(const RegError& error);
// The same without a RegError in between: a palette read probes hundreds of
// absent names, and this form reuses the thread's buffers instead of
// allocating for each failure.
void SetLastError(const char* code, std::string_view message);
// A failure of value `name` of key `path`, recorded without building its
// message: a palette read probes hundreds of absent names and almost nobody
// reads why each one failed. The message ("<what><path>\\<name>") is made
// when GetLastError asks for it. `code` and `what` must be string literals.
// The key's path is shared, not copied: it outlives the key that failed, and
// a run of probes on one key records it once.
void SetLastValueError(const char* code, const char* what, const std::shared_ptr<const std::string>& path,
                       const std::string& name);
RegError GetLastError();
// The last failure's code without copying the whole record (hot path of
// callers that probe many absent values).
const std::string& LastErrorCode();
// LastErrorCode() == kNotFound, decided for a value's absence without
// comparing texts.
bool LastErrorIsAbsence();

// Where ReportError writes its line. Tests capture it; by default it goes to
// standard error. Passing an empty function restores the default.
void SetErrorSink(std::function<void(const std::string& line)> sink);
void WriteErrorLine(const std::string& line);

}  // namespace registry
