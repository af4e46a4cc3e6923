// The CUPS backend of the spooler component: the machine's real printers,
// through libcups on a connection of its own with a bounded wait.
#pragma once

#include <memory>

#include "platform/spooler/SpoolerBackend.h"

namespace spooler {

std::shared_ptr<SpoolerBackend> OpenCupsSpooler();

}  // namespace spooler
