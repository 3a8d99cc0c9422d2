// The main window on Qt's offscreen platform: how long the program takes from main()
// to a shown main window (target: at most 0.5 s), then benchmarks of constructing and
// showing it again, of mirroring a full part list into List1, and of each command as
// the user meets it: the handler and the repaint that follows (target: at most 100 ms
// each on the largest netlist and on a 1000-part design).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/Dialogs.h"
#include "app/Form2.h"
#include "app/Form3.h"
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

// --- Commands of the main window, timed with the repaint they cause ---

// kLargeBoard: the 20000-part board of the large tables (bench::LargeBoardNetlist).
enum Input { kLargest, kWideNets, kDense, kLargeBoard };

void Settle() {
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The netlist file of an input, written once into a folder that lives for the run.
QString NetlistFile(Input input) {
  static QTemporaryDir dir;
  static std::map<Input, QString> paths;
  if (paths.count(input) == 0) {
    const std::string bytes = input == kLargest      ? bench::LargestNetlist()
                              : input == kLargeBoard ? bench::LargeBoardNetlist()
                                                     : bench::WideNetsNetlist();
    const QString path = dir.filePath(input == kLargest      ? "largest.NET"
                                      : input == kLargeBoard ? "large_board.NET"
                                                             : "wide_nets.NET");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
      file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    paths[input] = path;
  }
  return paths[input];
}

// One shown main window per input, after the flow a designer clicks through: the
// netlist opened (or, for the dense board, filled into the tables), checked, symbols
// assigned, main parts and coordinates by main part.
ScriptedDialogs& WindowDialogs() {
  static ScriptedDialogs dialogs;
  return dialogs;
}

// Closed at the end of main(), while the application still exists.
std::map<Input, std::unique_ptr<MainForm>>& Windows() {
  static std::map<Input, std::unique_ptr<MainForm>> windows;
  return windows;
}

// A shown window with the input loaded: the netlist opened, or the dense board filled
// into the tables.
std::unique_ptr<MainForm> LoadedWindow(Input input, ScriptedDialogs& dialogs) {
  auto window = std::make_unique<MainForm>(dialogs);
  window->show();
  if (input == kDense) {
    bench::FillDenseNets(window->design());
  } else {
    dialogs.fileAnswers.push_back(NetlistFile(input));
    if (input == kLargeBoard) dialogs.confirmAnswers.push_back(true);  // the large tables
    window->mnOpenClick();
  }
  return window;
}

MainForm& Window(Input input) {
  auto& window = Windows()[input];
  if (!window) {
    window = LoadedWindow(input, WindowDialogs());
    window->command7Click();
    window->command1Click();
    window->command6Click();
    window->command5Click(1);
    Settle();
  }
  return *window;
}

void BM_WindowOpen(benchmark::State& state, Input input) {
  ScriptedDialogs dialogs;
  MainForm window(dialogs);
  ShowAndSettle(window);
  for (auto _ : state) {
    state.PauseTiming();
    dialogs.fileAnswers.push_back(NetlistFile(input));
    if (input == kLargeBoard) dialogs.confirmAnswers.push_back(true);
    state.ResumeTiming();
    window.mnOpenClick();
    Settle();
  }
  state.SetLabel(std::to_string(window.design().NetCount) + " nets");
}
BENCHMARK_CAPTURE(BM_WindowOpen, largest, kLargest)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowOpen, wide_nets, kWideNets)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowOpen, large_board, kLargeBoard)->Unit(benchmark::kMillisecond);

// The open until the raw view holds the whole file, which it takes in a slice per turn
// of the event loop; "longest_turn_ms" is the longest the window did not answer.
void BM_WindowOpenWhole(benchmark::State& state, Input input) {
  ScriptedDialogs dialogs;
  MainForm window(dialogs);
  ShowAndSettle(window);
  double longest = 0;
  for (auto _ : state) {
    state.PauseTiming();
    dialogs.fileAnswers.push_back(NetlistFile(input));
    if (input == kLargeBoard) dialogs.confirmAnswers.push_back(true);
    state.ResumeTiming();
    QElapsedTimer turn;
    turn.start();
    window.mnOpenClick();
    Settle();
    longest = std::max(longest, static_cast<double>(turn.nsecsElapsed()) / 1e6);
    while (window.rawTextFilling()) {
      turn.restart();
      QApplication::processEvents();
      longest = std::max(longest, static_cast<double>(turn.nsecsElapsed()) / 1e6);
    }
  }
  state.counters["longest_turn_ms"] = longest;
}
BENCHMARK_CAPTURE(BM_WindowOpenWhole, large_board, kLargeBoard)->Unit(benchmark::kMillisecond);

// Times `command` on the window of an input, after `prepare` (untimed) has set up what
// the command changes.
void TimeCommand(benchmark::State& state, Input input,
                 const std::function<void(MainForm&)>& prepare,
                 const std::function<void(MainForm&)>& command) {
  MainForm& window = Window(input);
  for (auto _ : state) {
    state.PauseTiming();
    prepare(window);
    Settle();
    state.ResumeTiming();
    command(window);
    Settle();
  }
}

// Empties columns of every part and shows the list so, as before the command.
std::function<void(MainForm&)> Emptied(std::vector<int> columns) {
  return [columns](MainForm& window) {
    for (int i = 1; i <= window.design().PartCount; ++i) {
      for (int column : columns) window.design().PartTable.set(i, column, {});
    }
    window.refreshPartList(-1);
  };
}

void BM_WindowNetCheck(benchmark::State& state, Input input) {
  TimeCommand(
      state, input, [](MainForm&) {}, [](MainForm& w) { w.command7Click(); });
}
BENCHMARK_CAPTURE(BM_WindowNetCheck, largest, kLargest)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowNetCheck, dense, kDense)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowNetCheck, large_board, kLargeBoard)->Unit(benchmark::kMillisecond);

// Symbol assignment rebuilds PartTable, List1 and the table view. Each run starts
// from a window that has only just loaded its netlist: a second assignment in the same
// window appends the main and semi parts to the Combo11 chooser again, so its cost
// would grow with the number of runs.
void BM_WindowSymbols(benchmark::State& state, Input input) {
  ScriptedDialogs dialogs;
  int parts = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto window = LoadedWindow(input, dialogs);
    Settle();
    state.ResumeTiming();
    window->command1Click();
    Settle();
    state.PauseTiming();
    parts = window->design().PartCount;
    window.reset();
    Settle();
    state.ResumeTiming();
  }
  state.SetLabel(std::to_string(parts) + " parts");
}
BENCHMARK_CAPTURE(BM_WindowSymbols, largest, kLargest)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowSymbols, dense, kDense)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowSymbols, large_board, kLargeBoard)->Unit(benchmark::kMillisecond);

void BM_WindowMainParts(benchmark::State& state, Input input) {
  TimeCommand(state, input, Emptied({kPartMain, kPartLevel}),
              [](MainForm& w) { w.command6Click(); });
}
BENCHMARK_CAPTURE(BM_WindowMainParts, largest, kLargest)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowMainParts, dense, kDense)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowMainParts, large_board, kLargeBoard)->Unit(benchmark::kMillisecond);

void BM_WindowCoordinates(benchmark::State& state, Input input) {
  TimeCommand(state, input, Emptied({kPartX, kPartY}), [](MainForm& w) { w.command5Click(1); });
}
BENCHMARK_CAPTURE(BM_WindowCoordinates, largest, kLargest)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowCoordinates, dense, kDense)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowCoordinates, large_board, kLargeBoard)->Unit(benchmark::kMillisecond);

// The placement image window loaded, drawn and shown anew each time.
void BM_WindowPlacementImage(benchmark::State& state, Input input) {
  TimeCommand(
      state, input,
      [](MainForm& w) {
        if (Form2* shown = w.form2()) shown->close();
      },
      [](MainForm& w) { w.command9Click(); });
}
BENCHMARK_CAPTURE(BM_WindowPlacementImage, largest, kLargest)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowPlacementImage, dense, kDense)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowPlacementImage, large_board, kLargeBoard)->Unit(benchmark::kMillisecond);

// The placement image window hidden with 終了 and opened again: it draws the current
// table into the window it has.
void BM_WindowPlacementRedraw(benchmark::State& state, Input input) {
  TimeCommand(
      state, input,
      [](MainForm& w) {
        if (!w.form2()) w.command9Click();
        w.form2()->hide();
      },
      [](MainForm& w) { w.command9Click(); });
}
BENCHMARK_CAPTURE(BM_WindowPlacementRedraw, largest, kLargest)->Unit(benchmark::kMillisecond);

// One change of a setting in the outline window: the file generated, read back and
// drawn beside the settings.
void BM_WindowOutlineSetting(benchmark::State& state) {
  MainForm& window = Window(kLargest);
  window.command14Click();
  auto* outline = window.findChild<Form3*>();
  Settle();
  int width = 100;
  for (auto _ : state) {
    outline->Text4->setText(QString::number(width));
    width = width == 100 ? 120 : 100;
    Settle();
  }
  outline->hide();
}
BENCHMARK(BM_WindowOutlineSetting)->Unit(benchmark::kMillisecond);

// Switching the part list from List1 to the table (表示モード ﾃﾞｰﾀﾍﾞｰｽ).
void BM_WindowTableView(benchmark::State& state, Input input) {
  TimeCommand(
      state, input, [](MainForm& w) { w.option3Click(); }, [](MainForm& w) { w.option4Click(); });
}
BENCHMARK_CAPTURE(BM_WindowTableView, largest, kLargest)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowTableView, dense, kDense)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowTableView, large_board, kLargeBoard)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const auto start = Clock::now();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The large board is opened in the large tables; the remembered entry goes to a
  // folder of the run, not to the user's settings.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
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
  Windows().clear();
  return 0;
}
