// One palette entry of a colour record: the registry value name it is stored
// under ("C001" ...) and its colour, red in the lowest byte, then green, then
// blue, the highest byte 0. Whoever fills a colour record allocates the
// entries; the record owns them.
#pragma once

#include <cstdint>
#include <string>

struct MERA_PRN_COLOR_PALETTE_TYPE {
  std::string Name;
  int32_t Color = 0;
};
