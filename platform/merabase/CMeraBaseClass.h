// The base of the maker's component objects (registry keys, error
// information, localisation): made by a factory function, destroyed by
// Release. MeraPtr holds one and releases it on every path.
#pragma once

#include <memory>

class CMeraBaseClass {
 public:
  virtual void Release() = 0;

 protected:
  virtual ~CMeraBaseClass() = default;
};

struct MeraRelease {
  void operator()(CMeraBaseClass* p) const {
    if (p) p->Release();
  }
};
template <class T>
using MeraPtr = std::unique_ptr<T, MeraRelease>;
