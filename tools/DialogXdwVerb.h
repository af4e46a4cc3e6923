// "dialog xdw": the DocuWorks output dialog of a system and job, opened
// through the library's exported entry point as a host opens it.
#pragma once

#include <cstdint>
#include <string>

#include "tools/VerbGroup.h"

namespace tools {

class DialogXdwVerb : public VerbGroup {
 public:
  void Register(CLI::App& app, CommandContext& ctx) override;

 private:
  int Open(CommandContext& ctx);

  std::string system_, job_;
  bool customerFolder_ = false;
  int32_t helpId_ = 0;
};

}  // namespace tools
