// The options saved for one printer with lpoptions, read from the system's
// file (CUPS_SERVERROOT, else /etc/cups) and then the user's
// (~/.cups/lpoptions), so that the user's win. libcups merges them only into
// a full printer listing; asking the server for one printer by name needs
// them merged here, or a printer would read differently depending on which
// way it was found.
#pragma once

#include <string>
#include <vector>

#include <cups/cups.h>

namespace spooler {

class SavedOptions {
 public:
  // Reads both files; a missing one saves nothing.
  SavedOptions();
  // The files' texts as given, system's first (for tests).
  explicit SavedOptions(std::vector<std::string> texts) : texts_(std::move(texts)) {}

  // Adds the options saved for `printer` (UTF-8; not an instance of it) to
  // `options`, replacing options of the same name; answers the new count.
  int Apply(const std::string& printer, int count, cups_option_t** options) const;

  // The printer (or "printer/instance") the user chose as default: LPDEST,
  // else PRINTER unless it is the old "lp", else the last "Default" line of
  // the files; empty when none did. libcups' own answer skips the files.
  static std::string UserDefault();

 private:
  std::vector<std::string> texts_;
};

}  // namespace spooler
