// "lookup" (GetPrinterInfoEx, then GetPaperSize) and "default"
// (GetPrinterDefault): the settings lookup exactly as a host calls it, with
// the result code, its meaning and the filled records, with --json also the
// CUPS job options for them (QuorPrnGetCupsOptions); --lp prints only those
// options, as words for lp.
#pragma once

#include <cstdint>
#include <string>

#include "quorprn/QuorPrnRecords.h"
#include "tools/VerbGroup.h"

namespace tools {

class LookupVerbs : public VerbGroup {
 public:
  void Register(CLI::App& app, CommandContext& ctx) override;

 private:
  int Lookup(CommandContext& ctx);
  int Default(CommandContext& ctx);
  int LpWords(CommandContext& ctx, const std::string& templatePath, const QUOR_PRN_PRINTER_INFO_TYPE& printer,
              const QUOR_PRN_FORM_INFO_TYPE& form, const QUOR_PRN_COLOR_INFO_TYPE& color, int32_t code);

  std::string system_, job_, template_, form_;
  uint32_t set_ = 0;
  bool useTemplate_ = false;
  bool lp_ = false;
  int devPaper_ = 0, devBin_ = 0;
  bool hasDevPaper_ = false, hasDevBin_ = false;
};

}  // namespace tools
