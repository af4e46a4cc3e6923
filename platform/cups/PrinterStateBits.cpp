// Reasons arrive with a severity suffix that says how bad, not what: the bit
// depends on the reason itself, and the suffix only matters for reasons that
// have no bit of their own (an unknown "-error" still stops the printer).
#include "platform/cups/PrinterStateBits.h"

#include "platform/spooler/WinSpool.h"

namespace spooler {
namespace {

struct Reason {
  std::string_view keyword;
  uint32_t bits;
};

constexpr Reason kReasons[] = {
    {"media-jam", PRINTER_STATUS_PAPER_JAM},
    {"media-empty", PRINTER_STATUS_PAPER_OUT},
    {"media-needed", PRINTER_STATUS_PAPER_OUT},
    {"media-low", PRINTER_STATUS_PAPER_PROBLEM},
    {"input-tray-missing", PRINTER_STATUS_PAPER_PROBLEM},
    {"output-tray-missing", PRINTER_STATUS_PAPER_PROBLEM},
    {"offline", PRINTER_STATUS_OFFLINE},
    {"shutdown", PRINTER_STATUS_OFFLINE},
    {"timed-out", PRINTER_STATUS_NOT_AVAILABLE},
    {"output-area-full", PRINTER_STATUS_OUTPUT_BIN_FULL},
    {"toner-low", PRINTER_STATUS_TONER_LOW},
    {"marker-supply-low", PRINTER_STATUS_TONER_LOW},
    {"toner-empty", PRINTER_STATUS_NO_TONER},
    {"marker-supply-empty", PRINTER_STATUS_NO_TONER},
    {"cover-open", PRINTER_STATUS_DOOR_OPEN},
    {"door-open", PRINTER_STATUS_DOOR_OPEN},
    {"interlock-open", PRINTER_STATUS_DOOR_OPEN},
    {"spool-area-full", PRINTER_STATUS_OUT_OF_MEMORY},
};

bool StripSuffix(std::string_view* s, std::string_view suffix) {
  if (s->size() <= suffix.size() || s->substr(s->size() - suffix.size()) != suffix) return false;
  s->remove_suffix(suffix.size());
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

uint32_t PrinterStateBits::From(int state, std::string_view reasons) {
  uint32_t bits = 0;
  bool paused = false;
  while (!reasons.empty()) {
    size_t comma = reasons.find(',');
    std::string_view reason = Trim(reasons.substr(0, comma));
    reasons = comma == std::string_view::npos ? std::string_view() : reasons.substr(comma + 1);
    bool error = StripSuffix(&reason, "-error");
    if (!error && !StripSuffix(&reason, "-warning")) StripSuffix(&reason, "-report");
    if (reason == "paused") {
      paused = true;
      continue;
    }
    bool known = false;
    for (const Reason& r : kReasons) {
      if (reason == r.keyword) {
        bits |= r.bits;
        known = true;
      }
    }
    if (!known && error) bits |= PRINTER_STATUS_ERROR;
  }
  if (state == 5) bits |= paused ? PRINTER_STATUS_PAUSED : PRINTER_STATUS_ERROR;
  if (state == 4) bits |= PRINTER_STATUS_PRINTING;
  return bits;
}

}  // namespace spooler
