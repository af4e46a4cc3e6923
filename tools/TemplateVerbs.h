// "template show FILE FORM" (what the library's template reader decodes for
// a form) and "template encode/decode IN OUT" (plain ".TPT" <-> line-encoded
// ".TPTX"). Files are code page 932 bytes and are converted line by line
// without any change of encoding.
#pragma once

#include <string>

#include "tools/VerbGroup.h"

namespace tools {

class TemplateVerbs : public VerbGroup {
 public:
  void Register(CLI::App& app, CommandContext& ctx) override;

 private:
  int Show(CommandContext& ctx);
  int Code(CommandContext& ctx, bool encode);

  std::string in_, out_, form_;
};

}  // namespace tools
