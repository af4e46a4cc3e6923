// The process's choice of spooler backend. Guarded by a mutex because hosts
// with worker threads and the concurrency tests may ask from several threads;
// the backend itself is shared, so a swap never frees one still in use.
#include "platform/spooler/Spooler.h"

#include <cstdlib>
#include <mutex>

#include "platform/cups/CupsSpooler.h"
#include "platform/spooler/VirtualSpooler.h"

namespace spooler {
namespace {
std::mutex g_mutex;
std::shared_ptr<SpoolerBackend> g_backend;
}  // namespace

void Spooler::UseBackend(std::shared_ptr<SpoolerBackend> backend) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_backend = std::move(backend);
}

void Spooler::UseJsonFile(const std::string& path) { UseBackend(VirtualSpooler::FromFile(path)); }

void Spooler::UseCups() { UseBackend(OpenCupsSpooler()); }

std::shared_ptr<SpoolerBackend> Spooler::Current() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_backend) {
    const char* env = std::getenv("QUORPRN_SPOOLER");
    std::string choice = env ? env : "";
    if (choice.empty() || choice == "cups")
      g_backend = OpenCupsSpooler();
    else
      g_backend = VirtualSpooler::FromFile(choice);
  }
  return g_backend;
}

void Spooler::Reset() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_backend.reset();
}

}  // namespace spooler
