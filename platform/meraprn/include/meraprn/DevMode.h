// The platform's device-settings block: what a printer driver keeps per
// printer (paper, paper source, orientation, ...). Blocks are self-contained:
// `dmSize` is the size of this header, `dmDriverExtra` the number of
// driver-private bytes that follow it in the same allocation.
#pragma once

#include <cstdint>

// Bits of dmFields: which members a block carries.
constexpr uint32_t DM_ORIENTATION = 0x00000001;
constexpr uint32_t DM_PAPERSIZE = 0x00000002;
constexpr uint32_t DM_PAPERLENGTH = 0x00000004;
constexpr uint32_t DM_PAPERWIDTH = 0x00000008;
constexpr uint32_t DM_SCALE = 0x00000010;
constexpr uint32_t DM_COPIES = 0x00000100;
constexpr uint32_t DM_DEFAULTSOURCE = 0x00000200;
constexpr uint32_t DM_COLOR = 0x00000800;
constexpr uint32_t DM_DUPLEX = 0x00001000;

constexpr int16_t DMORIENT_PORTRAIT = 1;
constexpr int16_t DMORIENT_LANDSCAPE = 2;

constexpr int16_t DMCOLOR_MONOCHROME = 1;
constexpr int16_t DMCOLOR_COLOR = 2;

// Two-sided printing: one side, or both sides turned over the long edge
// (DMDUP_VERTICAL) or the short edge (DMDUP_HORIZONTAL) of a portrait page.
constexpr int16_t DMDUP_SIMPLEX = 1;
constexpr int16_t DMDUP_VERTICAL = 2;
constexpr int16_t DMDUP_HORIZONTAL = 3;

struct DEVMODEA {
  char dmDeviceName[32];
  uint16_t dmSpecVersion;
  uint16_t dmDriverVersion;
  uint16_t dmSize;         // size of this structure in bytes
  uint16_t dmDriverExtra;  // driver-private bytes that follow it
  uint32_t dmFields;
  int16_t dmOrientation;
  int16_t dmPaperSize;
  int16_t dmPaperLength;  // tenths of a millimetre
  int16_t dmPaperWidth;   // tenths of a millimetre
  int16_t dmScale;
  int16_t dmCopies;
  int16_t dmDefaultSource;
  int16_t dmPrintQuality;
  int16_t dmColor;
  int16_t dmDuplex;
};
