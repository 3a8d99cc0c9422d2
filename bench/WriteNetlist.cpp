// Writes a generated benchmark netlist to a file, for the whole-process measurements.
//   pcbprep_bench_netlist largest|wide_nets|board|large OUT.NET [SEED [PARTS]]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/BenchDesigns.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s largest|wide_nets|board|large OUT.NET [SEED [PARTS]]\n",
                 argv[0]);
    return 2;
  }
  const std::string kind = argv[1];
  const unsigned seed = argc > 3 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : 1;
  std::string bytes;
  if (kind == "largest") {
    bytes = pcbprep::bench::LargestNetlist(seed);
  } else if (kind == "wide_nets") {
    bytes = pcbprep::bench::WideNetsNetlist(seed);
  } else if (kind == "board") {
    bytes = pcbprep::bench::BoardNetlist(300, seed);
  } else if (kind == "large") {
    const int parts = argc > 4 ? std::atoi(argv[4]) : 20000;
    bytes = pcbprep::bench::LargeBoardNetlist(parts, seed);
  } else {
    std::fprintf(stderr, "unknown netlist kind: %s\n", kind.c_str());
    return 2;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << bytes;
  return out ? 0 : 1;
}
