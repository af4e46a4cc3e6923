// The error-information object: a copy of the calling thread's last registry
// failure, taken when the object is made.
#pragma once

#include "platform/registry/MeraRegKey.h"
#include "platform/registry/RegistryError.h"

namespace registry {

class RegistryErrorInfo : public CMeraErrorInfo1 {
 public:
  RegistryErrorInfo();
  void Release() override;
  std::string GetErrorCode() override;
  int ReportError(int flags) override;

 private:
  ~RegistryErrorInfo() override;
  RegError error_;
};

}  // namespace registry
