#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "netlist/ListViews.h"

namespace pcbprep::cli {

int RunNets(const NetsOptions& options, std::ostream& out) {
  Design design;
  const LoadResult result = LoadOrFail(design, options.netlist);

  if (options.json) {
    nlohmann::ordered_json nets = nlohmann::ordered_json::array();
    for (int n = 1; n <= design.NetCount; ++n) {
      nlohmann::ordered_json tokens = nlohmann::ordered_json::array();
      nlohmann::ordered_json refs = nlohmann::ordered_json::array();
      nlohmann::ordered_json pins = nlohmann::ordered_json::array();
      for (int c = 2; c <= design.pinCount(n) + 1; ++c) {
        tokens.push_back(ToUtf8(design.NetTable.at(n, c)));
        refs.push_back(ToUtf8(design.PinPartTable.at(n, c)));
        pins.push_back(ToUtf8(design.PinNoTable.at(n, c)));
      }
      nets.push_back({{"row", n},
                      {"name", ToUtf8(design.NetTable.at(n, 0))},
                      {"pinCount", ToUtf8(design.NetTable.at(n, 1))},
                      {"tokens", tokens},
                      {"references", refs},
                      {"pinNumbers", pins}});
    }
    nlohmann::ordered_json doc = {{"file", options.netlist},
                                  {"netCount", design.NetCount},
                                  {"pinTotal", result.totalPins},
                                  {"status", ToUtf8(result.status)},
                                  {"largestNet", ToUtf8(result.largestNet)},
                                  {"nets", nets}};
    out << doc.dump(2) << "\n";
    return 0;
  }

  for (const Text& line : NetListItems(design)) out << ToUtf8(line) << "\n";
  out << "\n";
  for (int n = 1; n <= design.NetCount; ++n) {
    out << ToUtf8(design.NetTable.at(n, 0)) << "\n";
    for (int c = 2; c <= design.pinCount(n) + 1; ++c) {
      out << "        " << ToUtf8(design.NetTable.at(n, c)) << "\t"
          << ToUtf8(design.PinPartTable.at(n, c)) << "\t" << ToUtf8(design.PinNoTable.at(n, c))
          << "\n";
    }
  }
  out << "\nPIN数: " << result.totalPins << "\nネット数: " << design.NetCount
      << "\n呼込: " << ToUtf8(result.status) << "\n最大ネット: " << ToUtf8(result.largestNet)
      << "\n";
  return 0;
}

}  // namespace pcbprep::cli
