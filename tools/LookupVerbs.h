// "lookup" (GetPrinterInfoEx, then GetPaperSize) and "default"
// (GetPrinterDefault): the settings lookup exactly as a host calls it, with
// the result code, its meaning and the filled records.
#pragma once

#include <cstdint>
#include <string>

#include "tools/VerbGroup.h"

namespace tools {

class LookupVerbs : public VerbGroup {
 public:
  void Register(CLI::App& app, CommandContext& ctx) override;

 private:
  int Lookup(CommandContext& ctx);
  int Default(CommandContext& ctx);

  std::string system_, job_, template_, form_;
  uint32_t set_ = 0;
  bool useTemplate_ = false;
  int devPaper_ = 0, devBin_ = 0;
  bool hasDevPaper_ = false, hasDevBin_ = false;
};

}  // namespace tools
