#include "tools/ResultMeaning.h"

#include "quorprn/QuorPrnResult.h"

namespace tools {

std::string ResultMeaning::Of(int32_t code, Sense sense) {
  if (sense == Sense::Stored) {
    switch (code) {
      case QUOR_PRN_NO_PRINTER_SET: return "the printer set is not stored";
      case QUOR_PRN_NO_CURRENT_PRINTER: return "the printer set has no current printer";
      case QUOR_PRN_NO_PRINTER_ENTRY: return "the printer is not stored";
      case QUOR_PRN_NO_FORM_ENTRY: return "the form is not stored";
      default: break;
    }
  }
  switch (code) {
    case QUOR_PRN_SUCCESS: return "success";
    case QUOR_PRN_CANCEL: return "cancelled";
    case QUOR_PRN_ERR_ARGUMENT: return "an argument failed the entry checks";
    case QUOR_PRN_ERR_MEMORY: return "the settings store ran out of memory";
    case QUOR_PRN_ERR_STATE: return "the settings store was in the wrong state";
    case QUOR_PRN_ERR_SPOOLER: return "a spooler or driver query failed";
    case QUOR_PRN_ERR_DISPLAY: return "no display to show a dialog on";
    case QUOR_PRN_ERR_REG_KEY: return "a registry key failed to open or to be created";
    case QUOR_PRN_ERR_REG_DELETE: return "a registry key failed to be deleted";
    case QUOR_PRN_ERR_TEMPLATE: return "the form template file failed";
    case QUOR_PRN_NO_PRINTER_SET: return "the printer set is not stored; the default printer was used";
    case QUOR_PRN_NO_CURRENT_PRINTER: return "the printer set has no current printer; the default printer was used";
    case QUOR_PRN_NO_PRINTER_ENTRY: return "the printer has no stored entry; defaults were used";
    case QUOR_PRN_NO_FORM_ENTRY: return "the form has no stored entry; the template file was used";
    case QUOR_PRN_ERR_NO_PRINTER: return "no printer installed, or none could be determined";
    case QUOR_PRN_ERR_READ_SET: return "the printer set failed to be read";
    case QUOR_PRN_ERR_READ_CURRENT: return "the current printer failed to be read";
    case QUOR_PRN_ERR_READ_PRINTER: return "a stored printer failed to be read";
    case QUOR_PRN_ERR_READ_FORM: return "a stored form failed to be read";
    case QUOR_PRN_ERR_CREATE_SET: return "the printer set failed to be created";
    case QUOR_PRN_ERR_WRITE_SET: return "the printer set failed to be written";
    case QUOR_PRN_ERR_WRITE_PRINTER: return "the printer failed to be written";
    case QUOR_PRN_ERR_WRITE_FORM: return "the form failed to be written";
    case QUOR_PRN_NO_COLOR_KEY: return "the colour key does not exist";
    case QUOR_PRN_ERR_NO_JOBS: return "the printer is not a CUPS queue and takes no print jobs";
    case QUOR_PRN_ERR_RAW_QUEUE: return "the printer is a raw queue and takes no paper, bin or colour";
    case QUOR_PRN_LEFT_OUT: return "the printer no longer offers the form's paper or bin; left out";
    default: return "unknown result code";
  }
}

int ResultMeaning::ExitStatus(int32_t code) {
  if (code == QUOR_PRN_SUCCESS) return 0;
  if (QuorPrnIsFallback(code)) return 10;
  return 1;
}

}  // namespace tools
