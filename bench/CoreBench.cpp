// One benchmark per operation of the main and outline windows, on the largest inputs
// the program accepts. Targets: each operation at most 2 ms (median) on this size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchDesigns.h"
#include "check/NetCheck.h"
#include "drawing/DblPicture.h"
#include "drawing/DblReader.h"
#include "drawing/DblSvg.h"
#include "netlist/ListViews.h"
#include "netlist/NetlistReader.h"
#include "outline/OutlineGenerator.h"
#include "placement/Classification.h"
#include "placement/Coordinates.h"
#include "placement/Grouping.h"
#include "placement/MainParts.h"
#include "placement/PlacementImage.h"
#include "symbol/SymbolAssignment.h"

namespace pcbprep::bench {
namespace {

// The inputs, each built once.
enum Input { kLargest, kWideNets, kDense, kChain };

// The design of an input with its nets loaded and nothing else done yet.
Design& Loaded(Input input) {
  static Design designs[4];
  static bool ready[4] = {};
  Design& d = designs[input];
  if (!ready[input]) {
    switch (input) {
      case kLargest:
        LoadNetlistBytes(d, LargestNetlist());
        break;
      case kWideNets:
        LoadNetlistBytes(d, WideNetsNetlist());
        break;
      case kDense:
        FillDenseNets(d);
        break;
      case kChain:
        FillChainNets(d);
        break;
    }
    ready[input] = true;
  }
  return d;
}

// The skip-net proposal of the load. The chain has no largest net: proposing its
// first net would cut the anchor off from the whole chain.
Text LargestNet(Input input) {
  if (input == kChain) return {};
  const Design& d = Loaded(input);
  int best = 1;
  for (int n = 2; n <= d.NetCount; ++n) {
    if (d.pinCount(n) > d.pinCount(best)) best = n;
  }
  return d.NetTable.at(best, 0);
}

// The design of an input after the whole pre-placement a designer clicks through:
// symbols, classes, main parts, groups and coordinates by main part.
Design& Placed(Input input) {
  static Design designs[4];
  static bool ready[4] = {};
  Design& d = designs[input];
  if (!ready[input]) {
    d = Loaded(input);
    std::vector<Text> combo11;
    ListBoxState list1;
    RunSymbolAssignment(d, DefaultSymbolSizes(), combo11, list1);
    AssignMainParts(d, DefaultSkipNets(LargestNet(input)));
    GroupParts(d, kGroupByHundreds, true, [] { return true; });
    DetermineCoordinates(d, true, false);
    d.BoardSizeX = 160;
    d.BoardSizeY = 100;
    ready[input] = true;
  }
  return d;
}

void ClearColumn(Design& d, int column) {
  for (int i = 1; i <= d.PartCount; ++i) d.PartTable.set(i, column, {});
}

void BM_LoadNetlist(benchmark::State& state, Input input) {
  const std::string bytes = input == kLargest ? LargestNetlist() : WideNetsNetlist();
  Design d;
  for (auto _ : state) {
    LoadResult result = LoadNetlistBytes(d, bytes);
    benchmark::DoNotOptimize(result);
  }
  state.SetLabel(std::to_string(d.NetCount) + " nets");
}
BENCHMARK_CAPTURE(BM_LoadNetlist, largest, kLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadNetlist, wide_nets, kWideNets)->Unit(benchmark::kMicrosecond);

void BM_NetCheck(benchmark::State& state, Input input) {
  const Design& d = Loaded(input);
  for (auto _ : state) {
    NetCheckResult result = RunExtendedNetCheck(d);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK_CAPTURE(BM_NetCheck, largest, kLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NetCheck, wide_nets, kWideNets)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NetCheck, dense, kDense)->Unit(benchmark::kMicrosecond);

// The part table rebuilt from the nets, sorted and given its symbol names.
void BM_SymbolAssignment(benchmark::State& state, Input input) {
  Design d = Loaded(input);
  const SymbolSizes sizes = DefaultSymbolSizes();
  for (auto _ : state) {
    SymbolAssignment result = AssignSymbolNames(d, sizes);
    benchmark::DoNotOptimize(result);
  }
  state.SetLabel(std::to_string(d.PartCount) + " parts");
}
BENCHMARK_CAPTURE(BM_SymbolAssignment, largest, kLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SymbolAssignment, wide_nets, kWideNets)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SymbolAssignment, dense, kDense)->Unit(benchmark::kMicrosecond);

void BM_Classification(benchmark::State& state, Input input) {
  Design d = Placed(input);
  std::vector<Text> combo11;
  for (auto _ : state) {
    state.PauseTiming();
    ClearColumn(d, kPartClass);
    combo11.clear();
    state.ResumeTiming();
    benchmark::DoNotOptimize(ClassifyByPrefix(d, combo11));
  }
}
BENCHMARK_CAPTURE(BM_Classification, largest, kLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Classification, dense, kDense)->Unit(benchmark::kMicrosecond);

void BM_MainParts(benchmark::State& state, Input input) {
  Design d = Placed(input);
  const IgnoreNetList skip = DefaultSkipNets(LargestNet(input));
  for (auto _ : state) {
    state.PauseTiming();
    ClearMainParts(d);
    state.ResumeTiming();
    AssignMainParts(d, skip);
  }
}
BENCHMARK_CAPTURE(BM_MainParts, largest, kLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MainParts, wide_nets, kWideNets)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MainParts, dense, kDense)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MainParts, chain, kChain)->Unit(benchmark::kMicrosecond);

void BM_Grouping(benchmark::State& state, Input input) {
  Design d = Placed(input);
  for (auto _ : state) {
    state.PauseTiming();
    ClearColumn(d, kPartGroup);
    state.ResumeTiming();
    benchmark::DoNotOptimize(GroupParts(d, kGroupByHundreds, true, [] { return true; }));
  }
}
BENCHMARK_CAPTURE(BM_Grouping, largest, kLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Grouping, dense, kDense)->Unit(benchmark::kMicrosecond);

// Coordinates from cleared columns, so every run places every part.
void Coordinates(benchmark::State& state, Input input, bool byMainPart) {
  Design d = Placed(input);
  for (auto _ : state) {
    state.PauseTiming();
    ClearColumn(d, kPartX);
    ClearColumn(d, kPartY);
    state.ResumeTiming();
    CoordinateResult result = DetermineCoordinates(d, byMainPart, !byMainPart);
    benchmark::DoNotOptimize(result);
  }
}
void BM_CoordinatesByMainPart(benchmark::State& state, Input input) {
  Coordinates(state, input, true);
}
void BM_CoordinatesByGroup(benchmark::State& state, Input input) {
  Coordinates(state, input, false);
}
BENCHMARK_CAPTURE(BM_CoordinatesByMainPart, largest, kLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CoordinatesByMainPart, dense, kDense)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CoordinatesByMainPart, chain, kChain)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CoordinatesByGroup, largest, kLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CoordinatesByGroup, dense, kDense)->Unit(benchmark::kMicrosecond);

// Counts the drawing calls, so only the drawing logic is measured.
class CountingCanvas final : public PlacementCanvas {
 public:
  void line(double, double, double, double, CanvasColor) override { ++calls; }
  void circle(double, double, double, CanvasColor) override { ++calls; }
  void text(double, double, TextView) override { ++calls; }
  long calls = 0;
};

void BM_PlacementImage(benchmark::State& state, Input input) {
  const Design& d = Placed(input);
  CountingCanvas canvas;
  for (auto _ : state) DrawPlacementImage(d, canvas);
  benchmark::DoNotOptimize(canvas.calls);
}
BENCHMARK_CAPTURE(BM_PlacementImage, largest, kLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlacementImage, dense, kDense)->Unit(benchmark::kMicrosecond);

// Every step of the outline on, with a board size and all texts filled in.
OutlineSettings FullOutline(CornerTreatment corner) {
  OutlineSettings s;
  s.width = 160;
  s.height = 100;
  s.corner = corner;
  s.boardOrderName = u"PCB-2024-001";
  s.boardNameValue = u"制御基板";
  s.subtitle = true;
  s.subtitleValue = u"REV.A";
  s.comment = true;
  s.commentValue = u"鉛フリー";
  s.metalMaskText = true;
  s.metalMaskTextValue = u"MASK";
  s.filmTitles.fill(true);
  return s;
}

void BM_GenerateDbl(benchmark::State& state, CornerTreatment corner) {
  const OutlineSettings s = FullOutline(corner);
  std::size_t length = 0;
  for (auto _ : state) {
    DblDocument doc = GenerateDbl(s);
    length = doc.text().size();
    benchmark::DoNotOptimize(doc);
  }
  state.SetLabel(std::to_string(length) + " chars");
}
BENCHMARK_CAPTURE(BM_GenerateDbl, square, CornerTreatment::kSquare)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GenerateDbl, rounded, CornerTreatment::kRounded)
    ->Unit(benchmark::kMicrosecond);

// Counts what the outline drawing asks of its canvas.
struct CountingDblCanvas final : DblCanvas {
  std::size_t calls = 0;
  void line(DblPoint, DblPoint, double, DblInk) override { ++calls; }
  void arc(DblPoint, double, double, double, double, DblInk) override { ++calls; }
  void plane(const DblPath& path, DblInk) override { calls += path.size(); }
  void text(DblPoint, double, double, bool, DblInk, TextView) override { ++calls; }
  void via(DblPoint, double, DblInk) override { ++calls; }
};

// What the outline window does on every change of a setting, up to its painter:
// generate the file, read it back and draw it.
void BM_OutlineDrawing(benchmark::State& state, CornerTreatment corner) {
  const OutlineSettings s = FullOutline(corner);
  CountingDblCanvas canvas;
  for (auto _ : state) {
    const DblReadResult read = ReadDbl(GenerateDbl(s).text());
    RenderDbl(read.drawing, canvas);
  }
  benchmark::DoNotOptimize(canvas.calls);
}
BENCHMARK_CAPTURE(BM_OutlineDrawing, square, CornerTreatment::kSquare)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OutlineDrawing, rounded, CornerTreatment::kRounded)
    ->Unit(benchmark::kMicrosecond);

// The same drawing as an SVG document, as outline --svg writes it.
void BM_OutlineSvg(benchmark::State& state) {
  const DblReadResult read = ReadDbl(GenerateDbl(FullOutline(CornerTreatment::kRounded)).text());
  std::size_t length = 0;
  for (auto _ : state) {
    const std::string svg = DblSvgDocument(read.drawing, u"board");
    length = svg.size();
    benchmark::DoNotOptimize(svg.data());
  }
  state.SetLabel(std::to_string(length) + " bytes");
}
BENCHMARK(BM_OutlineSvg)->Unit(benchmark::kMicrosecond);

// A DBL file of one plane whose outline is a polygon of `edges` sides, written in a
// shuffled order with every third side backwards, as a CAD export may list them.
Text PlaneFile(int edges) {
  std::vector<int> order(static_cast<std::size_t>(edges));
  for (int i = 0; i < edges; ++i) order[static_cast<std::size_t>(i)] = i;
  std::mt19937 random(20261209);
  std::shuffle(order.begin(), order.end(), random);
  const auto corner = [edges](int i) { return ArcPoint({100, 100}, 90, 360.0 * i / edges); };
  std::string file = "$GRAPHIC/\r\nGPLANE: LE= 9,AP= 6,NA=,TH= 0,XH= 0,XI= 0,XA= 0/\r\n";
  char record[160];
  for (const int i : order) {
    DblPoint from = corner(i);
    DblPoint to = corner(i + 1);
    if (i % 3 == 0) std::swap(from, to);
    std::snprintf(record, sizeof record,
                  "LINE: LE= 9,AP= 6, NA=, X= %.6f, Y= %.6f, X= %.6f, Y= %.6f/\r\n", from.x, from.y,
                  to.x, to.y);
    file += record;
  }
  file += "EOGPLANE:/\r\n$END\r\n\r\n";
  return FromUtf8(file);
}

// `pcbprep-cli view` of that file after decoding: read, join the plane, write the SVG.
void BM_ViewPlane(benchmark::State& state) {
  const Text file = PlaneFile(static_cast<int>(state.range(0)));
  std::size_t length = 0;
  for (auto _ : state) {
    const DblReadResult read = ReadDbl(file);
    const std::string svg = DblSvgDocument(read.drawing, u"plane");
    length = svg.size();
    benchmark::DoNotOptimize(svg.data());
  }
  state.SetLabel(std::to_string(length) + " bytes");
}
BENCHMARK(BM_ViewPlane)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// List1 rebuilt from every column of a fully placed part table.
void BM_RefreshPartList(benchmark::State& state, Input input) {
  Design d = Placed(input);
  ListBoxState list1;
  for (auto _ : state) {
    RefreshPartList(d, list1, -1);
    benchmark::DoNotOptimize(list1.items.data());
  }
}
BENCHMARK_CAPTURE(BM_RefreshPartList, largest, kLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RefreshPartList, dense, kDense)->Unit(benchmark::kMicrosecond);

// The net lists List3 and List2 after a load.
void BM_NetLists(benchmark::State& state, Input input) {
  const Design& d = Loaded(input);
  for (auto _ : state) {
    auto nets = NetListItems(d);
    auto pins = NetPinListItems(d);
    benchmark::DoNotOptimize(nets.data());
    benchmark::DoNotOptimize(pins.data());
  }
}
BENCHMARK_CAPTURE(BM_NetLists, largest, kLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NetLists, wide_nets, kWideNets)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pcbprep::bench

BENCHMARK_MAIN();
