// Error-information object, the component's two factory functions and its
// atomic unit of changes.
#include "platform/registry/RegistryErrorInfo.h"

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryKey.h"

namespace registry {

RegistryErrorInfo::RegistryErrorInfo() : error_(GetLastError()) {}
RegistryErrorInfo::~RegistryErrorInfo() = default;
void RegistryErrorInfo::Release() { delete this; }
std::string RegistryErrorInfo::GetErrorCode() { return error_.code; }

int RegistryErrorInfo::ReportError(int) {
  WriteErrorLine("quorprn: registry: " + (error_.code.empty() ? std::string("?") : error_.code) + ": " +
                 error_.message);
  return 1;
}

}  // namespace registry

int MeraRegKeyCreateInstance(int classId, CMeraBaseClass** out) {
  if (!out) return 0;
  if (classId != CIDCREGKEY) {
    *out = nullptr;
    return 0;
  }
  *out = new registry::RegistryKey(registry::Registry::Current());
  return 1;
}

int MeraCreateErrorInfo(CMeraErrorInfo1** out) {
  if (!out) return 0;
  *out = new registry::RegistryErrorInfo();
  return 1;
}

int MeraRegRunAtomically(const std::function<int()>& body) {
  registry::RegError err;
  bool bodyFailed = false;
  const bool kept = registry::Registry::Current()->Transaction(
      [&](registry::RegError*) {
        bodyFailed = body() == 0;
        return !bodyFailed;
      },
      &err);
  // The body's own failure is already the thread's last error.
  if (!kept && !bodyFailed) registry::SetLastError(err);
  return kept ? 1 : 0;
}

bool MeraLastErrorIsAbsence() { return registry::LastErrorIsAbsence(); }

std::string MeraLastErrorCode(bool report) {
  // Absence is by far the most common answer (palette reads probe hundreds of
  // missing names) and needs no error object.
  if (registry::LastErrorIsAbsence()) return registry::kNotFound;
  CMeraErrorInfo1* info = nullptr;
  MeraCreateErrorInfo(&info);
  MeraPtr<CMeraErrorInfo1> holder(info);
  std::string code = info->GetErrorCode();
  if (report && code != registry::kNotFound) info->ReportError(0);
  return code;
}
