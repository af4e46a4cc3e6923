// The settings store on a SQLite hive file: opening a printer set and
// deleting it, for sets of 10 and 100 printers that each carry a custom
// palette of 50 colours and 20 forms. Both should grow linearly with the
// printers: each printer costs a fixed number of key reads or deletions.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/registry/Registry.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "store/CQuorPrnSettingStore.h"

namespace {

constexpr int kColors = 50;
constexpr int kForms = 20;

std::filesystem::path HiveFile() {
  return std::filesystem::temp_directory_path() / "quorprn-bench-store.db";
}

void UseFreshHive() {
  // No installed printers: stored names are the names themselves.
  spooler::Spooler::UseBackend(spooler::VirtualSpooler::FromJson(R"({"printers": []})"));
  std::filesystem::remove(HiveFile());
  registry::Registry::UseFile(HiveFile().string());
}

bool SeedPrinters(int printers) {
  CQuorPrnSettingStore store;
  if (store.RegCreatePrinterSet("BENCH", "JOB", 1) != 1) return false;
  QUOR_PRN_COLOR_INFO_TYPE color;
  color.ColorPrint = 1;
  color.Mode = -1;
  for (int c = 1; c <= kColors; ++c) {
    char name[8];
    std::snprintf(name, sizeof name, "C%03d", c);
    color.Palette.push_back(std::make_unique<MERA_PRN_COLOR_PALETTE_TYPE>(MERA_PRN_COLOR_PALETTE_TYPE{name, c * 1000}));
  }
  for (int p = 0; p < printers; ++p) {
    QUOR_PRN_PRINTER_INFO_TYPE printer;
    printer.PrinterName = "\\\\server\\printer ";
    printer.PrinterName += std::to_string(p);
    printer.OffsetX = p;
    if (store.RegCreatePrinter("BENCH", "JOB", 1, printer, &color) != 1) return false;
    for (int f = 0; f < kForms; ++f) {
      QUOR_PRN_FORM_INFO_TYPE form{"Form " + std::to_string(f), std::string("9"), std::string("A4"), std::string("7"), std::string()};
      if (store.RegCreateForm("BENCH", "JOB", 1, printer.PrinterName.c_str(), form) != 1) return false;
    }
  }
  return true;
}

// Seeding runs as one transaction of the hive: thousands of separately
// synced writes would make the set-up, not the measured operation, the cost.
bool SeedSet(int printers) {
  registry::RegError err;
  return registry::Registry::Current()->Transaction([&](registry::RegError*) { return SeedPrinters(printers); },
                                                    &err);
}

void BM_LoadPrinterSet(benchmark::State& state) {
  const int printers = static_cast<int>(state.range(0));
  UseFreshHive();
  if (!SeedSet(printers)) {
    state.SkipWithError("seeding the hive failed");
    return;
  }
  for (auto _ : state) {
    CQuorPrnSettingStore store;
    const int32_t r = store.LoadPrinterSet("BENCH", "JOB", 1);
    if (r != 141 || static_cast<int>(store.Printers().size()) != printers) {
      state.SkipWithError("LoadPrinterSet did not list the set");
      break;
    }
    benchmark::DoNotOptimize(store.Printers().back()->ColorPalette.size());
  }
  state.counters["printers"] = printers;
}

void BM_RegDeletePrinterSet(benchmark::State& state) {
  const int printers = static_cast<int>(state.range(0));
  UseFreshHive();
  for (auto _ : state) {
    state.PauseTiming();
    if (!SeedSet(printers)) {
      state.SkipWithError("seeding the hive failed");
      break;
    }
    state.ResumeTiming();
    CQuorPrnSettingStore store;
    if (store.RegDeletePrinterSet("BENCH", "JOB", 1) != 1) {
      state.SkipWithError("RegDeletePrinterSet failed");
      break;
    }
  }
  state.counters["printers"] = printers;
}

}  // namespace

BENCHMARK(BM_LoadPrinterSet)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegDeletePrinterSet)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove(HiveFile());
  return 0;
}
