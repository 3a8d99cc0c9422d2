#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/Cli.h"
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "netlist/ListViews.h"

namespace pcbprep::cli {

CLI::App* AddNetsCommand(CLI::App& app, NetsOptions& options) {
  auto* command = app.add_subcommand("nets", "Print the nets and pins of a netlist (any format)");
  command->footer(
      "Per net the name, pin count, pin tokens, part references and pin numbers; then the\n"
      "pin total, the net count, OK (or OVR above 2000 pins, with --large above 1000000)\n"
      "and the largest net, which the\n"
      "window proposes as the first net to skip. Exit codes: 0 done, 2 error.");
  command->add_option("NETLIST", options.netlist, kNetlistHelp)->type_name("FILE")->required();
  command->add_flag("--json", options.json, "print JSON instead of text");
  AddLargeOption(*command, options.large);
  return command;
}

int RunNets(const NetsOptions& options, std::ostream& out, std::ostream& err) {
  Design design;
  const LoadResult result = LoadOrFail(design, options.netlist, options.large, err);

  if (options.json) {
    nlohmann::ordered_json nets = nlohmann::ordered_json::array();
    for (int n = 1; n <= design.NetCount; ++n) {
      nlohmann::ordered_json tokens = nlohmann::ordered_json::array();
      nlohmann::ordered_json refs = nlohmann::ordered_json::array();
      nlohmann::ordered_json pins = nlohmann::ordered_json::array();
      for (const int c : design.pinColumns(n)) {
        tokens.push_back(ToUtf8(design.NetTable.at(n, c)));
        refs.push_back(ToUtf8(design.PinPartTable.at(n, c)));
        pins.push_back(ToUtf8(design.PinNoTable.at(n, c)));
      }
      nets.push_back({{"row", n},
                      {"name", ToUtf8(design.NetTable.at(n, kNetName))},
                      {"pinCount", design.pinCount(n)},
                      {"tokens", tokens},
                      {"references", refs},
                      {"pinNumbers", pins}});
    }
    const NetlistDropped& dropped = result.dropped;
    nlohmann::ordered_json parts = nlohmann::ordered_json::array();
    for (const SchematicPart& part : design.SchematicParts) {
      parts.push_back({{"reference", ToUtf8(part.reference)},
                       {"value", ToUtf8(part.value)},
                       {"footprint", ToUtf8(part.footprint)}});
    }
    nlohmann::ordered_json doc = {{"file", options.netlist},
                                  {"format", NetlistFormatId(result.format)},
                                  {"encoding", result.utf8 ? "UTF-8" : "CP932"},
                                  {"dropped",
                                   {{"flagPins", dropped.flagPins},
                                    {"emptyNets", dropped.emptyNets},
                                    {"unconnectedNets", dropped.unconnectedNets},
                                    {"unconnectedPins", dropped.unconnectedPins}}},
                                  {"netCount", design.NetCount},
                                  {"pinTotal", result.totalPins},
                                  {"status", ToUtf8(result.status)},
                                  {"largestNet", ToUtf8(result.largestNet)},
                                  {"nets", nets},
                                  {"parts", parts}};
    out << JsonOutput(doc) << "\n";
    return kExitOk;
  }

  // The net list as List3 shows it, then each net with its pins.
  for (const Text& line : NetListItems(design)) out << ToUtf8(line) << "\n";
  out << "\n";
  for (int n = 1; n <= design.NetCount; ++n) {
    out << ToUtf8(design.NetTable.at(n, kNetName)) << "\n";
    for (const int c : design.pinColumns(n)) {
      out << "        " << ToUtf8(design.NetTable.at(n, c)) << "\t"
          << ToUtf8(design.PinPartTable.at(n, c)) << "\t" << ToUtf8(design.PinNoTable.at(n, c))
          << "\n";
    }
  }
  out << "\nPIN数: " << result.totalPins << "\nネット数: " << design.NetCount
      << "\n呼込: " << ToUtf8(result.status) << "\n最大ネット: " << ToUtf8(result.largestNet)
      << "\n";
  return kExitOk;
}

}  // namespace pcbprep::cli
