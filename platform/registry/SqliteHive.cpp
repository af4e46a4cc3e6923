// The SQLite hive: keys in one table (parent id, name as given, folded name
// for lookup), values in another (key id, name, folded name, regedit type,
// data), every name and datum a BLOB so that bytes that are not valid code
// page 932 still come back unchanged. It owns one connection, guarded by a
// recursive mutex because a transaction body calls back into the hive on the
// same thread. SQLite errors are turned into registry codes here and nowhere
// else; nothing above this file sees a SQLite result code. A hive object
// must not be carried across fork(): a child process opens its own.
//
// The journal is a write-ahead log with synchronous=FULL: one sync per commit,
// and readers never wait for a writer. The log and its index file are kept
// when the last connection closes, so that a user who may read the file but
// not write its folder (a root-owned machine hive) still finds them and reads
// the latest commits. That close also empties the log (journal_size_limit):
// a log left full would be replayed by every later opener and copied into the
// file again when it closed, with three disk syncs, even to read one value.
#include "platform/registry/SqliteHive.h"

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "platform/registry/FailedHive.h"

namespace registry {
namespace {

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS reg_key("
    " id INTEGER PRIMARY KEY,"
    " parent INTEGER NOT NULL,"  // 0 for a key directly below the root
    " name BLOB NOT NULL,"
    " folded BLOB NOT NULL,"
    " UNIQUE(parent, folded));"
    "CREATE TABLE IF NOT EXISTS reg_value("
    " key INTEGER NOT NULL,"  // 0 for a value of the root itself
    " name BLOB NOT NULL,"
    " folded BLOB NOT NULL,"
    " type INTEGER NOT NULL,"
    " data BLOB NOT NULL,"
    " UNIQUE(key, folded));";

bool IsPermissionErrno(int e) { return e == EACCES || e == EPERM || e == EROFS; }
bool IsFullErrno(int e) { return e == ENOSPC || e == EDQUOT; }

RegError MapError(const std::string& path, int rc, int sysErrno, const std::string& what, const char* detail) {
  const char* code = kFailed;
  bool fromFileSystem = false;
  switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: code = kBusy; break;
    case SQLITE_FULL: code = kDiskFull; break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH: code = kAccessDenied; fromFileSystem = true; break;
    case SQLITE_CANTOPEN: code = kCannotOpen; fromFileSystem = true; break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: code = kReadFailed; break;
    case SQLITE_IOERR: code = kReadFailed; fromFileSystem = true; break;
    default: break;
  }
  // errno is only meaningful when the engine failed on a file operation.
  if (fromFileSystem && IsPermissionErrno(sysErrno)) code = kAccessDenied;
  if (fromFileSystem && IsFullErrno(sysErrno)) code = kDiskFull;
  std::string message = path + ": " + what + ": " + (detail ? detail : sqlite3_errstr(rc));
  if (fromFileSystem && sysErrno != 0) message += std::string(" (") + std::strerror(sysErrno) + ")";
  return {code, std::move(message)};
}

std::string ColumnBlob(sqlite3_stmt* s, int col) {
  const void* p = sqlite3_column_blob(s, col);
  int n = sqlite3_column_bytes(s, col);
  return p ? std::string(static_cast<const char*>(p), static_cast<size_t>(n)) : std::string();
}

// Waits for another process's lock in short, jittered naps until the timeout.
// SQLite's own handler naps up to 100 ms, so under contention a process can
// lose every race for seconds while the others commit; short naps keep the
// waiting fair enough that nobody reaches the timeout while the file is
// merely busy.
struct BusyWait {
  std::chrono::milliseconds timeout;
  std::chrono::steady_clock::time_point start;
  unsigned seed;
};

int OnBusy(void* arg, int attempt) {
  auto* wait = static_cast<BusyWait*>(arg);
  auto now = std::chrono::steady_clock::now();
  if (attempt == 0) wait->start = now;
  if (now - wait->start >= wait->timeout) return 0;
  wait->seed = wait->seed * 1103515245u + 12345u;
  int napUs = std::min(attempt, 4) * 500 + static_cast<int>((wait->seed >> 16) % 1000);
  std::this_thread::sleep_for(std::chrono::microseconds(napUs));
  return 1;
}

// A cached statement in use; resets it on every path so that it never keeps
// a read lock open.
class Query {
 public:
  explicit Query(sqlite3_stmt* s) : s_(s) {}
  ~Query() { sqlite3_reset(s_); }
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;
  // `text` must outlive the step: it is bound without a copy.
  void Blob(int i, const std::string& text) {
    sqlite3_bind_blob(s_, i, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
  }
  void Int(int i, int64_t v) { sqlite3_bind_int64(s_, i, v); }
  int Step() { return sqlite3_step(s_); }
  sqlite3_stmt* get() const { return s_; }

 private:
  sqlite3_stmt* s_;
};

class SqliteHive final : public RegistryHive {
 public:
  SqliteHive(std::string path, sqlite3* db, bool readOnly, std::unique_ptr<BusyWait> busy)
      : path_(std::move(path)), db_(db), readOnly_(readOnly), busy_(std::move(busy)) {}
  ~SqliteHive() override {
    for (auto& [sql, s] : stmts_) sqlite3_finalize(s);
    sqlite3_close(db_);
  }

  bool ReadKey(const std::string& path, bool forWrite, KeySnapshot* out, RegError* err) override {
    RegError local;
    RegError* e = err ? err : &local;
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (const CachedKey* cached = Cached(path)) {
      if (!cached->found) {
        *e = NotFound(path);
        return false;
      }
      if (forWrite && readOnly_) {
        *e = ReadOnlyError("open key for writing");
        return false;
      }
      *out = cached->values;
      return true;
    }
    bool cacheable = depth_ == 0;
    int64_t version = 0;
    auto parts = SplitPath(path);
    bool ok = Read("read key", e, [&](RegError* e) {
      // Taken first, inside the same read, so that it names the state read.
      if (cacheable && !DataVersion(&version)) cacheable = false;
      int64_t id;
      if (!FindExisting(parts, path, &id, e)) return false;
      if (forWrite && readOnly_) {
        *e = ReadOnlyError("open key for writing");
        return false;
      }
      sqlite3_stmt* s = Prepare("SELECT name, type, data FROM reg_value WHERE key = ?1 ORDER BY rowid", e);
      if (!s) return false;
      Query q(s);
      q.Int(1, id);
      out->Clear();
      int rc;
      while ((rc = q.Step()) == SQLITE_ROW) {
        out->Put(ColumnBlob(s, 0), RegValue{static_cast<uint32_t>(sqlite3_column_int64(s, 1)), ColumnBlob(s, 2)});
      }
      return rc == SQLITE_DONE || Fail(rc, "read key", e);
    });
    if (cacheable && (ok || e->code == kNotFound)) Remember(path, version, ok, ok ? *out : KeySnapshot());
    return ok;
  }

  bool CreateKey(const std::string& path, RegError* err) override {
    auto parts = SplitPath(path);
    if (parts.empty()) return Invalid("empty key path", err);
    {
      // Creating a key that is there changes nothing, so it need not wait for
      // the write lock. A read-only hive still refuses, as it always has.
      std::lock_guard<std::recursive_mutex> lock(mutex_);
      const CachedKey* cached = readOnly_ ? nullptr : Cached(path);
      if (cached && cached->found) return true;
    }
    return Write("create key", err, [&](RegError* e) {
      int64_t id = 0;
      for (const auto& part : parts) {
        bool found;
        if (!Child(id, part, &id, &found, e)) return false;
        if (found) continue;
        sqlite3_stmt* s = Prepare("INSERT INTO reg_key(parent, name, folded) VALUES(?1, ?2, ?3)", e);
        if (!s) return false;
        Query q(s);
        std::string folded = FoldName(part);
        q.Int(1, id);
        q.Blob(2, part);
        q.Blob(3, folded);
        int rc = q.Step();
        if (rc != SQLITE_DONE) return Fail(rc, "create key", e);
        id = sqlite3_last_insert_rowid(db_);
      }
      return true;
    });
  }

  bool DeleteKey(const std::string& path, RegError* err) override {
    auto parts = SplitPath(path);
    if (parts.empty()) return Invalid("empty key path", err);
    return Write("delete key", err, [&](RegError* e) {
      int64_t id;
      bool found;
      if (!Find(parts, &id, &found, e)) return false;
      if (!found) return true;
      {
        sqlite3_stmt* s = Prepare("SELECT 1 FROM reg_key WHERE parent = ?1 LIMIT 1", e);
        if (!s) return false;
        Query q(s);
        q.Int(1, id);
        int rc = q.Step();
        if (rc == SQLITE_ROW) {
          *e = {kHasSubkeys, "key has subkeys: " + path};
          return false;
        }
        if (rc != SQLITE_DONE) return Fail(rc, "delete key", e);
      }
      return Run("DELETE FROM reg_value WHERE key = ?1", id, "delete key", e) &&
             Run("DELETE FROM reg_key WHERE id = ?1", id, "delete key", e);
    });
  }

  bool SetValue(const std::string& path, const std::string& name, const RegValue& value, RegError* err) override {
    auto parts = SplitPath(path);
    return Write("write value", err, [&](RegError* e) {
      int64_t id;
      if (!FindExisting(parts, path, &id, e)) return false;
      sqlite3_stmt* s = Prepare(
          "INSERT INTO reg_value(key, name, folded, type, data) VALUES(?1, ?2, ?3, ?4, ?5)"
          " ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data",
          e);
      if (!s) return false;
      Query q(s);
      std::string folded = FoldName(name);
      q.Int(1, id);
      q.Blob(2, name);
      q.Blob(3, folded);
      q.Int(4, value.type);
      q.Blob(5, value.data);
      int rc = q.Step();
      return rc == SQLITE_DONE || Fail(rc, "write value", e);
    });
  }

  bool DeleteValue(const std::string& path, const std::string& name, RegError* err) override {
    auto parts = SplitPath(path);
    return Write("delete value", err, [&](RegError* e) {
      int64_t id;
      if (!FindExisting(parts, path, &id, e)) return false;
      sqlite3_stmt* s = Prepare("DELETE FROM reg_value WHERE key = ?1 AND folded = ?2", e);
      if (!s) return false;
      Query q(s);
      std::string folded = FoldName(name);
      q.Int(1, id);
      q.Blob(2, folded);
      int rc = q.Step();
      return rc == SQLITE_DONE || Fail(rc, "delete value", e);
    });
  }

  bool EnumKeys(const std::string& path, std::vector<std::string>* out, RegError* err) override {
    auto parts = SplitPath(path);
    return Read("list subkeys", err, [&](RegError* e) {
      int64_t id;
      if (!FindExisting(parts, path, &id, e)) return false;
      sqlite3_stmt* s = Prepare("SELECT name FROM reg_key WHERE parent = ?1", e);
      if (!s) return false;
      Query q(s);
      q.Int(1, id);
      std::vector<std::string> names;
      int rc;
      while ((rc = q.Step()) == SQLITE_ROW) names.push_back(ColumnBlob(s, 0));
      if (rc != SQLITE_DONE) return Fail(rc, "list subkeys", e);
      std::sort(names.begin(), names.end(), NameLess);
      out->insert(out->end(), names.begin(), names.end());
      return true;
    });
  }

  bool DeleteTree(const std::string& path, RegError* err) override {
    auto parts = SplitPath(path);
    return Write("delete tree", err, [&](RegError* e) {
      if (parts.empty()) {
        return Exec("DELETE FROM reg_value", "delete tree", e) && Exec("DELETE FROM reg_key", "delete tree", e);
      }
      int64_t id;
      bool found;
      if (!Find(parts, &id, &found, e)) return false;
      if (!found) return true;
      return Run("WITH RECURSIVE sub(id) AS (SELECT ?1 UNION ALL"
                 " SELECT k.id FROM reg_key k JOIN sub ON k.parent = sub.id)"
                 " DELETE FROM reg_value WHERE key IN sub",
                 id, "delete tree", e) &&
             Run("WITH RECURSIVE sub(id) AS (SELECT ?1 UNION ALL"
                 " SELECT k.id FROM reg_key k JOIN sub ON k.parent = sub.id)"
                 " DELETE FROM reg_key WHERE id IN sub",
                 id, "delete tree", e);
    });
  }

  // A body that returns true is committed, unless one of its operations met a
  // storage failure (busy, full, I/O): the engine may already have abandoned
  // the transaction then, so nothing of it is kept. Failures that leave the
  // transaction intact (an absent key, subkeys) are the body's to judge.
  bool Transaction(const std::function<bool(RegError*)>& body, RegError* err) override {
    RegError local;
    RegError* e = err ? err : &local;
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    cache_.clear();
    if (depth_ > 0) return Nested(body, e);
    // A read-only hive still runs the body, so that its reads see one state.
    if (!Begin(readOnly_ ? "BEGIN" : "BEGIN IMMEDIATE", "start transaction", e)) return false;
    return RunTopLevel(body, "commit transaction", e);
  }

  std::string Describe() const override { return readOnly_ ? path_ + " (read-only)" : path_; }

 private:
  template <class Op>
  bool Read(const char* what, RegError* err, Op&& op) {
    RegError local;
    RegError* e = err ? err : &local;
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (depth_ > 0) return op(e);
    // One read transaction, so that a walk down the key path and the read of
    // its values see the same state of the file.
    if (!Begin("BEGIN", what, e)) return false;
    return RunTopLevel(op, what, e);
  }

  template <class Op>
  bool Write(const char* what, RegError* err, Op&& op) {
    RegError local;
    RegError* e = err ? err : &local;
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (readOnly_) {
      *e = ReadOnlyError(what);
      return false;
    }
    // The engine's data version does not count this connection's own commits.
    cache_.clear();
    if (depth_ > 0) return op(e);
    // IMMEDIATE takes the write lock before the first read, so that two
    // processes never both read, then both write (a lost update).
    if (!Begin("BEGIN IMMEDIATE", what, e)) return false;
    return RunTopLevel(op, what, e);
  }

  bool Begin(const char* sql, const char* what, RegError* e) {
    broken_ = false;
    return Step(sql, what, e);
  }

  // A key read outside any transaction, kept until another connection commits
  // (the engine's data version moves) or this one writes (every write clears
  // the cache). Absent keys are kept too: palette and preset probes ask for
  // them again and again.
  struct CachedKey {
    bool found;
    KeySnapshot values;
  };

  // The cached answer for `path` when nothing has changed since it was read.
  const CachedKey* Cached(const std::string& path) {
    if (depth_ > 0 || cache_.empty()) return nullptr;
    int64_t version;
    if (!DataVersion(&version) || version != cacheVersion_) {
      cache_.clear();
      return nullptr;
    }
    auto it = cache_.find(path);
    return it == cache_.end() ? nullptr : &it->second;
  }

  void Remember(const std::string& path, int64_t version, bool found, KeySnapshot values) {
    if (version != cacheVersion_ || cache_.size() >= kCacheLimit) cache_.clear();
    cacheVersion_ = version;
    cache_[path] = CachedKey{found, std::move(values)};
  }

  // Outside a transaction this is a read of its own, which sees every commit
  // made so far.
  bool DataVersion(int64_t* version) {
    RegError ignored;
    sqlite3_stmt* s = Prepare("PRAGMA data_version", &ignored);
    if (!s) return false;
    Query q(s);
    if (q.Step() != SQLITE_ROW) return false;
    *version = sqlite3_column_int64(s, 0);
    return true;
  }

  RegError NotFound(const std::string& path) const { return {kNotFound, "key does not exist: " + path}; }

  // A single statement without results, prepared once: transaction control
  // runs for every read and is not worth parsing each time.
  bool Step(const char* sql, const char* what, RegError* e) {
    sqlite3_stmt* s = Prepare(sql, e);
    if (!s) return false;
    Query q(s);
    int rc = q.Step();
    return rc == SQLITE_DONE || Fail(rc, what, e);
  }

  template <class Op>
  bool RunTopLevel(Op&& op, const char* what, RegError* e) {
    depth_ = 1;
    bool ok;
    try {
      ok = op(e);
    } catch (...) {
      depth_ = 0;
      Rollback();
      throw;
    }
    depth_ = 0;
    if (broken_) {
      *e = brokenError_;
      ok = false;
    }
    if (!ok) {
      Rollback();
      return false;
    }
    RegError commitError;
    if (!Step("COMMIT", what, &commitError)) {
      *e = commitError;
      Rollback();
      return false;
    }
    return true;
  }

  bool Nested(const std::function<bool(RegError*)>& body, RegError* e) {
    if (!Exec("SAVEPOINT nested", "start transaction", e)) return false;
    ++depth_;
    bool ok;
    try {
      ok = body(e);
    } catch (...) {
      --depth_;
      sqlite3_exec(db_, "ROLLBACK TO nested; RELEASE nested", nullptr, nullptr, nullptr);
      throw;
    }
    --depth_;
    if (!ok) sqlite3_exec(db_, "ROLLBACK TO nested", nullptr, nullptr, nullptr);
    sqlite3_exec(db_, "RELEASE nested", nullptr, nullptr, nullptr);
    return ok;
  }

  void Rollback() {
    if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }

  // Records a storage failure; inside a transaction it also dooms it.
  bool Fail(int rc, const std::string& what, RegError* e) {
    *e = MapError(path_, rc, sqlite3_system_errno(db_), what, sqlite3_errmsg(db_));
    if (depth_ > 0 && !broken_) {
      broken_ = true;
      brokenError_ = *e;
    }
    return false;
  }

  bool Invalid(const char* message, RegError* err) {
    if (err) *err = {kInvalid, message};
    return false;
  }

  RegError ReadOnlyError(const std::string& what) const {
    return {kAccessDenied, path_ + ": " + what + ": permission denied (the hive is read-only for this user)"};
  }

  bool Exec(const char* sql, const char* what, RegError* e) {
    int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    return rc == SQLITE_OK || Fail(rc, what, e);
  }

  // Runs a statement that takes one id and returns no rows.
  bool Run(const char* sql, int64_t id, const char* what, RegError* e) {
    sqlite3_stmt* s = Prepare(sql, e);
    if (!s) return false;
    Query q(s);
    q.Int(1, id);
    int rc = q.Step();
    return rc == SQLITE_DONE || Fail(rc, what, e);
  }

  // Statements are kept for the hive's lifetime, keyed by their literal.
  sqlite3_stmt* Prepare(const char* sql, RegError* e) {
    auto it = stmts_.find(sql);
    if (it != stmts_.end()) return it->second;
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr);
    if (rc != SQLITE_OK) {
      Fail(rc, "prepare statement", e);
      return nullptr;
    }
    stmts_.emplace(sql, s);
    return s;
  }

  bool Child(int64_t parent, const std::string& name, int64_t* id, bool* found, RegError* e) {
    sqlite3_stmt* s = Prepare("SELECT id FROM reg_key WHERE parent = ?1 AND folded = ?2", e);
    if (!s) return false;
    Query q(s);
    std::string folded = FoldName(name);
    q.Int(1, parent);
    q.Blob(2, folded);
    int rc = q.Step();
    if (rc == SQLITE_ROW) {
      *id = sqlite3_column_int64(s, 0);
      *found = true;
      return true;
    }
    *found = false;
    return rc == SQLITE_DONE || Fail(rc, "find key", e);
  }

  bool Find(const std::vector<std::string>& parts, int64_t* id, bool* found, RegError* e) {
    *id = 0;
    *found = true;
    for (const auto& part : parts) {
      if (!Child(*id, part, id, found, e)) return false;
      if (!*found) return true;
    }
    return true;
  }

  bool FindExisting(const std::vector<std::string>& parts, const std::string& path, int64_t* id, RegError* e) {
    bool found;
    if (!Find(parts, id, &found, e)) return false;
    if (found) return true;
    *e = NotFound(path);
    return false;
  }

  std::string path_;
  sqlite3* db_;
  bool readOnly_;
  std::recursive_mutex mutex_;
  int depth_ = 0;        // open transaction levels, on the thread holding mutex_
  bool broken_ = false;  // a storage failure inside the open transaction
  RegError brokenError_;
  std::unordered_map<const char*, sqlite3_stmt*> stmts_;
  static constexpr size_t kCacheLimit = 1024;
  std::unordered_map<std::string, CachedKey> cache_;
  int64_t cacheVersion_ = -1;
  std::unique_ptr<BusyWait> busy_;  // the connection's busy handler state
};

std::shared_ptr<RegistryHive> Unusable(const std::string& path, sqlite3* db, int rc, const char* what) {
  RegError error = MapError(path, rc, db ? sqlite3_system_errno(db) : 0, what, db ? sqlite3_errmsg(db) : nullptr);
  sqlite3_close(db);
  // An unusable file is never an empty registry, even when the cause looks
  // like an absence.
  if (error.code == kNotFound) error.code = kCannotOpen;
  return std::make_shared<FailedHive>(error);
}

// Fails when the file is a database of something else or a read-only file that
// never became a hive: both would otherwise answer "absent" to everything.
int CheckTables(sqlite3* db, bool* present) {
  sqlite3_stmt* s = nullptr;
  int rc = sqlite3_prepare_v2(
      db, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('reg_key', 'reg_value')", -1, &s,
      nullptr);
  if (rc != SQLITE_OK) return rc;
  rc = sqlite3_step(s);
  *present = rc == SQLITE_ROW && sqlite3_column_int(s, 0) == 2;
  sqlite3_finalize(s);
  return rc == SQLITE_ROW ? SQLITE_OK : rc;
}

std::string ImmutableUri(const std::string& path) {
  std::string uri = "file:";
  for (unsigned char c : path) {
    if (c == '%' || c == '?' || c == '#' || c < 0x20 || c >= 0x7F) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      uri += hex;
    } else {
      uri += static_cast<char>(c);
    }
  }
  return uri + "?immutable=1";
}

}  // namespace

std::shared_ptr<RegistryHive> OpenSqliteHive(const std::string& path, const SqliteHiveOptions& options) {
  sqlite3* db = nullptr;
  // Read-write is tried first; SQLite itself falls back to read-only when the
  // file exists but this user may not write it.
  int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                           nullptr);
  if (rc != SQLITE_OK) return Unusable(path, db, rc, "cannot open the hive");
  sqlite3_extended_result_codes(db, 1);
  auto busy = std::make_unique<BusyWait>(
      BusyWait{std::chrono::milliseconds(options.busyTimeoutMs), {}, static_cast<unsigned>(::getpid())});
  sqlite3_busy_handler(db, OnBusy, busy.get());
  bool readOnly = sqlite3_db_readonly(db, "main") == 1;

  if (!readOnly) {
    int persist = 1;
    sqlite3_file_control(db, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
    rc = sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA journal_size_limit=1048576",
                      nullptr, nullptr, nullptr);
    // The tables are made once; taking the write lock on every open would
    // make a reader wait for (or fail behind) another desktop's write.
    bool made = false;
    if (rc == SQLITE_OK && (CheckTables(db, &made) != SQLITE_OK || !made)) {
      rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
      if (rc == SQLITE_OK) rc = sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr);
      if (rc == SQLITE_OK) rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) return Unusable(path, db, rc, "cannot set up the hive");
  }
  bool present = false;
  rc = CheckTables(db, &present);
  if (readOnly && ((rc & 0xFF) == SQLITE_CANTOPEN || (rc & 0xFF) == SQLITE_READONLY) &&
      ::access((path + "-shm").c_str(), F_OK) != 0) {
    // No log index to share and no right to create one: no writer has the
    // file open (its index would be there), so the file alone is the hive.
    sqlite3_close(db);
    db = nullptr;
    rc = sqlite3_open_v2(ImmutableUri(path).c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                         nullptr);
    if (rc != SQLITE_OK) return Unusable(path, db, rc, "cannot open the hive");
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_handler(db, OnBusy, busy.get());
    rc = CheckTables(db, &present);
  }
  if (rc != SQLITE_OK) return Unusable(path, db, rc, "cannot use the hive");
  if (!present) {
    sqlite3_close(db);
    return std::make_shared<FailedHive>(
        RegError{kCannotOpen, path + ": cannot use the hive: the file holds no registry and is read-only"});
  }
  return std::make_shared<SqliteHive>(path, db, readOnly, std::move(busy));
}

bool CheckSqliteHive(const std::string& path, std::string* report) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  std::string findings;
  bool ok = false;
  if (rc == SQLITE_OK) {
    sqlite3_busy_timeout(db, 5000);
    sqlite3_stmt* s = nullptr;
    rc = sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &s, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(s)) == SQLITE_ROW) {
      if (!findings.empty()) findings += '\n';
      findings += reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
      rc = SQLITE_OK;
    }
    sqlite3_finalize(s);
    ok = rc == SQLITE_DONE && findings == "ok";
  }
  if (rc != SQLITE_DONE) findings = path + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
  sqlite3_close(db);
  if (report) *report = findings;
  return ok;
}

}  // namespace registry
