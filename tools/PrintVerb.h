// "print": looks a form up as a host would, turns the answer into CUPS job
// options and submits a document (PDF, PostScript or text) with them to the
// answer's printer through the spooler component. A job is submitted only
// when every stored setting could be honoured; a fallback answer (140 to 143)
// still prints and says so.
#pragma once

#include <cstdint>
#include <string>

#include "tools/VerbGroup.h"

namespace tools {

class PrintVerb : public VerbGroup {
 public:
  void Register(CLI::App& app, CommandContext& ctx) override;

 private:
  int Print(CommandContext& ctx);

  std::string system_, job_, template_, form_, file_, title_;
  uint32_t set_ = 0;
  int copies_ = 1;
};

}  // namespace tools
