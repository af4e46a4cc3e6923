#include "tools/DialogVerb.h"

namespace tools {

CLI::App* DialogVerb(CLI::App& app) {
  for (CLI::App* sub : app.get_subcommands([](CLI::App* a) { return a->get_name() == "dialog"; })) return sub;
  CLI::App* dialog = app.add_subcommand("dialog", "open one of the library's dialogs, as a host application would");
  dialog->require_subcommand(1);
  return dialog;
}

}  // namespace tools
