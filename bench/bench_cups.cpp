// The CUPS backend against a throwaway cupsd (the CUPS tests' sandbox) with N
// queues, half with a PPD and half raw, N = 10 and 200: the printer list, a
// first look at one printer (open it and read its device settings, as
// resolving a stored form does), and that printer's papers and bins through
// the count protocol. Every iteration starts from a fresh backend, as a new
// process does. Counters per iteration: connections opened and IPP requests
// the server answered. Skipped where cupsd is not installed. The whole
// commands beside the print system's own tools: cups_compare.py.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "../tests/platform/cups/CupsdSandbox.h"
#include "platform/cups/CupsSpooler.h"
#include "platform/spooler/WinSpool.h"

namespace {

// One daemon per queue count, started on first use and kept for the run.
const CupsdSandbox* Server(int queues, std::string* error) {
  static std::map<int, std::unique_ptr<CupsdSandbox>> servers;
  auto found = servers.find(queues);
  if (found != servers.end()) return found->second.get();
  auto sandbox = std::make_unique<CupsdSandbox>();
  if (!sandbox->Start(error)) return nullptr;
  setenv("CUPS_SERVER", sandbox->Socket().c_str(), 1);
  setenv("CUPS_SERVERROOT", (sandbox->Folder() + "/etc").c_str(), 1);
  setenv("HOME", (sandbox->Folder() + "/home").c_str(), 1);
  unsetenv("PRINTER");
  unsetenv("LPDEST");
  const std::string ppd = std::string(QUORPRN_SOURCE_DIR) + "/tests/data/cups/laser.ppd";
  for (int i = 0; i < queues; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "Q%03d", i);
    std::vector<std::string> argv = {"lpadmin", "-p", name, "-E", "-v", "file:///dev/null"};
    if (i % 2 == 0) argv.insert(argv.end(), {"-P", ppd});
    if (!sandbox->Run(argv, error)) return nullptr;
  }
  return (servers[queues] = std::move(sandbox)).get();
}

// Runs `body` once per iteration against a daemon with state.range(0) queues
// and reports connections and requests per iteration.
template <class Body>
void AgainstServer(benchmark::State& state, Body body) {
  std::string error;
  const CupsdSandbox* server = CupsdSandbox::FindProgram("cupsd").empty() ? nullptr : Server(state.range(0), &error);
  if (!server) {
    state.SkipWithError(error.empty() ? "cupsd is not installed" : error.c_str());
    return;
  }
  server->UseOnThisThread();
  long connections = spooler::CupsConnectionsOpened();
  long requests = server->Requests();
  for (auto _ : state) {
    auto cups = spooler::OpenCupsSpooler();
    if (!body(*cups, &error)) {
      state.SkipWithError(error.c_str());
      return;
    }
  }
  double n = static_cast<double>(state.iterations());
  state.counters["connections"] = static_cast<double>(spooler::CupsConnectionsOpened() - connections) / n;
  state.counters["requests"] = static_cast<double>(server->Requests() - requests) / n;
}

void PrinterList(benchmark::State& state) {
  AgainstServer(state, [](spooler::SpoolerBackend& cups, std::string* error) {
    std::vector<spooler::PrinterEntry> list;
    bool ok = cups.Enumerate(&list, error);
    benchmark::DoNotOptimize(list.data());
    return ok;
  });
}

void FirstLookup(benchmark::State& state) {
  AgainstServer(state, [](spooler::SpoolerBackend& cups, std::string* error) {
    spooler::PrinterEntry entry;
    return cups.Open("Q000", error) && cups.GetPrinter("Q000", &entry, error);
  });
}

// The count protocol: each capability asked twice (count, then fill).
void PapersAndBins(benchmark::State& state) {
  AgainstServer(state, [](spooler::SpoolerBackend& cups, std::string* error) {
    std::vector<uint16_t> numbers;
    std::vector<std::string> names;
    for (uint16_t capability : {DC_PAPERS, DC_PAPERS, DC_PAPERNAMES, DC_PAPERNAMES, DC_BINS, DC_BINS, DC_BINNAMES,
                                DC_BINNAMES}) {
      if (!cups.Capabilities("Q000", capability, &numbers, &names, error)) return false;
    }
    return true;
  });
}

}  // namespace

BENCHMARK(PrinterList)->Arg(10)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(FirstLookup)->Arg(10)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(PapersAndBins)->Arg(10)->Arg(200)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
