// One printer's papers and bins as the spooler interface answers them: the
// platform's numbers and UTF-8 names in the printer's order, built entry by
// entry from what CUPS reports, plus the printer's default paper and bin.
// Owns its lists; knows nothing of libcups (the CUPS side feeds it keywords,
// sizes and localised names).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace spooler {

class PrinterMediaList {
 public:
  struct Entry {
    uint16_t number = 0;
    std::string keyword;  // the CUPS keyword it came from
    std::string name;     // UTF-8
  };

  // A paper: its media keyword, size in hundredths of a millimetre, and the
  // name CUPS gives it (empty when none). A keyword already listed is ignored;
  // a paper whose number another entry already took gets a user-range number
  // of its own, so that every number names one paper.
  void AddPaper(std::string_view keyword, int width, int length, std::string_view localized);
  // A bin: its media-source keyword and the name CUPS gives it (empty, or the
  // keyword itself, when CUPS has none).
  void AddBin(std::string_view keyword, std::string_view localized);
  // Called once everything is added and the defaults are set. A printer that
  // reported no papers (a raw queue) still answers A4, and one without bins
  // answers automatic selection: an empty list would leave the lookup without
  // any paper or bin to fall back on. A default the lists do not hold becomes
  // their first entry, so that the device settings always name a listed one.
  void Finish();

  // The default paper and bin by keyword, as the printer or the user's
  // options name them; unknown keywords are matched like a new paper (by
  // name, then size) and leave the lists alone. 0 keeps the current default.
  void SetDefaultPaper(std::string_view keyword, int width, int length);
  void SetDefaultBin(std::string_view keyword);

  const std::vector<Entry>& Papers() const { return papers_; }
  const std::vector<Entry>& Bins() const { return bins_; }
  // A4 and automatic selection until a default is set.
  int16_t DefaultPaper() const { return defaultPaper_; }
  int16_t DefaultBin() const { return defaultBin_; }

 private:
  bool Taken(const std::vector<Entry>& list, uint16_t number) const;

  std::vector<Entry> papers_;
  std::vector<Entry> bins_;
  int16_t defaultPaper_ = 9;
  int16_t defaultBin_ = 7;
};

}  // namespace spooler
