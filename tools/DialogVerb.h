// The "dialog" verb that the dialog subcommands share ("dialog xdw",
// "dialog printer", ...): each dialog's own verb group adds its subcommand
// below it, so that no group needs to know the others.
#pragma once

#include <CLI/CLI.hpp>

namespace tools {

// The "dialog" subcommand of `app`, made by the first group that asks.
CLI::App* DialogVerb(CLI::App& app);

}  // namespace tools
