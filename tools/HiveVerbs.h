// "hive init URI" (create the office-wide hive's tables on a server, or a
// hive file) and "hive copy FROM TO" (a whole hive between any two kinds).
// Hive locations are shown without their passwords.
#pragma once

#include <string>

#include "tools/VerbGroup.h"

namespace tools {

class HiveVerbs : public VerbGroup {
 public:
  void Register(CLI::App& app, CommandContext& ctx) override;

 private:
  int Init(CommandContext& ctx);
  int Copy(CommandContext& ctx);

  std::string initLocation_;
  std::string from_, to_;
  bool replace_ = false;
};

}  // namespace tools
