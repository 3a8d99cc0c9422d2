#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <ostream>
#include <set>
#include <utility>
#include <vector>

#include "cli/Cli.h"
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "drawing/DblDxf.h"
#include "drawing/DblReader.h"
#include "drawing/DblSvg.h"
#include "outline/OutlineControls.h"
#include "outline/OutlineGenerator.h"
#include "outline/OutlineSettingsFile.h"

namespace pcbprep::cli {

namespace {

// Each character with its code point, so that look-alikes and invisible characters
// can be found in the settings.
std::string NamedCharacters(TextView characters) {
  std::string named;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    std::size_t length = 1;
    char32_t code = characters[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < characters.size()) {
      code = 0x10000 + ((code - 0xD800) << 10) + (characters[i + 1] - 0xDC00);
      length = 2;
    }
    char point[16];
    std::snprintf(point, sizeof point, "U+%04X", static_cast<unsigned>(code));
    named += (named.empty() ? "「" : "、「") + ToUtf8(characters.substr(i, length)) + "」(" +
             point + ")";
    i += length - 1;
  }
  return named;
}

std::string UnmappableMessage(TextView characters) {
  return "次の文字はファイルの文字コード（Shift_JIS）で書けません: " + NamedCharacters(characters);
}

}  // namespace

CLI::App* AddOutlineCommand(CLI::App& app, OutlineOptions& options) {
  auto* command = app.add_subcommand(
      "outline",
      "Write the board outline drawing file (DBL) from the outline window's settings: a "
      "settings file (JSON, UTF-8) as the window saves it, and --set");
  command->footer(
      "A setting is keyed as in the window's settings file: Text4 and Text5 are the outline\n"
      "size (外形寸法 X, Y), and so on for every box (docs/cli.md lists each with its label);\n"
      "\"corner\" (square, chamfered, rounded, none) and \"boardType\" (double-sided,\n"
      "four-layer, six-layer, none) choose the option groups. Numbers may be typed in\n"
      "full-width digits and end in mm. A board type presets the film titles first, as its\n"
      "click does; everything else follows, --set after the file. Anything not given keeps\n"
      "the window's first-opening value; --show-settings lists them all.\n"
      "Exit codes: 0 done, 2 error (unknown key, bad value, characters Shift_JIS cannot\n"
      "hold, file not written).");
  command->add_option("SETTINGS", options.settingsFile, "settings file (JSON, UTF-8)")
      ->type_name("FILE.json");
  command
      ->add_option("--set", options.sets,
                   "change one setting after the file, e.g. --set Text4=100 (外形寸法 X) "
                   "--set corner=rounded; repeatable")
      ->type_name("NAME=VALUE")
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  command
      ->add_option(
          "-o,--output", options.output,
          "DBL file to write: code page 932, CR LF, as the window saves it "
          "(default: the text in UTF-8 on standard output, unless --svg or --dxf is given)")
      ->type_name("FILE.dbl")
      ->check(NonEmptyOutput());
  command
      ->add_option("--svg", options.svg,
                   "also draw the file as SVG: millimetres, Y upwards, one group per layer")
      ->type_name("FILE.svg")
      ->check(NonEmptyOutput());
  command
      ->add_option("--dxf", options.dxf,
                   "also write the drawing as DXF (AutoCAD 2000): millimetres, Y upwards, "
                   "one DXF layer per layer, for layout and mechanical tools")
      ->type_name("FILE.dxf")
      ->check(NonEmptyOutput());
  AddLayersOption(*command, options.layers);
  command->add_flag("--show-settings", options.showSettings,
                    "print the settings in effect as a settings file instead of the drawing");
  return command;
}

int RunOutline(const OutlineOptions& options, std::ostream& out, std::ostream& err) {
  if (!options.output.empty()) RefuseOutputOverInput(options.output, {options.settingsFile});
  // The drawings of the file, each written only where asked for.
  std::vector<std::pair<std::string, std::string (*)(const DblDrawing&, const std::set<int>&)>>
      drawings;
  if (!options.svg.empty()) {
    drawings.emplace_back(options.svg, [](const DblDrawing& d, const std::set<int>& hidden) {
      return DblSvgDocument(d, u"外形作成", hidden);
    });
  }
  if (!options.dxf.empty()) {
    drawings.emplace_back(options.dxf, [](const DblDrawing& d, const std::set<int>& hidden) {
      return DblDxfDocument(d, hidden);
    });
  }
  std::vector<std::string> taken = {options.output};
  for (const auto& [path, draw] : drawings) {
    if (std::find(taken.begin(), taken.end(), path) != taken.end()) {
      throw UserError{"出力に同じファイルは２度指定できません: " + path};
    }
    RefuseOutputOverInput(path, {options.settingsFile, options.output});
    taken.push_back(path);
  }
  OutlineSettingsInput input;
  if (!options.settingsFile.empty()) {
    input.fileName = options.settingsFile;
    input.file = ParseSettingsFile(input.fileName, ReadFileOrFail(input.fileName));
  }
  input.settings = options.sets;
  const OutlineSettings settings = ReadOutlineSettings(input);
  if (const Text warning = OutlineSettingsWarning(settings); !warning.empty()) {
    err << "pcbprep-cli: 警告: " << ToUtf8(warning) << "\n";
  }

  if (options.showSettings) {
    out << OutlineSettingsFileText(settings);
    return kExitOk;
  }

  const DblDocument doc = GenerateDbl(settings);
  std::vector<std::pair<std::string, std::string>> drawn;
  if (!drawings.empty()) {
    // The DBL file is the product; a drawing that cannot be made is only a warning,
    // and the file is written (or shown) as without --svg and --dxf.
    const DblReadResult drawing = ReadDbl(doc.text());
    if (drawing.ok()) {
      const std::set<int> hidden = options.layers.empty()
                                       ? std::set<int>{}
                                       : LayersHiddenExcept(drawing.drawing, options.layers);
      for (const auto& [path, draw] : drawings) {
        drawn.emplace_back(path, draw(drawing.drawing, hidden));
      }
    } else {
      for (const auto& [path, draw] : drawings) {
        err << "pcbprep-cli: 警告: 生成したファイルを描けないため、" << path
            << " は書き込んでいません: " << ToUtf8(DblReadErrorMessage(*drawing.error)) << "\n";
      }
    }
    if (!drawn.empty() && options.output.empty()) {
      for (const auto& [path, bytes] : drawn) WriteFileOrFail(path, bytes);
      return kExitOk;
    }
  }
  if (options.output.empty()) {
    const EncodeResult bytes = doc.fileBytes();
    if (!bytes.ok()) {
      err << "pcbprep-cli: 警告: " << UnmappableMessage(bytes.unmappable)
          << "。-o でファイルには書き込めません。\n";
    }
    out << TerminalText(doc.text());
    return kExitOk;
  }

  // The drawing follows only a file that was written.
  const DblSaveResult result = doc.save(options.output);
  switch (result.status) {
    case DblSaveResult::Status::kSaved:
      for (const auto& [path, bytes] : drawn) WriteFileOrFail(path, bytes);
      return kExitOk;
    case DblSaveResult::Status::kUnmappable:
      throw UserError{UnmappableMessage(result.unmappable) + "\nファイル " + options.output +
                      " は書き込んでいません。文字を直してから出力してください。"};
    case DblSaveResult::Status::kWriteFailed:
      throw UserError{"ファイルを書き込めませんでした: " + options.output + " (" + result.reason +
                      ")"};
  }
  return kExitFailure;
}

}  // namespace pcbprep::cli
