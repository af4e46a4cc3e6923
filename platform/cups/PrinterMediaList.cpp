#include "platform/cups/PrinterMediaList.h"

#include "platform/cups/MediaSourceBins.h"
#include "platform/cups/PaperNumbers.h"
#include "platform/cups/UserRangeNumbers.h"

namespace spooler {
namespace {

// DMDUP_* for a "sides" keyword; 0 for one the platform has no number for.
int16_t SidesNumber(std::string_view keyword) {
  if (keyword == "one-sided") return 1;
  if (keyword == "two-sided-long-edge") return 2;
  if (keyword == "two-sided-short-edge") return 3;
  return 0;
}

}  // namespace

bool PrinterMediaList::Taken(const std::vector<Entry>& list, uint16_t number) const {
  for (const Entry& e : list) {
    if (e.number == number) return true;
  }
  return false;
}

void PrinterMediaList::AddPaper(std::string_view keyword, int width, int length, std::string_view localized) {
  std::string base = PaperNumbers::Base(keyword);
  if (base.empty()) return;
  for (const Entry& e : papers_) {
    if (e.keyword == base) return;
  }
  Entry entry;
  entry.keyword = base;
  int16_t number = PaperNumbers::ForMedia(base, width, length);
  if (number > 0 && !Taken(papers_, static_cast<uint16_t>(number))) {
    entry.number = static_cast<uint16_t>(number);
    // CUPS's catalogues name few papers (the Japanese one none): where it
    // answers a mere size, the table's "A4" reads better, and whatever CUPS
    // added after the size (" (Borderless)") is kept.
    size_t size = PaperNumbers::SizePrefix(localized);
    if (localized.empty()) {
      entry.name = PaperNumbers::Name(number);
    } else if (size > 0) {
      entry.name = PaperNumbers::Name(number) + std::string(localized.substr(size));
    } else {
      entry.name = localized;
    }
  } else {
    entry.number = static_cast<uint16_t>(UserRangeNumbers::Papers().Number(base));
    if (!localized.empty()) {
      entry.name = localized;
    } else if (width > 0 && length > 0) {
      entry.name = PaperNumbers::SizeName(width, length);
    } else {
      entry.name = base;
    }
  }
  papers_.push_back(std::move(entry));
}

void PrinterMediaList::AddBin(std::string_view keyword, std::string_view localized) {
  if (keyword.empty()) return;
  for (const Entry& e : bins_) {
    if (e.keyword == keyword) return;
  }
  Entry entry;
  entry.keyword = keyword;
  entry.number = static_cast<uint16_t>(MediaSourceBins::Number(keyword));
  entry.name = localized.empty() || localized == keyword ? MediaSourceBins::Name(keyword) : std::string(localized);
  bins_.push_back(std::move(entry));
}

void PrinterMediaList::Finish() {
  if (papers_.empty()) AddPaper("iso_a4_210x297mm", 21000, 29700, "");
  if (bins_.empty()) AddBin("auto", "");
  if (!Taken(papers_, static_cast<uint16_t>(defaultPaper_))) defaultPaper_ = static_cast<int16_t>(papers_.front().number);
  if (!Taken(bins_, static_cast<uint16_t>(defaultBin_))) defaultBin_ = static_cast<int16_t>(bins_.front().number);
}

void PrinterMediaList::SetDefaultPaper(std::string_view keyword, int width, int length) {
  std::string base = PaperNumbers::Base(keyword);
  if (base.empty()) return;
  for (const Entry& e : papers_) {
    if (e.keyword == base) {
      defaultPaper_ = static_cast<int16_t>(e.number);
      return;
    }
  }
  // A spelling the printer's list does not use ("A4" from an old option file)
  // still names one of its papers when name or size agree.
  int16_t number = PaperNumbers::ForMedia(base, width, length);
  if (number > 0) defaultPaper_ = number;
}

void PrinterMediaList::SetDefaultBin(std::string_view keyword) {
  if (keyword.empty()) return;
  for (const Entry& e : bins_) {
    if (e.keyword == keyword) {
      defaultBin_ = static_cast<int16_t>(e.number);
      return;
    }
  }
}

void PrinterMediaList::AddSides(std::string_view keyword) {
  if (SidesNumber(keyword) > 1) offersDuplex_ = true;
}

void PrinterMediaList::SetDefaultSides(std::string_view keyword) {
  int16_t number = SidesNumber(keyword);
  if (number == 1 || (number > 1 && offersDuplex_)) defaultDuplex_ = number;
}

void PrinterMediaList::AddColorMode(std::string_view keyword) {
  if (keyword == "color") offersColor_ = true;
}

void PrinterMediaList::SetDefaultColorMode(std::string_view keyword) {
  if (keyword.empty()) return;
  // "auto" prints colour pages in colour on a printer that can.
  bool colour = keyword == "color" || keyword == "auto";
  defaultColor_ = colour && offersColor_ ? 2 : 1;
}

}  // namespace spooler
