// A palette read as the store does it: one OpenKey, then GetNumber for every
// colour name C001..C999, of which only 20 exist. Run on the SQLite hive and
// on the in-memory hive; the file hive should stay under 100 µs and within
// 1.5x of memory, which holds only while opening a key reads all its values
// at once. Run with --benchmark_repetitions=10 for medians.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/registry/MemoryHive.h"
#include "platform/registry/MeraRegKey.h"
#include "platform/registry/Registry.h"
#include "platform/registry/SqliteHive.h"

namespace {

const char* kColors = "SOFTWARE\\Olvanet\\Sarvo\\BENCH\\JOB\\Print\\PrinterSet00\\Printer A\\Colors";

std::vector<std::string> ColorNames() {
  std::vector<std::string> names;
  char buf[8];
  for (int i = 1; i <= 999; ++i) {
    std::snprintf(buf, sizeof buf, "C%03d", i);
    names.emplace_back(buf);
  }
  return names;
}

void Fill() {
  auto key = MeraNewRegKey();
  key->CreateKey(HKEY_LOCAL_MACHINE, kColors);
  auto names = ColorNames();
  for (int i = 0; i < 20; ++i) key->SetNumber(names[i], 0x102030 * i);
  key->SetNumber("ColorPrint", 1);
  key->SetNumber("Mode", 0);
}

void ProbePalette(benchmark::State& state) {
  auto names = ColorNames();
  for (auto _ : state) {
    auto key = MeraNewRegKey();
    if (!key->OpenKey(HKEY_LOCAL_MACHINE, kColors, /*write=*/0)) {
      state.SkipWithError("OpenKey failed");
      break;
    }
    int found = 0;
    for (const auto& name : names) {
      int32_t color;
      if (key->GetNumber(name, color)) ++found;
    }
    if (found != 20) {
      state.SkipWithError("wrong number of colours");
      break;
    }
    benchmark::DoNotOptimize(found);
  }
}

void BM_PaletteProbe_Memory(benchmark::State& state) {
  registry::Registry::UseHive(std::make_shared<registry::MemoryHive>());
  Fill();
  ProbePalette(state);
  registry::Registry::Reset();
}

void BM_PaletteProbe_Sqlite(benchmark::State& state) {
  std::string dir = (std::filesystem::temp_directory_path() / "quorprn-bench-XXXXXX").string();
  if (!::mkdtemp(dir.data())) {
    state.SkipWithError("mkdtemp failed");
    return;
  }
  registry::Registry::UseFile(dir + "/registry.db");
  Fill();
  ProbePalette(state);
  registry::Registry::Reset();
  std::filesystem::remove_all(dir);
}

BENCHMARK(BM_PaletteProbe_Memory)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaletteProbe_Sqlite)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
