// What a numeric edit or spin asks of the form dialog that owns it: when the
// width changes, recompute the vertical size from the new width. The form
// dialog implements it; the controls never own their owner.
#pragma once

#include <cstdint>

class IQuorPrnHeightOwner {
 public:
  // widthTenths: the new width change in tenths of a millimetre.
  virtual void RecalcHeight(int32_t widthTenths) = 0;

 protected:
  virtual ~IQuorPrnHeightOwner() = default;
};
