#include "tools/DialogVerb.h"

namespace tools {

CLI::App* DialogVerb(CLI::App& app) {
  const auto found = app.get_subcommands([](CLI::App* sub) { return sub->get_name() == "dialog"; });
  if (!found.empty()) return found.front();
  CLI::App* dialog = app.add_subcommand("dialog", "open one of the library's dialogs on the chosen hive (needs a display)");
  dialog->require_subcommand(1);
  return dialog;
}

}  // namespace tools
