// "dialog": the library's dialogs opened from the command line, one
// subcommand per dialog. Each dialog's subcommand is a verb group of its own
// (DialogPrinterVerb, ...) that hangs itself below the shared verb made here.
#pragma once

#include <CLI/CLI.hpp>

namespace tools {

// The "dialog" subcommand of `app`, made on the first call; later calls give
// the same one.
CLI::App* DialogVerb(CLI::App& app);

}  // namespace tools
