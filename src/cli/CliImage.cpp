#include <CLI/CLI.hpp>
#include <charconv>
#include <ostream>

#include "cli/Cli.h"
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "design/Numeric.h"
#include "placement/PlacementImage.h"
#include "placement/PlacementSvg.h"

namespace pcbprep::cli {

namespace {

// A plain decimal number that rounds to a whole millimetre above 0, and nothing else.
// The window would read "12abc" as 12; on a command line that is far more likely a
// typing error, and a board of no size or a negative one draws nothing sensible.
bool IsSize(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const char* begin = text.data() + (!text.empty() && text[0] == '+' ? 1 : 0);
  const auto result = std::from_chars(begin, end, value, std::chars_format::fixed);
  return !text.empty() && result.ec == std::errc() && result.ptr == end && RoundHalfEven(value) > 0;
}

// "WxH" in millimetres, as typed into Text14 and Text15.
void SetBoardOrFail(Design& design, const std::string& board) {
  const std::size_t x = board.find_first_of("xX");
  const std::string width = board.substr(0, x);
  const std::string height = x == std::string::npos ? std::string() : board.substr(x + 1);
  if (!IsSize(width) || !IsSize(height)) {
    throw UserError{
        "--board には 幅x高さ (mm) を 0 より大きい数で指定してください（例: 100x80）: " + board};
  }
  if (!SetBoardSize(design, FromUtf8(width), FromUtf8(height))) {
    throw UserError{ToUtf8(BoardSizeRangeMessage())};
  }
}

}  // namespace

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
