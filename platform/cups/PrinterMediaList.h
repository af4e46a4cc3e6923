// One printer's papers and bins as the spooler interface answers them: the
// platform's numbers and UTF-8 names in the printer's order, built entry by
// entry from what CUPS reports, plus the printer's default paper and bin, and
// whether it offers two-sided and colour printing.
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

  // The printer's "sides" and "print-color-mode" keywords, supported and
  // default (the user's options set the default last). It offers two-sided
  // printing when it supports a two-sided keyword, colour when it supports
  // "color"; a default it does not offer is ignored.
  void AddSides(std::string_view keyword);
  void SetDefaultSides(std::string_view keyword);
  void AddColorMode(std::string_view keyword);
  void SetDefaultColorMode(std::string_view keyword);
  bool OffersDuplex() const { return offersDuplex_; }
  bool OffersColor() const { return offersColor_; }
  // DMDUP_* and DMCOLOR_*: one-sided and monochrome until a default is set.
  int16_t DefaultDuplex() const { return defaultDuplex_; }
  int16_t DefaultColor() const { return defaultColor_; }

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
  bool offersDuplex_ = false;
  bool offersColor_ = false;
  int16_t defaultDuplex_ = 1;
  int16_t defaultColor_ = 1;
};

}  // namespace spooler
