#include "tools/DialogVerbs.h"

#include "tools/DialogFormVerb.h"

namespace tools {

DialogVerbs::DialogVerbs() {
  dialogs_.push_back(std::make_unique<DialogFormVerb>());
}

DialogVerbs::~DialogVerbs() = default;

void DialogVerbs::Register(CLI::App& app, CommandContext& ctx) {
  CLI::App* dialog = app.add_subcommand(
      "dialog", "open one of the library's dialogs as a host would (needs a display) and print its result");
  dialog->require_subcommand(1);
  for (auto& d : dialogs_) d->Register(*dialog, ctx);
}

}  // namespace tools
