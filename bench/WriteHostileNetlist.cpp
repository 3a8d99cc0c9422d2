// Writes a netlist made to cost, of about the largest size the program reads (64 MB),
// for the measurement of bench/measure_hostile.sh: every format, shaped to pass the
// tables far (one net of millions of pins, millions of nets, millions of atoms, a file
// of blank lines).
//   pcbprep_bench_hostile KIND OUT [MEGABYTES]
// KIND: bracket-net, bracket-nets, bracket-blank, kicad-net, kicad-nets, kicad-atoms,
//       legacy-parts, pads-net, pads-nets, pads-blank, allegro-net, allegro-nets
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>

namespace {

struct Shape {
  std::string head;
  std::function<std::string(long)> item;  // the k-th repeated piece
  std::string tail;
};

const std::map<std::string, Shape>& Shapes() {
  const auto n = [](long k) { return std::to_string(k); };
  static const std::map<std::string, Shape> shapes = {
      {"bracket-net", {"N[R0-1\r\n", [n](long k) { return "R" + n(k) + "-1\r\n"; }, "R1-1]\r\n"}},
      {"bracket-nets", {"", [n](long k) { return "N" + n(k) + "[R" + n(k) + "-1]\r\n"; }, ""}},
      {"bracket-blank", {"N[R1-1]\r\n", [](long) { return std::string("\r\n"); }, ""}},
      {"kicad-net",
       {"(export (version \"E\")\n (nets\n  (net (code \"1\") (name \"N\")\n",
        [n](long k) {
          return "   (node (ref \"R" + n(k) + "\") (pin \"1\") (pintype \"passive\"))\n";
        },
        "  )))\n"}},
      {"kicad-nets",
       {"(export (version \"E\")\n (nets\n",
        [n](long k) {
          return "  (net (code \"" + n(k) + "\") (name \"N" + n(k) + "\") (node (ref \"R" + n(k) +
                 "\") (pin \"1\")))\n";
        },
        "))\n"}},
      {"kicad-atoms",
       {"(export (version \"E\") (design ", [](long) { return std::string("x "); }, "))\n"}},
      {"legacy-parts",
       {"( { OrCAD PCB II Netlist Format 2000 }\r\n",
        [n](long k) { return " ( 0 DIP R" + n(k) + " V\r\n  ( 1 N" + n(k % 7) + " )\r\n )\r\n"; },
        ")\r\n"}},
      {"pads-net",
       {"!PADS-POWERPCB-V3.0-MILS!\r\n*NET*\r\n*SIGNAL* N\r\n",
        [n](long k) { return " R" + n(k) + ".1" + (k % 12 == 0 ? "\r\n" : ""); }, "\r\n*END*\r\n"}},
      {"pads-nets",
       {"*PADS-PCB*\r\n*NET*\r\n",
        [n](long k) { return "*SIGNAL* N" + n(k) + "\r\n R" + n(k) + ".1\r\n"; }, "*END*\r\n"}},
      {"pads-blank",
       {"*PADS-PCB*\r\n*NET*\r\n", [](long) { return std::string("\n"); }, "*END*\n"}},
      {"allegro-net",
       {"$PACKAGES\n$NETS\nN ; R0.1,\n", [n](long k) { return " R" + n(k) + ".1,\n"; },
        " R1.1\n$END\n"}},
      {"allegro-nets",
       {"$PACKAGES\n$NETS\n", [n](long k) { return "N" + n(k) + " ; R" + n(k) + ".1\n"; },
        "$END\n"}},
  };
  return shapes;
}

}  // namespace

int main(int argc, char** argv) {
  const auto& shapes = Shapes();
  const auto shape = argc >= 3 ? shapes.find(argv[1]) : shapes.end();
  if (shape == shapes.end()) {
    std::fprintf(stderr, "usage: %s KIND OUT [MEGABYTES]; KIND:", argv[0]);
    for (const auto& [name, s] : shapes) std::fprintf(stderr, " %s", name.c_str());
    std::fprintf(stderr, "\n");
    return 2;
  }
  const long megabytes = argc > 3 ? std::atol(argv[3]) : 64;
  const std::size_t size = static_cast<std::size_t>(megabytes) * 1024 * 1024;
  const Shape& s = shape->second;
  std::string bytes = s.head;
  bytes.reserve(size);
  for (long k = 1;; ++k) {
    const std::string piece = s.item(k);
    if (bytes.size() + piece.size() + s.tail.size() > size) break;
    bytes += piece;
  }
  bytes += s.tail;
  std::ofstream out(argv[2], std::ios::binary);
  out << bytes;
  return out ? 0 : 1;
}
