// The main window on Qt's offscreen platform: how long the program takes from main()
// to a shown main window (target: at most 0.5 s), then benchmarks of constructing and
// showing it again and of mirroring a full part list into List1.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/Dialogs.h"
#include "app/MainForm.h"
#include "app/UiSupport.h"
#include "bench/BenchDesigns.h"
#include "netlist/NetlistReader.h"
#include "symbol/SymbolAssignment.h"

namespace {

using namespace pcbprep;
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

void ShowAndSettle(QWidget& window) {
  window.show();
  QApplication::processEvents();
}

void BM_MainFormShow(benchmark::State& state) {
  ScriptedDialogs dialogs;
  for (auto _ : state) {
    MainForm window(dialogs);
    ShowAndSettle(window);
  }
}
BENCHMARK(BM_MainFormShow)->Unit(benchmark::kMillisecond);

// List1 filled from scratch with the 1000 lines of the largest netlist.
void BM_List1Mirror(benchmark::State& state) {
  ScriptedDialogs dialogs;
  MainForm window(dialogs);
  ShowAndSettle(window);
  LoadNetlistBytes(window.design(), bench::LargestNetlist());
  std::vector<Text> combo11;
  ListBoxState list1;
  RunSymbolAssignment(window.design(), bench::DefaultSymbolSizes(), combo11, list1);
  auto* list = window.findChild<QListWidget*>(QStringLiteral("List1"));
  for (auto _ : state) {
    state.PauseTiming();
    list->clear();
    state.ResumeTiming();
    window.refreshPartList(-1);
  }
  state.SetLabel(std::to_string(list->count()) + " lines");
}
BENCHMARK(BM_List1Mirror)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const auto start = Clock::now();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setWindowIcon(AppIcon());
  const auto appReady = Clock::now();
  {
    ScriptedDialogs dialogs;
    auto window = std::make_unique<MainForm>(dialogs);
    ShowAndSettle(*window);
    const auto shown = Clock::now();
    std::printf("startup: application %.1f ms, main window shown %.1f ms after main()\n",
                Milliseconds(appReady - start), Milliseconds(shown - start));
  }
  std::fflush(stdout);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
