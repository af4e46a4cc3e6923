// "show SYSTEM JOB [SET]": the stored printer sets as a readable tree (the
// current printer; each printer with offsets, scales and colours; its forms
// with their values), then the job's colour names and presets. Reads only.
#pragma once

#include <cstdint>
#include <string>

#include "tools/VerbGroup.h"

namespace tools {

class ShowVerb : public VerbGroup {
 public:
  void Register(CLI::App& app, CommandContext& ctx) override;

 private:
  int Show(CommandContext& ctx);
  int32_t ShowSet(CommandContext& ctx, const std::string& system, const std::string& job, uint32_t set,
                  nlohmann::json* out);
  void ShowColors(CommandContext& ctx, const std::string& system, const std::string& job);

  std::string system_, job_;
  uint32_t set_ = 0;
  bool hasSet_ = false;
};

}  // namespace tools
