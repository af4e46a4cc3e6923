// Throughput of the form template reader on a 10 MB template whose wanted
// form is its last section, plain and encoded (bytes per second of file).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/merabase/MeraBpString64.h"
#include "printer/CQuorPrnFormTemplate.h"

namespace {

// Sections of realistic shape (comments, keywords, a field layout) repeated
// until the file reaches `bytes`, then the wanted form.
std::string MakeTemplate(const std::string& path, size_t bytes, bool encode) {
  std::ofstream out(path, std::ios::binary);
  size_t written = 0;
  auto line = [&](const std::string& text) {
    std::string l = encode ? MeraBpStringEncode64(text) : text;
    out << l << "\r\n";
    written += l.size() + 2;
  };
  for (int n = 0; written < bytes; ++n) {
    line("; form " + std::to_string(n) + " of the sales ledger");
    line("/PAGEINF FORM" + std::to_string(n));
    line("FORMATKIND=1");
    line("PAPER=PRN_A4Y");
    line("OFFSET=0,0");
    line("/END");
    line("$REM");
    for (int f = 0; f < 6; ++f)
      line("FIELD" + std::to_string(f) + "=  120, 340, 1800, 60, MS GOTHIC, 10.5, LEFT, NUMBER");
    line("$ENDREM");
    line("   FIELDCOUNT=6");
  }
  line("/PAGEINF WANTED");
  line("PAPER=PRN_FREE");
  line("PAPERWIDTH=2100");
  line("PAPERLENGTH=2970");
  line("/END");
  return path;
}

void Run(benchmark::State& state, bool encode) {
  const auto path = (std::filesystem::temp_directory_path() /
                     (encode ? "quorprn_bench_10mb.TPTX" : "quorprn_bench_10mb.TPT")).string();
  MakeTemplate(path, 10u * 1000u * 1000u, encode);
  const auto size = std::filesystem::file_size(path);
  for (auto _ : state) {
    CQuorPrnFormTemplate reader;
    CQuorPrnFormTemplate::Page page;
    if (reader.Read(path, "WANTED", &page) != 1 || page.paperNo != 256) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(page);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
  std::filesystem::remove(path);
}

void BM_TemplatePlain10MB(benchmark::State& state) { Run(state, false); }
void BM_TemplateEncoded10MB(benchmark::State& state) { Run(state, true); }

}  // namespace

BENCHMARK(BM_TemplatePlain10MB)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TemplateEncoded10MB)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
