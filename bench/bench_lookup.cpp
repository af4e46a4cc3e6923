// The warm settings lookup (stored set whose printer has colour settings, a
// stored form, a default palette of 16 colours, caches warm) on the SQLite
// hive, on the in-memory hive and on the server hive (a throwaway local
// server started for the run; goal: within 2x the SQLite hive), and the
// spooler calls of a first and of a warm lookup and the server round trips of
// a warm one, reported as counters.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/registry/MemoryHive.h"
#include "platform/registry/PgHive.h"
#include "platform/registry/MeraRegKey.h"
#include "platform/registry/Registry.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "printer/CQuorPrnPrinterInfoManager.h"
#include "quorprn/CQuorPrnPrinterAccess.h"
#include "tests/platform/registry/PgSandbox.h"

namespace fs = std::filesystem;
using VS = spooler::VirtualSpooler;

namespace {

const std::string kBase = "SOFTWARE\\Olvanet\\Sarvo\\SALES\\DAILY";
const std::string kSet = kBase + "\\Print\\PrinterSet00";

const char* kSpooler = R"json({
  "default": "Office Laser",
  "printers": [
    { "name": "Office Laser", "port": "lpt1:", "devmode": { "paper": 9, "bin": 7 },
      "papers": [[9, "A4"], [8, "A3"], [13, "B5 (JIS)"]],
      "bins": [[7, "Auto Select"], [1, "Tray 1"], [2, "Tray 2"]] },
    { "name": "Colour MFP", "port": "ipp://mfp", "devmode": { "paper": 8, "bin": 1 },
      "papers": [[9, "A4"], [8, "A3"]], "bins": [[1, "Upper"], [4, "Manual Feed"]] }
  ]
})json";

void StoreSettings() {
  auto key = MeraNewRegKey();
  key->CreateKey(HKEY_LOCAL_MACHINE, kSet);
  key->SetText("CurrentPrinter", "Colour MFP");
  key = MeraNewRegKey();
  key->CreateKey(HKEY_LOCAL_MACHINE, kSet + "\\Colour MFP");
  key->SetNumber("OffsetX", 12);
  key->SetNumber("ScaleX", 995);
  key = MeraNewRegKey();
  key->CreateKey(HKEY_LOCAL_MACHINE, kSet + "\\Colour MFP\\Colors");
  key->SetNumber("ColorPrint", 1);
  key->SetNumber("Mode", 0);
  key = MeraNewRegKey();
  key->CreateKey(HKEY_LOCAL_MACHINE, kBase + "\\Print\\Colors\\Default");
  for (int i = 1; i <= 16; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "C%03d", i);
    key->SetNumber(name, i * 0x0F0F0F);
  }
  key = MeraNewRegKey();
  key->CreateKey(HKEY_LOCAL_MACHINE, kSet + "\\Colour MFP\\Form\\INVOICE");
  key->SetText("PaperSize", "8");
  key->SetText("PaperName", "A3");
  key->SetText("Bin", "4");
  key->SetNumber("OffsetX", 5);
}

std::string TemplateFile() {
  auto path = (fs::temp_directory_path() / "quorprn_bench_lookup.TPT").string();
  std::ofstream(path, std::ios::binary) << "/PAGEINF INVOICE\r\nPAPER=PRN_A4Y\r\n/END\r\n";
  return path;
}

enum class Hive { Sqlite, Memory, Postgres };

void Run(benchmark::State& state, Hive kind) {
  bool sqlite = kind == Hive::Sqlite;
  fs::path db = fs::temp_directory_path() / "quorprn_bench_lookup.db";
  std::shared_ptr<registry::MemoryHive> memory;
  std::shared_ptr<registry::RegistryHive> server;
  if (sqlite) {
    fs::remove(db);
    registry::Registry::UseFile(db.string());
  } else if (kind == Hive::Postgres) {
    std::string cause;
    PgSandbox* sandbox = SharedPgSandbox(&cause);
    registry::RegError err;
    if (!sandbox || !sandbox->Sql("DROP SCHEMA IF EXISTS quorprn CASCADE", &cause) ||
        !registry::InitPgHive(sandbox->Uri(), &err)) {
      state.SkipWithError(("no throwaway server: " + cause + err.message).c_str());
      return;
    }
    server = registry::OpenPgHive(sandbox->Uri());
    registry::Registry::UseHive(server);
  } else {
    memory = std::make_shared<registry::MemoryHive>();
    registry::Registry::UseHive(memory);
  }
  auto vs = VS::FromJson(kSpooler, "bench");
  spooler::Spooler::UseBackend(vs);
  CQuorPrnPrinterAccess::CacheRefresh();
  StoreSettings();
  const std::string path = TemplateFile();

  CQuorPrnPrinterAccess access;
  QUOR_PRN_PRINTER_INFO_TYPE printer;
  QUOR_PRN_FORM_INFO_TYPE form;
  QUOR_PRN_COLOR_INFO_TYPE color;
  auto lookup = [&] {
    return access.GetPrinterInfoEx("SALES", "DAILY", 0, path.c_str(), "INVOICE", &printer, &form, 0, &color,
                                   nullptr);
  };
  vs->ResetCalls();
  if (lookup() != 1 || color.Palette.size() != 16 || form.BinName != "Manual Feed") {
    state.SkipWithError("the first lookup did not give the stored settings");
    return;
  }
  auto totals = [&] {
    int n = 0;
    for (const char* kind : {VS::kOpen, VS::kGetPrinter, VS::kPapers, VS::kPaperNames, VS::kBins, VS::kBinNames,
                             VS::kEnum, VS::kDefault})
      n += vs->TotalCalls(kind);
    return n;
  };
  state.counters["first_opens"] = vs->TotalCalls(VS::kOpen);
  state.counters["first_paper_name_calls"] = vs->TotalCalls(VS::kPaperNames);
  state.counters["first_bin_calls"] = vs->TotalCalls(VS::kBins) + vs->TotalCalls(VS::kBinNames);
  vs->ResetCalls();
  if (memory) memory->ResetCounts();
  int64_t tripsBefore = server ? registry::PgHiveRoundTrips(*server) : 0;
  for (auto _ : state) benchmark::DoNotOptimize(lookup());
  state.counters["warm_spooler_calls"] = totals();
  if (server && state.iterations() > 0)
    state.counters["round_trips_per_lookup"] = static_cast<double>(registry::PgHiveRoundTrips(*server) - tripsBefore) /
                                               static_cast<double>(state.iterations());
  // What a warm lookup costs the registry: the store probes every colour
  // number of the palette, present or not.
  if (memory && state.iterations() > 0) {
    state.counters["registry_reads_per_lookup"] = static_cast<double>(memory->Count(registry::RegOp::GetNumber) +
                                                                      memory->Count(registry::RegOp::GetText)) /
                                                  static_cast<double>(state.iterations());
    state.counters["key_opens_per_lookup"] = static_cast<double>(memory->Count(registry::RegOp::OpenKey) +
                                                                 memory->Count(registry::RegOp::CreateKey)) /
                                             static_cast<double>(state.iterations());
  }

  spooler::Spooler::Reset();
  registry::Registry::Reset();
  CQuorPrnPrinterAccess::CacheRefresh();
  fs::remove(path);
  if (sqlite) fs::remove(db);
}

void BM_WarmLookupSqliteHive(benchmark::State& state) { Run(state, Hive::Sqlite); }
void BM_WarmLookupMemoryHive(benchmark::State& state) { Run(state, Hive::Memory); }
void BM_WarmLookupPgHive(benchmark::State& state) { Run(state, Hive::Postgres); }

}  // namespace

BENCHMARK(BM_WarmLookupSqliteHive)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_WarmLookupMemoryHive)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_WarmLookupPgHive)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
