#include "tools/RegistryCause.h"

#include "platform/registry/RegistryError.h"
#include "quorprn/QuorPrnResult.h"

namespace tools {

void RegistryCause::Clear() { registry::SetLastError(registry::RegError{}); }

std::string RegistryCause::Last() {
  registry::RegError e = registry::GetLastError();
  if (e.code.empty() || e.code == registry::kNotFound) return "";
  return "registry: " + e.code + ": " + e.message;
}

std::string RegistryCause::For(int32_t code) {
  switch (code) {
    case QUOR_PRN_ERR_REG_KEY:
    case QUOR_PRN_ERR_REG_DELETE:
    case QUOR_PRN_ERR_READ_SET:
    case QUOR_PRN_ERR_READ_CURRENT:
    case QUOR_PRN_ERR_READ_PRINTER:
    case QUOR_PRN_ERR_READ_FORM:
    case QUOR_PRN_ERR_CREATE_SET:
    case QUOR_PRN_ERR_WRITE_SET:
    case QUOR_PRN_ERR_WRITE_PRINTER:
    case QUOR_PRN_ERR_WRITE_FORM:
      return Last();
    default:
      return "";
  }
}

}  // namespace tools
