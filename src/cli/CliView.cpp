#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>
#include <set>

#include "cli/Cli.h"
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "drawing/DblDxf.h"
#include "drawing/DblReader.h"
#include "drawing/DblSvg.h"

namespace pcbprep::cli {

CLI::App* AddViewCommand(CLI::App& app, ViewOptions& options) {
  auto* command = app.add_subcommand(
      "view", "Draw a DBL file (code page 932, or UTF-8 with a byte-order mark) as SVG or DXF");
  command->footer(
      "Reads the lines, arcs, texts, vias and planes of any DBL file (code page 932, or\n"
      "UTF-8 after a byte-order mark) and draws them as the outline window does:\n"
      "millimetres, Y upwards, one group per layer.\n"
      "An output name ending in .dxf gives a DXF drawing (AutoCAD 2000) instead of SVG.\n"
      "Records of other kinds are skipped and counted on standard error.\n"
      "Exit codes: 0 done, 2 error (file not read, broken record with its line).");
  command->add_option("DBL", options.dblFile, "DBL file to draw")
      ->type_name("FILE.dbl")
      ->required();
  command
      ->add_option("-o,--output", options.output,
                   "SVG or DXF file to write, by its extension (default: SVG on standard output)")
      ->type_name("FILE.svg|FILE.dxf")
      ->check(NonEmptyOutput());
  AddLayersOption(*command, options.layers);
  return command;
}

int RunView(const ViewOptions& options, std::ostream& out, std::ostream& err) {
  if (!options.output.empty()) RefuseOutputOverInput(options.output, {options.dblFile});
  const DblReadResult read = ReadDbl(DecodeDblBytes(ReadFileOrFail(options.dblFile)));
  if (!read.ok()) {
    throw UserError{options.dblFile + ": " + ToUtf8(DblReadErrorMessage(*read.error))};
  }
  if (read.unknownRecords > 0) {
    err << "pcbprep-cli: " << options.dblFile << ": 描かないレコード " << read.unknownRecords
        << " 件を読み飛ばしました。\n";
  }
  const std::set<int> hidden =
      options.layers.empty() ? std::set<int>{} : LayersHiddenExcept(read.drawing, options.layers);
  std::string extension = std::filesystem::path(options.output).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".dxf") {
    WriteFileOrFail(options.output, DblDxfDocument(read.drawing, hidden));
    return kExitOk;
  }
  const std::string title = std::filesystem::path(options.dblFile).filename().string();
  const std::string svg = DblSvgDocument(read.drawing, FromUtf8(title), hidden);
  WriteOutput(options.output, svg, out);
  return kExitOk;
}

}  // namespace pcbprep::cli
