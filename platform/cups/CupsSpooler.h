// The CUPS backend of the spooler component: the machine's real printers,
// through libcups on a connection of its own with a bounded wait.
#pragma once

#include <memory>

#include "platform/spooler/SpoolerBackend.h"

namespace spooler {

std::shared_ptr<SpoolerBackend> OpenCupsSpooler();

// Connections to the CUPS server this process has opened or reopened, for
// measurements.
long CupsConnectionsOpened();

}  // namespace spooler
