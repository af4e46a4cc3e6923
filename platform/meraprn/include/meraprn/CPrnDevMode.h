// A holder of one printer's device-settings block. The holder owns its own
// copy of the block; callers that hand a block in keep ownership of theirs,
// and a pointer handed out stays valid until the next Init or SetDevMode.
#pragma once

#include <cstdint>
#include <vector>

#include "meraprn/DevMode.h"
#include "meraprn/MeraPrnExport.h"

class MERAPRN_API CPrnDevMode {
 public:
  CPrnDevMode();
  CPrnDevMode(const CPrnDevMode& other);
  CPrnDevMode& operator=(const CPrnDevMode& other);
  virtual ~CPrnDevMode();

  // Sets `out` to the held block (null when none is held) and returns the
  // block's size in bytes (0 when none).
  int32_t GetDevMode(DEVMODEA*& out);
  // Forgets the held block.
  void Init();
  // Replaces the held block by a copy of `size` bytes at `block`. A null
  // block, or a size smaller than the block header, leaves the holder empty.
  void SetDevMode(const DEVMODEA* block, int32_t size);

 private:
  std::vector<unsigned char> block_;
};
