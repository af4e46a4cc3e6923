// Chooses the spooler backend for the process, once: explicitly through
// UseBackend / UseJsonFile / UseCups (hosts, tests, the command's --spooler),
// else from QUORPRN_SPOOLER ("cups", or a path to a JSON file), else CUPS.
#pragma once

#include <memory>
#include <string>

#include "platform/spooler/SpoolerBackend.h"

namespace spooler {

class Spooler {
 public:
  static void UseBackend(std::shared_ptr<SpoolerBackend> backend);
  // A virtual spooler described by a JSON file; a file that cannot be read or
  // parsed is reported (file, line, cause) and gives an empty printer list.
  static void UseJsonFile(const std::string& path);
  static void UseCups();
  // The backend in use; chosen from the environment on first use.
  static std::shared_ptr<SpoolerBackend> Current();
  static void Reset();
};

}  // namespace spooler
