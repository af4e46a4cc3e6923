// The print-spooler calls the library relies on, shaped like the platform's
// own so that the printer code reads straight onto them: enumeration, open /
// level-2 information / close with the two-call size protocol, the device
// capability queries with their count protocol, and the default printer.
// The property sheet (DocumentPropertiesA) is drawn by the dialog layer
// through PropertySheetPrompt.h. Texts are code page 932. Calls may block on a print server; every backend
// bounds that wait. Which backend answers (CUPS, or a virtual spooler from a
// JSON file) is chosen by spooler::Spooler (Spooler.h), never by the library.
#pragma once

#include <cstdint>
#include <string>

#include "meraprn/DevMode.h"

using HANDLE = void*;
// A parent window: the dialog layer's widget (QWidget*), or null for none.
using HWND = void*;

// Enumeration flags and access rights.
constexpr uint32_t PRINTER_ENUM_LOCAL = 0x2;
constexpr uint32_t PRINTER_ENUM_CONNECTIONS = 0x4;
constexpr uint32_t PRINTER_ACCESS_USE = 0x8;

// Printer status bits.
constexpr uint32_t PRINTER_STATUS_PAUSED = 0x1;
constexpr uint32_t PRINTER_STATUS_ERROR = 0x2;
constexpr uint32_t PRINTER_STATUS_PENDING_DELETION = 0x4;
constexpr uint32_t PRINTER_STATUS_PAPER_JAM = 0x8;
constexpr uint32_t PRINTER_STATUS_PAPER_OUT = 0x10;
constexpr uint32_t PRINTER_STATUS_MANUAL_FEED = 0x20;
constexpr uint32_t PRINTER_STATUS_PAPER_PROBLEM = 0x40;
constexpr uint32_t PRINTER_STATUS_OFFLINE = 0x80;
constexpr uint32_t PRINTER_STATUS_IO_ACTIVE = 0x100;
constexpr uint32_t PRINTER_STATUS_BUSY = 0x200;
constexpr uint32_t PRINTER_STATUS_PRINTING = 0x400;
constexpr uint32_t PRINTER_STATUS_OUTPUT_BIN_FULL = 0x800;
constexpr uint32_t PRINTER_STATUS_NOT_AVAILABLE = 0x1000;
constexpr uint32_t PRINTER_STATUS_WAITING = 0x2000;
constexpr uint32_t PRINTER_STATUS_PROCESSING = 0x4000;
constexpr uint32_t PRINTER_STATUS_INITIALIZING = 0x8000;
constexpr uint32_t PRINTER_STATUS_WARMING_UP = 0x10000;
constexpr uint32_t PRINTER_STATUS_TONER_LOW = 0x20000;
constexpr uint32_t PRINTER_STATUS_NO_TONER = 0x40000;
constexpr uint32_t PRINTER_STATUS_PAGE_PUNT = 0x80000;
constexpr uint32_t PRINTER_STATUS_USER_INTERVENTION = 0x100000;
constexpr uint32_t PRINTER_STATUS_OUT_OF_MEMORY = 0x200000;
constexpr uint32_t PRINTER_STATUS_DOOR_OPEN = 0x400000;
constexpr uint32_t PRINTER_STATUS_SERVER_UNKNOWN = 0x800000;
constexpr uint32_t PRINTER_STATUS_POWER_SAVE = 0x1000000;

// Device capabilities.
constexpr uint16_t DC_PAPERS = 2;        // uint16_t paper numbers
constexpr uint16_t DC_BINS = 6;          // uint16_t bin numbers
constexpr uint16_t DC_BINNAMES = 12;     // 24-byte NUL-terminated fields
constexpr uint16_t DC_PAPERNAMES = 16;   // 64-byte NUL-terminated fields
constexpr int kPaperNameField = 64;
constexpr int kBinNameField = 24;

// One printer's level-2 information. A block filled by GetPrinterA or
// EnumPrintersA is self-contained: every pointer points inside the caller's
// buffer, pDevMode included.
struct PRINTER_INFO_2A {
  char* pServerName;
  char* pPrinterName;
  char* pShareName;
  char* pPortName;
  char* pDriverName;
  char* pComment;
  char* pLocation;
  DEVMODEA* pDevMode;
  char* pSepFile;
  char* pPrintProcessor;
  char* pDatatype;
  char* pParameters;
  void* pSecurityDescriptor;
  uint32_t Attributes;
  uint32_t Priority;
  uint32_t DefaultPriority;
  uint32_t StartTime;
  uint32_t UntilTime;
  uint32_t Status;
  uint32_t cJobs;
  uint32_t AveragePPM;
};

struct PRINTER_DEFAULTSA {
  char* pDatatype;
  DEVMODEA* pDevMode;
  uint32_t DesiredAccess;
};

// Level 2 only. With `buffer` null or `size` too small: returns 0 and sets
// *needed to the bytes required. On success fills `buffer` with *returned
// PRINTER_INFO_2A entries followed by their strings and device blocks.
int EnumPrintersA(uint32_t flags, const char* name, uint32_t level, unsigned char* buffer, uint32_t size,
                  uint32_t* needed, uint32_t* returned);
// Non-zero and a non-null handle when the printer can be opened.
int OpenPrinterA(const char* printerName, HANDLE* printer, PRINTER_DEFAULTSA* defaults);
// Level 2 only; the same size protocol as EnumPrintersA.
int GetPrinterA(HANDLE printer, uint32_t level, unsigned char* buffer, uint32_t size, uint32_t* needed);
int ClosePrinter(HANDLE printer);
// Without `output`: the number of entries. With it: fills it and returns the
// number of entries. -1 on failure. Names are cut to their field on a
// character boundary and NUL-terminated. A fill writes no more entries than
// the last count query on this thread answered for that device and
// capability (for names: else for its number list), even if the backend's
// list grew since; the result is still the full count.
int DeviceCapabilitiesA(const char* device, const char* port, uint16_t capability, char* output,
                        const DEVMODEA* devMode);
// The default printer, as the print dialog's defaults give it. False when
// there is none (or it cannot be determined).
bool GetDefaultPrinterName(std::string* name);

// DocumentPropertiesA modes (ORed) and its two answers from a prompt.
constexpr uint32_t DM_OUT_BUFFER = 2;
constexpr uint32_t DM_IN_PROMPT = 4;
constexpr uint32_t DM_IN_BUFFER = 8;
constexpr int32_t IDOK = 1;
constexpr int32_t IDCANCEL = 2;

// A printer's device-settings block, through the handle of an open printer
// (`deviceName` is not consulted: the handle names the printer).
// - mode 0: the size in bytes that a caller allocates for the block.
// - DM_OUT_BUFFER: fills `output` with that many bytes.
// - DM_IN_BUFFER: starts from the printer's current settings with the members
//   that `input` carries (dmFields, within dmSize) laid over them; a value the
//   printer does not offer (a paper or bin it does not list, colour on a
//   monochrome printer) keeps the printer's own.
// - DM_IN_PROMPT: shows the printer's property sheet over `window` on those
//   settings and answers IDOK (the edited settings go out) or IDCANCEL (the
//   settings go out as they came in). Blocks until the user closes it.
// `input` and `output` may be the same block. Without a prompt the answer is
// IDOK. A negative answer is a failure and leaves `output` untouched: no such
// handle, a printer that cannot be queried (its settings, papers or bins),
// no output buffer for DM_OUT_BUFFER, an unknown mode bit, or no property
// sheet that can be shown.
int32_t DocumentPropertiesA(HWND window, HANDLE printer, const char* deviceName, DEVMODEA* output,
                            const DEVMODEA* input, uint32_t mode);
