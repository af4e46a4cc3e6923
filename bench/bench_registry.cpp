// A palette read as the store does it: one OpenKey, then GetNumber for every
// colour name C001..C999, of which only 20 exist. Run on the SQLite hive, on
// the in-memory hive and on the server hive (a throwaway local server started
// for the run); the file hive should stay under 100 µs and within 1.5x of
// memory, which holds only while opening a key reads all its values at once.
// The server hive reports its round trips per palette read. Run with
// --benchmark_repetitions=10 for medians.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/registry/MemoryHive.h"
#include "platform/registry/PgHive.h"
#include "platform/registry/MeraRegKey.h"
#include "platform/registry/Registry.h"
#include "platform/registry/SqliteHive.h"
#include "tests/platform/registry/PgSandbox.h"

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

void BM_PaletteProbe_Postgres(benchmark::State& state) {
  std::string cause;
  PgSandbox* server = SharedPgSandbox(&cause);
  registry::RegError err;
  if (!server || !server->Sql("DROP SCHEMA IF EXISTS quorprn CASCADE", &cause) ||
      !registry::InitPgHive(server->Uri(), &err)) {
    state.SkipWithError(("no throwaway server: " + cause + err.message).c_str());
    return;
  }
  auto hive = registry::OpenPgHive(server->Uri());
  registry::Registry::UseHive(hive);
  Fill();
  int64_t before = registry::PgHiveRoundTrips(*hive);
  ProbePalette(state);
  if (state.iterations() > 0)
    state.counters["round_trips_per_read"] =
        static_cast<double>(registry::PgHiveRoundTrips(*hive) - before) / static_cast<double>(state.iterations());
  registry::Registry::Reset();
}

// How soon a reader that trusts its cache (no recheck of the change counter)
// sees another client's commit: the time from the writer's commit to the
// first read that shows it, carried by the server's notification alone.
void BM_OtherClientsCommitSeen_Postgres(benchmark::State& state) {
  std::string cause;
  PgSandbox* server = SharedPgSandbox(&cause);
  registry::RegError err;
  if (!server || !server->Sql("DROP SCHEMA IF EXISTS quorprn CASCADE", &cause) ||
      !registry::InitPgHive(server->Uri(), &err)) {
    state.SkipWithError(("no throwaway server: " + cause + err.message).c_str());
    return;
  }
  auto writer = registry::OpenPgHive(server->Uri());
  auto reader = registry::OpenPgHive(server->Uri(), {.recheckMs = 3600 * 1000});
  writer->CreateKey(kColors, &err);
  int32_t n = 0;
  int64_t stale = 0;
  for (auto _ : state) {
    writer->SetValue(kColors, "N", registry::RegValue::Number(++n), &err);
    auto start = std::chrono::steady_clock::now();
    for (;;) {
      registry::KeySnapshot snap;
      int32_t seen = 0;
      if (reader->ReadKey(kColors, false, &snap, &err) && snap.Find("N") && snap.Find("N")->value.AsNumber(&seen) &&
          seen == n)
        break;
      ++stale;
    }
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  if (state.iterations() > 0)
    state.counters["stale_reads_per_change"] = static_cast<double>(stale) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_PaletteProbe_Memory)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaletteProbe_Sqlite)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaletteProbe_Postgres)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OtherClientsCommitSeen_Postgres)->Unit(benchmark::kMicrosecond)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
