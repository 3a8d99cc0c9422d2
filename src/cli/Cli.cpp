#include "cli/Cli.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "Version.h"
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"

namespace pcbprep::cli {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{
      "pcbprep-cli: netlist check, part list, pre-placement and board outline files\n"
      "from the command line (the same operations as the pcbprep windows)",
      "pcbprep-cli"};
  app.set_version_flag("--version", std::string("pcbprep-cli ") + kVersionString);
  app.require_subcommand(1);

  NetsOptions nets;
  auto* netsCmd = app.add_subcommand("nets", "Load a netlist and print its net tables");
  netsCmd->add_option("NETLIST", nets.netlist, "netlist file (*.NET, code page 932)")->required();
  netsCmd->add_flag("--json", nets.json, "print JSON instead of text");

  RegisterMoreCommands(app);

  std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
  std::reverse(rest.begin(), rest.end());
  try {
    app.parse(rest);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::CallForVersion&) {
    out << "pcbprep-cli " << kVersionString << "\n";
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    // Help for a subcommand is raised from the subcommand itself.
    if (e.get_name() == "CallForHelp") {
      for (auto* sub : app.get_subcommands()) out << sub->help();
      return kExitOk;
    }
    err << "pcbprep-cli: " << e.what() << "\n";
    return kExitFailure;
  }

  try {
    if (netsCmd->parsed()) return RunNets(nets, out);
    return RunMoreCommands(app, out, err);
  } catch (const UserError& e) {
    err << "pcbprep-cli: " << e.message << "\n";
    return kExitFailure;
  }
}

}  // namespace pcbprep::cli
