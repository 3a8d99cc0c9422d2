#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "design/Design.h"
#include "netlist/NetlistReader.h"
#include "symbol/PartList.h"
#include "symbol/SymbolAssignment.h"

namespace CLI {
class App;
}

namespace pcbprep::cli {

// Each command adds itself to the parser with its options bound to a struct, and
// runs from that struct once the command line is parsed.

struct NetsOptions {
  std::string netlist;
  bool json = false;
  bool large = false;  // the large tables
};
CLI::App* AddNetsCommand(CLI::App& app, NetsOptions& options);
int RunNets(const NetsOptions& options, std::ostream& out, std::ostream& err);

struct ConvertOptions {
  std::string netlist;
  std::string output;
  bool safeNames = false;
  bool large = false;  // the large tables
};
CLI::App* AddConvertCommand(CLI::App& app, ConvertOptions& options);
int RunConvert(const ConvertOptions& options, std::ostream& out, std::ostream& err);

struct CheckOptions {
  std::string netlist;
  bool json = false;
  bool large = false;  // the large tables
};
CLI::App* AddCheckCommand(CLI::App& app, CheckOptions& options);
int RunCheck(const CheckOptions& options, std::ostream& out, std::ostream& err);

// The steps of the main window from the symbol assignment on, as its buttons run
// them: sizes per part kind, then on request main parts, grouping and coordinates.
struct PartSteps {
  std::string netlist;
  std::vector<std::string> sizes;  // the size boxes, in the order of SymbolSizeBoxes()
  std::vector<std::string> skip;   // the skip-net boxes; the window's when not given
  bool skipGiven = false;
  bool mainParts = false;
  std::string group = "none";          // none | hundreds
  std::string coordinates = "none";    // none | main | group
  std::string fromList;                // a saved part list in place of the symbol assignment
  bool sizesGiven = false;             // a size option was given
  bool footprintsFromNetlist = false;  // symbol names from the netlist's footprints
  bool large = false;                  // the large tables
};

// The outcome of the steps: the design and the part list as the window shows it.
struct PartRun {
  Design design;
  ListBoxState list1;
  SymbolAssignment symbols;
};

// Adds the options of the steps to a command.
void AddPartStepOptions(CLI::App& command, PartSteps& steps);
// Loads the netlist and runs the steps; throws UserError for what the window would
// have refused with a message.
void RunPartSteps(const PartSteps& steps, PartRun& run, std::ostream& err);

struct PartsOptions {
  PartSteps steps;
  bool json = false;
  bool tsv = false;
  bool csv = false;    // the part-list file
  std::string output;  // --csv to this file, as the window saves it
};
CLI::App* AddPartsCommand(CLI::App& app, PartsOptions& options);
int RunParts(const PartsOptions& options, std::ostream& out, std::ostream& err);

struct ImageOptions {
  PartSteps steps;
  std::string board = "100x100";  // the window's Text14 x Text15
  std::string output;             // standard output when empty
};
CLI::App* AddImageCommand(CLI::App& app, ImageOptions& options);
int RunImage(const ImageOptions& options, std::ostream& out, std::ostream& err);

struct BoardOptions {
  PartSteps steps;
  std::string output;                      // the board file; its extension names the format
  std::string outline;                     // outline settings file; none: the rectangle
  std::string board = "100x100";           // the rectangle without settings (Text14 x Text15)
  std::string footprintMap;                // user map over the built-in one
  std::vector<std::string> footprintDirs;  // library folders, before the standard ones
  std::string groups;                      // main | group | none; "" as --coordinates
  double thickness = 1.6;                  // mm, for the formats that carry it (IDF)
};
CLI::App* AddBoardCommand(CLI::App& app, BoardOptions& options);
int RunBoard(const BoardOptions& options, std::ostream& out, std::ostream& err);

struct OutlineOptions {
  std::string settingsFile;       // none: the window's first-opening settings
  std::vector<std::string> sets;  // NAME=VALUE, applied after the file
  std::string output;             // standard output (UTF-8) when empty
  std::string svg;                // the drawing as SVG, when given
  std::string dxf;                // the drawing as DXF, when given
  std::vector<int> layers;        // the layers the SVG and DXF keep; all when empty
  bool showSettings = false;
};
CLI::App* AddOutlineCommand(CLI::App& app, OutlineOptions& options);
int RunOutline(const OutlineOptions& options, std::ostream& out, std::ostream& err);

struct ViewOptions {
  std::string dblFile;
  std::string output;       // standard output when empty; SVG, or DXF for a name in .dxf
  std::vector<int> layers;  // the layers drawn; all when empty
};
CLI::App* AddViewCommand(CLI::App& app, ViewOptions& options);
int RunView(const ViewOptions& options, std::ostream& out, std::ostream& err);

}  // namespace pcbprep::cli
