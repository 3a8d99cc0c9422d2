// The board files of the 20000-part board: the KiCad board with stand-ins for every part,
// and with the footprints of Debian's KiCad libraries where the symbol names map to them.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/BenchDesigns.h"
#include "board/FootprintLibrary.h"
#include "board/KicadBoard.h"
#include "netlist/NetlistReader.h"
#include "placement/Classification.h"
#include "placement/MainParts.h"

namespace pcbprep {
namespace {

// The large board after symbols and main parts. The coordinates by main part spread its
// parts over some 46 m × 10 m, past the 4.2 m KiCad holds (the writer refuses that), so
// the parts stand on a 12 mm grid of 1.8 m × 1.6 m instead, in part-table order.
const Design& PlacedLargeBoard() {
  static const Design design = [] {
    Design d(kLargeCapacity);
    const LoadResult load = LoadNetlistBytes(d, bench::LargeBoardNetlist(), kLargeCapacity);
    AssignSymbolNames(d, bench::DefaultSymbolSizes(), false);
    std::vector<Text> choices;
    ClassifyByPrefix(d, choices);
    AssignMainParts(d, bench::DefaultSkipNets(load.largestNet));
    for (int row = 1; row <= d.partRows(); ++row) {
      d.PartTable.set(row, kPartX, IntText((row - 1) % 150 * 12));
      d.PartTable.set(row, kPartY, IntText((row - 1) / 150 * 12));
    }
    return d;
  }();
  return design;
}

void BM_KicadBoard(benchmark::State& state, bool libraries) {
  BoardInput input;
  input.design = &PlacedLargeBoard();
  input.groups = BoardGroups::kByMainPart;
  if (libraries) input.footprintDirs = FootprintLibraryFolders({});
  std::size_t bytes = 0;
  for (auto _ : state) {
    BoardOutput output;
    try {
      output = WriteKicadBoard(input, "large.kicad_pcb");
    } catch (const BoardError& error) {
      state.SkipWithError(ToUtf8(error.message).c_str());
      return;
    }
    bytes = output.files[0].bytes.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK_CAPTURE(BM_KicadBoard, stubs, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KicadBoard, libraries, true)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pcbprep

BENCHMARK_MAIN();
