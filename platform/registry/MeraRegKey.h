// The registry component as the library sees it: a registry-key object made
// by MeraRegKeyCreateInstance, and the error-information object that says why
// the calling thread's last registry call failed. Every operation answers
// non-zero on success and 0 on failure; names and texts are code page 932
// bytes, stored and returned exactly as given. Which hive answers (the
// machine-wide SQLite file, or an in-memory hive in tests) is chosen by
// Registry, never by the library.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/merabase/CMeraBaseClass.h"


constexpr uint32_t HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr int CIDCREGKEY = 2;

class CMeraRegKey : public CMeraBaseClass {
 public:
  // Opens an existing key; `flag` is 1 when values will be written through it.
  virtual int OpenKey(uint32_t root, const std::string& path, int flag) = 0;
  // Creates the key and every missing key above it, and leaves it open.
  virtual int CreateKey(uint32_t root, const std::string& path) = 0;
  // Removes a key without subkeys, with its values. An absent key counts as
  // deleted; a key that still has subkeys is a failure.
  virtual int DeleteKey(uint32_t root, const std::string& path, int reserved) = 0;
  virtual int GetNumber(const std::string& name, int32_t& value) = 0;
  virtual int GetText(const std::string& name, std::string& value) = 0;
  virtual int SetNumber(const std::string& name, int32_t value) = 0;
  virtual int SetText(const std::string& name, const std::string& value) = 0;
  // Appends the open key's direct subkeys, in case-insensitive name order.
  virtual int EnumKeys(std::vector<std::string>& names) = 0;
};

// Always yields an object for class id 2 (CIDCREGKEY); returns 1, or 0 with a
// null object for another class id.
int MeraRegKeyCreateInstance(int classId, CMeraBaseClass** out);

// Describes the calling thread's last registry failure.
class CMeraErrorInfo1 : public CMeraBaseClass {
 public:
  // "ECR040" when the key or value does not exist; see RegistryError.h.
  virtual std::string GetErrorCode() = 0;
  // Writes one line "quorprn: registry: CODE: message" to the error sink.
  virtual int ReportError(int flags) = 0;
};

int MeraCreateErrorInfo(CMeraErrorInfo1** out);

// Runs `body` as one unit on the hive: the changes it makes through
// registry-key objects are all kept when it answers non-zero, and none of
// them when it answers 0 or the hive cannot keep them. Non-zero when they were
// kept; when the hive itself failed, the thread's last error says why.
int MeraRegRunAtomically(const std::function<int()>& body);

// A fresh registry-key object, released by its holder.
inline MeraPtr<CMeraRegKey> MeraNewRegKey() {
  CMeraBaseClass* p = nullptr;
  MeraRegKeyCreateInstance(CIDCREGKEY, &p);
  return MeraPtr<CMeraRegKey>(static_cast<CMeraRegKey*>(p));
}

// The code of the calling thread's last registry failure ("ECR040" = absent);
// when `report` is set and the failure is not an absence, it is also reported
// once through ReportError(0).
std::string MeraLastErrorCode(bool report);
// MeraLastErrorCode(false) == "ECR040" without building the code: the test
// for callers that probe many names, most of them absent.
bool MeraLastErrorIsAbsence();
