#include <CLI/CLI.hpp>
#include <algorithm>
#include <ostream>

#include "board/BoardFormat.h"
#include "board/BoardOutline.h"
#include "board/FootprintLibrary.h"
#include "cli/Cli.h"
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "design/Numeric.h"
#include "outline/OutlineSettingsFile.h"

namespace pcbprep::cli {

namespace {

std::string FormatList() {
  std::string list;
  for (const BoardFormat& format : BoardFormats()) {
    if (!list.empty()) list += ", ";
    list += format.extension;
  }
  return list;
}

// One line per format for the help: extension and what it is for.
std::string FormatLines() {
  std::string lines;
  for (const BoardFormat& format : BoardFormats()) {
    std::string extension = format.extension;
    extension.resize(std::max<std::size_t>(extension.size(), 12), ' ');
    lines += "  " + extension + ToUtf8(format.name) + "\n";
  }
  return lines;
}

BoardGroups GroupsOf(const BoardOptions& options) {
  const std::string& mode = options.groups.empty() ? options.steps.coordinates : options.groups;
  if (mode == "main") return BoardGroups::kByMainPart;
  if (mode == "group") return BoardGroups::kByGroup;
  return BoardGroups::kNone;
}

}  // namespace

CLI::App* AddBoardCommand(CLI::App& app, BoardOptions& options) {
  auto* command = app.add_subcommand(
      "board",
      "Write the board for the layout tool, mechanical CAD or assembly: the parts where the "
      "part list puts them");
  command->footer(
      "Builds the part list as 'parts' does, then writes the board file the output's\n"
      "extension names:\n" +
      FormatLines() +
      "The KiCad board has every net, one footprint per part, the board outline and the\n"
      "mounting holes; IDF the outline, holes, parts and their outlines and heights; the\n"
      "placement files each part's place and side. One summary line goes to standard\n"
      "error. Exit codes: 0 done, 2 error.");
  AddPartStepOptions(*command, options.steps);
  command->add_option("-o,--output", options.output, "board file to write")
      ->type_name("FILE")
      ->required()
      ->check(NonEmptyOutput());
  auto* outline =
      command
          ->add_option("--outline", options.outline,
                       "outline settings file (as 'outline' reads it): its drawing gives the "
                       "board edge, the mounting holes, silk and the other layers")
          ->type_name("SETTINGS.json");
  command
      ->add_option("--board", options.board,
                   "without --outline: the board is this rectangle, width x height in mm, "
                   "each above 0 (the main window's 外形寸法)")
      ->type_name("WxH")
      ->capture_default_str()
      ->excludes(outline);
  command
      ->add_option("--footprint-map", options.footprintMap,
                   "symbol name -> LIBRARY:FOOTPRINT, one per line (tab or comma; a third "
                   "column gives the part height), over the built-in map")
      ->type_name("FILE");
  command
      ->add_option("--footprint-dir", options.footprintDirs,
                   "folder holding LIBRARY.pretty footprint libraries; repeat for more, "
                   "searched in order before KICAD8/7/6_FOOTPRINT_DIR and "
                   "/usr/share/kicad/footprints")
      ->type_name("DIR")
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  command
      ->add_option("--groups", options.groups,
                   "parts kept together in the board: main (per main part), group (per group "
                   "text) or none; default: as --coordinates computed them")
      ->check(CLI::IsMember({"main", "group", "none"}));
  command->add_option("--thickness", options.thickness, "board thickness in mm, for IDF (.emn)")
      ->type_name("MM")
      ->capture_default_str()
      ->check(CLI::Validator(
          [](std::string& text) -> std::string {
            // Also refuses "nan" and "inf", which the number parser takes.
            const double mm = NumericValue(FromUtf8(text));
            return mm > 0 && mm <= 100 ? "" : "more than 0 and at most 100 mm: " + text;
          },
          "MM"));
  return command;
}

int RunBoard(const BoardOptions& options, std::ostream&, std::ostream& err) {
  const BoardFormat* format = FindBoardFormat(options.output);
  if (!format) {
    throw UserError{"出力ファイルの拡張子から形式が決まりません（" + FormatList() +
                    " のいずれか）: " + options.output};
  }
  std::vector<std::string> inputs = {options.steps.netlist, options.outline, options.footprintMap,
                                     options.steps.fromList};
  RefuseOutputOverInput(options.output, inputs);

  BoardInput input;
  if (!options.footprintMap.empty()) {
    const std::string bytes = ReadFileOrFail(options.footprintMap);
    if (const auto error = ReadFootprintMap(bytes, input.footprints)) {
      throw UserError{ToUtf8(FootprintMapErrorMessage(FromUtf8(options.footprintMap), *error))};
    }
  }
  if (!options.outline.empty()) {
    input.outline =
        OutlineDrawingOf(ReadOutlineSettingsFile(options.outline, ReadFileOrFail(options.outline)));
  }
  PartRun run;
  if (options.outline.empty()) SetBoardOrFail(run.design, options.board);
  RunPartSteps(options.steps, run, err);
  if (run.design.partRows() == 0) {
    throw UserError{"部品表に部品がありません。ファイル " + options.output +
                    " は書き込んでいません。"};
  }
  input.design = &run.design;
  std::vector<std::filesystem::path> dirs(options.footprintDirs.begin(),
                                          options.footprintDirs.end());
  input.footprintDirs = FootprintLibraryFolders(dirs);
  input.groups = GroupsOf(options);
  input.thickness = options.thickness;

  BoardOutput output;
  try {
    output = format->write(input, options.output);
  } catch (const BoardError& error) {
    throw UserError{ToUtf8(error.message) + "\nファイル " + options.output +
                    " は書き込んでいません。"};
  }
  for (const BoardFile& file : output.files) WriteFileOrFail(file.path.string(), file.bytes);
  for (const Text& warning : output.warnings)
    err << "pcbprep-cli: 注意: " << ToUtf8(warning) << "\n";
  err << ToUtf8(output.summary) << "\n";
  return kExitOk;
}

}  // namespace pcbprep::cli
