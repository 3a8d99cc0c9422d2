#pragma once

#include <string>

#include "design/Design.h"
#include "placement/MainParts.h"
#include "symbol/SymbolAssignment.h"

namespace pcbprep::bench {

// Inputs of the benchmarks. Every generator is deterministic for a seed, so two runs
// measure the same work.

// The largest netlist the reader accepts: 1000 one-pin nets ("NAME[REF-PIN]", two
// line slots each) on exactly 2000 line slots, with 1000 distinct parts of realistic
// prefixes in shuffled order. Code page 932 bytes, CR LF lines.
std::string LargestNetlist(unsigned seed = 1);

// Three 399-pin supply nets (400 slots each) and one-pin nets on the remaining 800
// slots: 403 nets and nearly 1600 pins.
std::string WideNetsNetlist(unsigned seed = 1);

// A board as a designer draws it, within the reader's limits: `parts` parts numbered
// by schematic sheet, ICs and connectors with many pins, VCC and GND, and signal nets
// of two to four pins within each sheet. For the README's pictures.
std::string BoardNetlist(int parts = 300, unsigned seed = 1);

// A board past the standard tables, for the large ones: `parts` parts on sheets of 250,
// ICs of 16 to 58 pins and connectors of 10 to 30, a GND of a quarter of the IC pins
// (about 19000 pins for 20000 parts), six supply rails and signal nets of two to four
// pins within each sheet: about 27000 nets and 110000 pins for 20000 parts.
std::string LargeBoardNetlist(int parts = 20000, unsigned seed = 1);

// What the reader's slot limit cannot express: a dense board filled straight into the
// net tables. 1000 nets and 1000 parts: two supply nets of 399 pins (VCC, GND), the
// others signal nets of 2 to 5 pins, every part on at least one signal net.
void FillDenseNets(Design& design, unsigned seed = 1);

// The deepest spreading: one main part and 999 sub parts in a chain of two-pin nets,
// so the anchor reaches the last part only after 999 steps.
void FillChainNets(Design& design);

// The size boxes as the main window starts.
SymbolSizes DefaultSymbolSizes();

// The skip-net boxes after a load: the largest net in element 0, VCC in element 4 and
// GND in element 9 as the window starts.
IgnoreNetList DefaultSkipNets(const Text& largestNet);

}  // namespace pcbprep::bench
