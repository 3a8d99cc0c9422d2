#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/Cli.h"
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "placement/PlacementImage.h"
#include "placement/PlacementSvg.h"

namespace pcbprep::cli {

CLI::App* AddImageCommand(CLI::App& app, ImageOptions& options) {
  auto* command = app.add_subcommand(
      "image", "Draw the placement image of a netlist's (any format) part list as SVG");
  command->footer(
      "Builds the part list as 'parts' does, then draws what the placement image window\n"
      "shows: axes, board outline, every part at its coordinates, main and semi parts\n"
      "marked and labelled, and the legend. Exit codes: 0 done, 2 error.");
  AddPartStepOptions(*command, options.steps);
  command
      ->add_option("--board", options.board,
                   "size of the board outline the image draws: width x height in mm, each above 0")
      ->type_name("WxH")
      ->capture_default_str();
  command->add_option("-o,--output", options.output, "SVG file to write (default: standard output)")
      ->type_name("FILE.svg")
      ->check(NonEmptyOutput());
  return command;
}

int RunImage(const ImageOptions& options, std::ostream& out, std::ostream& err) {
  if (!options.output.empty()) RefuseOutputOverInput(options.output, {options.steps.netlist});
  PartRun run;
  // The size is checked before the work, as the window checks it before drawing.
  SetBoardOrFail(run.design, options.board);
  RunPartSteps(options.steps, run, err);

  PlacementSvg canvas;
  DrawPlacementImage(run.design, canvas);
  const std::string svg = canvas.document(PlacementLegend());
  WriteOutput(options.output, svg, out);
  return kExitOk;
}

}  // namespace pcbprep::cli
