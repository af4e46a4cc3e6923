#include "platform/registry/LibPq.h"

#include <dlfcn.h>

#include <string>

// Hidden, so that neither the library nor the command that links these
// objects passes them off as libpq to anyone else in the process.
#pragma GCC visibility push(hidden)
#include <libpq-fe.h>

namespace {

// The functions the hive uses, in the order of libpq-fe.h.
#define QUORPRN_LIBPQ_FUNCTIONS(X) \
  X(PQconnectdbParams)             \
  X(PQfinish)                      \
  X(PQstatus)                      \
  X(PQtransactionStatus)           \
  X(PQerrorMessage)                \
  X(PQsocket)                      \
  X(PQbackendPID)                  \
  X(PQsetNoticeProcessor)          \
  X(PQexec)                        \
  X(PQprepare)                     \
  X(PQexecPrepared)                \
  X(PQnotifies)                    \
  X(PQconsumeInput)                \
  X(PQresultStatus)                \
  X(PQresultErrorMessage)          \
  X(PQresultErrorField)            \
  X(PQntuples)                     \
  X(PQcmdStatus)                   \
  X(PQcmdTuples)                   \
  X(PQgetvalue)                    \
  X(PQgetlength)                   \
  X(PQgetisnull)                   \
  X(PQclear)                       \
  X(PQfreemem)

struct Table {
#define QUORPRN_LIBPQ_SLOT(f) decltype(&::f) f = nullptr;
  QUORPRN_LIBPQ_FUNCTIONS(QUORPRN_LIBPQ_SLOT)
#undef QUORPRN_LIBPQ_SLOT
  bool loaded = false;
  std::string why;
};

Table LoadTable() {
  Table t;
  // The soname this build was compiled against; RTLD_NOW so that a libpq
  // lacking a function fails here, named, and not in mid-statement.
  void* handle = ::dlopen("libpq.so.5", RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* e = ::dlerror();
    t.why = std::string("cannot load libpq: ") + (e ? e : "libpq.so.5");
    return t;
  }
#define QUORPRN_LIBPQ_LOAD(f)                                 \
  t.f = reinterpret_cast<decltype(t.f)>(::dlsym(handle, #f)); \
  if (t.f == nullptr) {                                       \
    t.why = "cannot load libpq: libpq.so.5 has no " #f;       \
    return t;                                                 \
  }
  QUORPRN_LIBPQ_FUNCTIONS(QUORPRN_LIBPQ_LOAD)
#undef QUORPRN_LIBPQ_LOAD
  t.loaded = true;
  return t;
}

// Loaded once, on the first call, and kept for the process's life.
const Table& Pq() {
  static const Table table = LoadTable();
  return table;
}

}  // namespace

namespace registry {

bool LibPq::Load(std::string* why) {
  const Table& t = Pq();
  if (!t.loaded && why) *why = t.why;
  return t.loaded;
}

}  // namespace registry

// libpq's own functions, as the hive calls them: only after LibPq::Load
// succeeded.
extern "C" {

PGconn* PQconnectdbParams(const char* const* keywords, const char* const* values, int expand_dbname) {
  return Pq().PQconnectdbParams(keywords, values, expand_dbname);
}
void PQfinish(PGconn* conn) { Pq().PQfinish(conn); }
ConnStatusType PQstatus(const PGconn* conn) { return Pq().PQstatus(conn); }
PGTransactionStatusType PQtransactionStatus(const PGconn* conn) { return Pq().PQtransactionStatus(conn); }
char* PQerrorMessage(const PGconn* conn) { return Pq().PQerrorMessage(conn); }
int PQsocket(const PGconn* conn) { return Pq().PQsocket(conn); }
int PQbackendPID(const PGconn* conn) { return Pq().PQbackendPID(conn); }
PQnoticeProcessor PQsetNoticeProcessor(PGconn* conn, PQnoticeProcessor proc, void* arg) {
  return Pq().PQsetNoticeProcessor(conn, proc, arg);
}
PGresult* PQexec(PGconn* conn, const char* query) { return Pq().PQexec(conn, query); }
PGresult* PQprepare(PGconn* conn, const char* stmtName, const char* query, int nParams, const Oid* paramTypes) {
  return Pq().PQprepare(conn, stmtName, query, nParams, paramTypes);
}
PGresult* PQexecPrepared(PGconn* conn, const char* stmtName, int nParams, const char* const* paramValues,
                         const int* paramLengths, const int* paramFormats, int resultFormat) {
  return Pq().PQexecPrepared(conn, stmtName, nParams, paramValues, paramLengths, paramFormats, resultFormat);
}
PGnotify* PQnotifies(PGconn* conn) { return Pq().PQnotifies(conn); }
int PQconsumeInput(PGconn* conn) { return Pq().PQconsumeInput(conn); }
ExecStatusType PQresultStatus(const PGresult* res) { return Pq().PQresultStatus(res); }
char* PQresultErrorMessage(const PGresult* res) { return Pq().PQresultErrorMessage(res); }
char* PQresultErrorField(const PGresult* res, int fieldcode) { return Pq().PQresultErrorField(res, fieldcode); }
int PQntuples(const PGresult* res) { return Pq().PQntuples(res); }
char* PQcmdStatus(PGresult* res) { return Pq().PQcmdStatus(res); }
char* PQcmdTuples(PGresult* res) { return Pq().PQcmdTuples(res); }
char* PQgetvalue(const PGresult* res, int tup_num, int field_num) { return Pq().PQgetvalue(res, tup_num, field_num); }
int PQgetlength(const PGresult* res, int tup_num, int field_num) { return Pq().PQgetlength(res, tup_num, field_num); }
int PQgetisnull(const PGresult* res, int tup_num, int field_num) { return Pq().PQgetisnull(res, tup_num, field_num); }
void PQclear(PGresult* res) { Pq().PQclear(res); }
void PQfreemem(void* ptr) { Pq().PQfreemem(ptr); }

}  // extern "C"

#pragma GCC visibility pop
