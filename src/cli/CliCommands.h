#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace pcbprep::cli {

struct NetsOptions {
  std::string netlist;
  bool json = false;
};
int RunNets(const NetsOptions& options, std::ostream& out);

// The commands that build on the check, symbol, placement and outline operations.
void RegisterMoreCommands(CLI::App& app);
int RunMoreCommands(CLI::App& app, std::ostream& out, std::ostream& err);

}  // namespace pcbprep::cli
