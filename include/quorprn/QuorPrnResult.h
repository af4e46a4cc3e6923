// The library's whole-number result codes. 1 is success; 140 to 143 say that
// stored settings were missing while the records are still complete.
#pragma once

#include <cstdint>

enum QuorPrnResult : int32_t {
  QUOR_PRN_SUCCESS = 1,
  QUOR_PRN_CANCEL = 2,
  QUOR_PRN_ERR_ARGUMENT = 110,        // an argument failed the entry checks
  QUOR_PRN_ERR_MEMORY = 111,          // the store failed to allocate an object
  QUOR_PRN_ERR_STATE = 112,           // store object in the wrong state
  QUOR_PRN_ERR_SPOOLER = 113,         // a spooler or driver query failed
  QUOR_PRN_ERR_DISPLAY = 114,         // no display to show a dialog on, or the host's application object cannot show widgets
  QUOR_PRN_ERR_REG_KEY = 120,         // a key failed to open (not absence) or to be created
  QUOR_PRN_ERR_REG_DELETE = 122,      // a key failed to be deleted, or "Bin" to be cleared
  QUOR_PRN_ERR_TEMPLATE = 130,        // the form template file failed
  QUOR_PRN_NO_PRINTER_SET = 140,      // the printer set is not stored
  QUOR_PRN_NO_CURRENT_PRINTER = 141,  // the set holds no current printer
  QUOR_PRN_NO_PRINTER_ENTRY = 142,    // the printer has no (readable) stored entry
  QUOR_PRN_NO_FORM_ENTRY = 143,       // the form has no stored entry
  QUOR_PRN_ERR_NO_PRINTER = 150,      // no printer installed, or none determinable
  QUOR_PRN_ERR_READ_SET = 160,        // the set key failed to open (not absence)
  QUOR_PRN_ERR_READ_CURRENT = 161,    // "CurrentPrinter" failed to read (not absence)
  QUOR_PRN_ERR_READ_PRINTER = 162,    // a printer's or colour value failed to read
  QUOR_PRN_ERR_READ_FORM = 163,       // a form's value failed to read
  QUOR_PRN_ERR_CREATE_SET = 170,      // the set key failed to be created
  QUOR_PRN_ERR_WRITE_SET = 171,       // the set key or "CurrentPrinter" failed to be written
  QUOR_PRN_ERR_WRITE_PRINTER = 172,   // a printer's or its colour values failed to be written
  QUOR_PRN_ERR_WRITE_FORM = 173,      // a form's values failed to be written
  QUOR_PRN_NO_COLOR_KEY = 180,        // the colour key asked for does not exist
  QUOR_PRN_ERR_NO_JOBS = 190,         // the printer is not a CUPS queue: the spooler makes no print jobs
  QUOR_PRN_ERR_RAW_QUEUE = 191,       // a raw queue: it takes documents as they are, no paper, bin or colour
  QUOR_PRN_LEFT_OUT = 192,            // a paper or bin the printer no longer offers was left out of the options
};

// True for the codes after which the lookup's records are complete although
// some stored settings were missing.
constexpr bool QuorPrnIsFallback(int32_t code) { return code >= 140 && code <= 143; }
