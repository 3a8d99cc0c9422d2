#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <ostream>

#include "check/NetCheck.h"
#include "cli/Cli.h"
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"

namespace pcbprep::cli {

CLI::App* AddCheckCommand(CLI::App& app, CheckOptions& options) {
  auto* command = app.add_subcommand("check",
                                     "Check a netlist (any format) for open, short, duplicate and "
                                     "isolated pins: report and counts");
  command->footer(
      "Prints the report as the window shows it and the four error counts (open, short,\n"
      "duplicate pin, isolated pin). Exit codes: 0 no findings, 1 findings, 2 the netlist\n"
      "cannot be loaded (the message names the line and the reason) or a bad option.");
  command->add_option("NETLIST", options.netlist, kNetlistHelp)->type_name("FILE")->required();
  command->add_flag("--json", options.json,
                    "print the counts and the report (its lines ending in CR LF, as the "
                    "window holds it) as JSON");
  AddLargeOption(*command, options.large);
  return command;
}

int RunCheck(const CheckOptions& options, std::ostream& out, std::ostream& err) {
  Design design;
  LoadOrFail(design, options.netlist, options.large, err);
  const NetCheckResult result = RunExtendedNetCheck(design);
  const int findings =
      result.openCount + result.shortCount + result.duplicateCount + result.isolatedCount;

  if (options.json) {
    const nlohmann::ordered_json doc = {{"file", options.netlist},
                                        {"counts",
                                         {{"open", result.openCount},
                                          {"short", result.shortCount},
                                          {"duplicate", result.duplicateCount},
                                          {"isolated", result.isolatedCount}}},
                                        {"findings", findings},
                                        {"report", ToUtf8(result.reportText)}};
    out << JsonOutput(doc) << "\n";
  } else {
    // The counts under the captions of the window's count boxes.
    out << TerminalText(result.reportText) << "オープン: " << result.openCount
        << "\nショート: " << result.shortCount << "\n重複PIN: " << result.duplicateCount
        << "\n孤立PIN: " << result.isolatedCount << "\n";
  }
  return findings == 0 ? kExitOk : kExitFindings;
}

}  // namespace pcbprep::cli
