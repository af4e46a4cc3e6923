// QuorPrnGetCupsOptions: from a lookup's records to the options of a print
// job. The paper and bin numbers are turned back through the printer's own
// list of what it offers (the print-jobs interface of the spooler component);
// a number that is not there is left out rather than matched by size or name,
// since a wrong tray or paper wastes a print run where the printer's default
// merely looks different. Reads the form template, asks the spooler, keeps
// nothing but the set of problems already told.
#include <algorithm>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/PrintJobs.h"
#include "printer/CQuorPrnFormTemplate.h"
#include "printer/QuorPrnDecimal.h"
#include "quorprn/QuorPrn.h"

namespace {

bool Empty(const char* text) { return text == nullptr || *text == '\0'; }

std::string Utf8(const std::string& cp932) { return mbcs::Cp932Converter::ToUtf8Lossy(cp932); }

// A host runs without a console of ours, and prints the same form many times:
// each problem is told once per process.
void TellOnce(const std::string& message) {
  static std::mutex mutex;
  static std::set<std::string> told;
  std::lock_guard<std::mutex> lock(mutex);
  if (told.insert(message).second) std::fprintf(stderr, "quorprn: %s\n", message.c_str());
}

// Tenths of a millimetre as PWG writes millimetres: "210", "182.5".
std::string Millimetres(int32_t tenths) {
  std::string text = std::to_string(tenths / 10);
  if (tenths % 10) text += "." + std::to_string(tenths % 10);
  return text;
}

const std::string* Keyword(const std::vector<std::pair<uint16_t, std::string>>& list, int32_t number) {
  for (const auto& [n, keyword] : list) {
    if (n == number) return &keyword;
  }
  return nullptr;
}

// "custom_WxLmm_WxLmm" for the template's free size, shorter side first (the
// orientation says how the page lies on it); empty, with the reason, when
// there is no size or the printer cannot take it.
std::string CustomSize(const CQuorPrnFormTemplate::Page& page, const spooler::JobChoices& choices,
                       std::string* why) {
  int32_t shorter = std::min(page.fileWidth, page.fileLength);
  int32_t longer = std::max(page.fileWidth, page.fileLength);
  if (shorter <= 0) {
    *why = "the form's template gives no paper width and length";
    return {};
  }
  std::string size = Millimetres(shorter) + "x" + Millimetres(longer) + "mm";
  if (choices.customMaxWidth == 0) {
    *why = "the printer takes no custom size";
    return {};
  }
  // The printer's limits are hundredths of a millimetre.
  if (shorter * 10 < choices.customMinWidth || longer * 10 < choices.customMinLength ||
      shorter * 10 > choices.customMaxWidth || longer * 10 > choices.customMaxLength) {
    *why = "the printer takes no custom size of " + size;
    return {};
  }
  return "custom_" + size + "_" + size;
}

}  // namespace

int32_t QuorPrnGetCupsOptions(const char* templatePath, const QUOR_PRN_PRINTER_INFO_TYPE* printer,
                              const QUOR_PRN_FORM_INFO_TYPE* form, const QUOR_PRN_COLOR_INFO_TYPE* color,
                              std::vector<QUOR_PRN_CUPS_OPTION_TYPE>* options) {
  if (options != nullptr) options->clear();
  if (Empty(templatePath) || printer == nullptr || form == nullptr || options == nullptr ||
      printer->PrinterName.empty() || form->FormName.empty())
    return QUOR_PRN_ERR_ARGUMENT;

  CQuorPrnFormTemplate reader;
  CQuorPrnFormTemplate::Page page;
  if (reader.Read(templatePath, form->FormName, &page) != QUOR_PRN_SUCCESS) return QUOR_PRN_ERR_TEMPLATE;

  spooler::JobChoices choices;
  std::string error;
  switch (spooler::PrintJobs::Choices(printer->PrinterName, &choices, &error)) {
    case spooler::JobStatus::kOk: break;
    case spooler::JobStatus::kUnsupported: return QUOR_PRN_ERR_NO_JOBS;
    case spooler::JobStatus::kNoPrinter: return QUOR_PRN_ERR_NO_PRINTER;
    case spooler::JobStatus::kFailed: return QUOR_PRN_ERR_SPOOLER;
  }
  if (choices.raw) return QUOR_PRN_ERR_RAW_QUEUE;

  const std::string where = "printer \"" + Utf8(printer->PrinterName) + "\", form \"" + Utf8(form->FormName) + "\": ";
  bool leftOut = false;
  auto leave = [&](const std::string& what) {
    TellOnce(where + what + "; left out of the job options");
    leftOut = true;
  };
  auto add = [options](const char* name, std::string value) { options->push_back({name, std::move(value)}); };

  // An empty paper text is no paper, like -1: the printer's own choice.
  const int32_t paper = form->PaperSize.empty() ? -1 : QuorPrnDecimal(form->PaperSize);
  if (paper == 256) {
    std::string why;
    std::string media = CustomSize(page, choices, &why);
    if (media.empty())
      leave("custom paper: " + why);
    else
      add("media", media);
  } else if (paper != -1) {
    if (const std::string* media = Keyword(choices.papers, paper))
      add("media", *media);
    else
      leave("the printer no longer offers paper " + std::to_string(paper) + " (\"" + Utf8(form->PaperName) + "\")");
  }

  const int32_t bin = QuorPrnDecimal(form->Bin);
  if (bin != 0 && !choices.bins.empty()) {
    if (const std::string* source = Keyword(choices.bins, bin))
      add("media-source", *source);
    else
      // No name: for a bin it does not list, the lookup names the default one.
      leave("the printer no longer offers bin " + std::to_string(bin));
  }

  // A free or printer-chosen paper without a size has no orientation of its
  // own; the reader's portrait flag would say landscape for 0 x 0.
  const bool sized =
      (page.paperNo != 256 && page.paperNo != -1) || (page.fileWidth > 0 && page.fileLength > 0);
  if (sized) add("orientation-requested", page.portrait ? "3" : "4");

  if (color != nullptr) {
    if (color->ColorPrint == 0)
      add("print-color-mode", "monochrome");
    else if (choices.color)
      add("print-color-mode", "color");
  }
  add("print-scaling", form->PaperSizeFit != 0 ? "fit" : "none");
  return leftOut ? QUOR_PRN_LEFT_OUT : QUOR_PRN_SUCCESS;
}
