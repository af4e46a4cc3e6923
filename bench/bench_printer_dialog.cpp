// From QuorPrnPrinterDlgOpen to the printer dialog shown (the goal: median
// under 150 ms), with 50 virtual printers, a stored set whose current printer
// is the 25th, and a default palette for the colour variant, on Qt's
// offscreen platform. The time ends when the dialog's event loop first runs,
// i.e. once the window is shown; closing it again is not counted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "meraprn/CPrnDevMode.h"
#include "platform/registry/MemoryHive.h"
#include "platform/registry/MeraRegKey.h"
#include "platform/registry/Registry.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "platform/ui/CYbDialog.h"
#include "platform/ui/UiApplication.h"
#include "quorprn/QuorPrn.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::string kBase = "SOFTWARE\\Olvanet\\Sarvo\\SALES\\DAILY\\Print";

std::string PrinterName(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "Printer %02d", i);
  return name;
}

void Setup() {
  registry::Registry::UseHive(std::make_shared<registry::MemoryHive>());
  std::string json = "{\"default\": \"Printer 01\", \"printers\": [";
  for (int i = 1; i <= 50; ++i) {
    if (i > 1) json += ",";
    json += "{\"name\": \"" + PrinterName(i) + "\", \"port\": \"lpt1:\", \"driver\": \"Driver " + std::to_string(i) +
            "\", \"location\": \"Floor " + std::to_string(i % 5) + "\", \"devmode\": {\"paper\": 9, \"bin\": 7}," +
            "\"papers\": [[9, \"A4\"], [8, \"A3\"]], \"bins\": [[7, \"Auto Select\"], [1, \"Tray 1\"]]}";
  }
  spooler::Spooler::UseBackend(spooler::VirtualSpooler::FromJson(json + "]}", "bench"));
  auto key = MeraNewRegKey();
  key->CreateKey(HKEY_LOCAL_MACHINE, kBase + "\\PrinterSet00");
  key->SetText("CurrentPrinter", PrinterName(25));
  for (int i = 1; i <= 50; i += 7) {
    key = MeraNewRegKey();
    key->CreateKey(HKEY_LOCAL_MACHINE, kBase + "\\PrinterSet00\\" + PrinterName(i));
    key->SetNumber("OffsetX", i);
    key->SetNumber("ScaleX", 1000 + i);
  }
  key = MeraNewRegKey();
  key->CreateKey(HKEY_LOCAL_MACHINE, kBase + "\\Colors\\Default");
  for (int i = 1; i <= 16; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "C%03d", i);
    key->SetNumber(name, i * 0x0F0F0F);
  }
}

void OpenToShown(benchmark::State& state) {
  const int32_t withColour = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    CPrnDevMode holder;
    Clock::time_point shown{};
    QTimer::singleShot(0, [&shown] {
      shown = Clock::now();
      if (auto* dlg = qobject_cast<CYbDialog*>(QApplication::activeModalWidget())) dlg->EndDialog(2);
    });
    const auto start = Clock::now();
    const int32_t code = QuorPrnPrinterDlgOpen("SALES", "DAILY", 0, &holder, 0, withColour);
    if (code != QUOR_PRN_CANCEL || shown == Clock::time_point{}) {
      state.SkipWithError("the dialog did not show");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
  }
}
BENCHMARK(OpenToShown)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  // The offscreen platform unless the caller chose one: the numbers are
  // about the library, not about a window system.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (UiApplication::Ensure() != QUOR_PRN_SUCCESS) return 1;
  Setup();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
