// "xdw show", "xdw set" and "xdw input-folder": the DocuWorks output settings
// of one system and job, through the library's exported CQuorPrnXdwInfo.
#pragma once

#include <string>
#include <vector>

#include "meraprn/CMeraPrnXdwOutputInfo.h"
#include "tools/VerbGroup.h"

namespace tools {

class XdwVerbs : public VerbGroup {
 public:
  void Register(CLI::App& app, CommandContext& ctx) override;
  // Prints a description as "xdw show" does (also after "dialog xdw").
  static void Describe(CommandContext& ctx, const CMeraPrnXdwOutputInfo& info);

 private:
  int Show(CommandContext& ctx);
  int Set(CommandContext& ctx);
  int InputFolder(CommandContext& ctx);

  std::string system_, job_, file_, folder_, inputFolder_;
  std::vector<std::string> customer_;
  int printType_ = -1, color_ = -1, outputType_ = -1;
  bool folderGiven_ = false;
};

}  // namespace tools
