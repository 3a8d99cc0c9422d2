#include <CLI/CLI.hpp>
#include <cstdio>
#include <ostream>

#include "cli/Cli.h"
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "outline/DblReader.h"
#include "outline/DblSvg.h"
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
      "outline", "Write the board outline drawing file (DBL) from outline window settings");
  command->footer(
      "Settings are keyed by the outline window's control names (Text4, Check17, Combo1,\n"
      "Option6, ...) plus \"corner\" (square, chamfered, rounded, none) and \"boardType\"\n"
      "(double-sided, four-layer, six-layer, none). A board type presets the film titles\n"
      "first, as its click does; everything else follows, --set after the file. Anything\n"
      "not given keeps the window's first-opening value; --show-settings lists them all.\n"
      "Exit codes: 0 done, 2 error (unknown key, bad value, characters Shift_JIS cannot\n"
      "hold, file not written).");
  command->add_option("SETTINGS", options.settingsFile, "settings file (JSON, UTF-8)")
      ->type_name("FILE.json");
  command
      ->add_option("--set", options.sets,
                   "a setting after the file, e.g. --set Text4=100 --set corner=rounded; "
                   "repeatable")
      ->type_name("NAME=VALUE")
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  command
      ->add_option("-o,--output", options.output,
                   "DBL file to write: code page 932, CR LF, as the window saves it "
                   "(default: the text in UTF-8 on standard output, unless --svg is given)")
      ->type_name("FILE.dbl")
      ->check(NonEmptyOutput());
  command
      ->add_option("--svg", options.svg,
                   "also draw the file as SVG: millimetres, Y upwards, one group per layer")
      ->type_name("FILE.svg")
      ->check(NonEmptyOutput());
  command->add_flag("--show-settings", options.showSettings,
                    "print the settings in effect as a settings file instead of the drawing");
  return command;
}

int RunOutline(const OutlineOptions& options, std::ostream& out, std::ostream& err) {
  if (!options.output.empty()) RefuseOutputOverInput(options.output, {options.settingsFile});
  if (!options.svg.empty()) {
    RefuseOutputOverInput(options.svg, {options.settingsFile, options.output});
    if (options.svg == options.output) {
      throw UserError{"--svg と -o に同じファイルは指定できません: " + options.svg};
    }
  }
  OutlineSettingsInput input;
  if (!options.settingsFile.empty()) {
    input.fileName = options.settingsFile;
    input.file = ParseSettingsFile(input.fileName, ReadFileOrFail(input.fileName));
  }
  input.settings = options.sets;
  const OutlineSettings settings = ReadOutlineSettings(input);

  if (options.showSettings) {
    out << OutlineSettingsFileText(settings);
    return kExitOk;
  }

  const DblDocument doc = GenerateDbl(settings);
  std::string svg;
  bool drawn = false;
  if (!options.svg.empty()) {
    // The DBL file is the product; a drawing that cannot be made is only a warning,
    // and the file is written (or shown) as without --svg.
    const DblReadResult drawing = ReadDbl(doc.text());
    if (drawing.ok()) {
      svg = DblSvgDocument(drawing.drawing, u"外形作成");
      drawn = true;
    } else {
      err << "pcbprep-cli: 警告: 生成したファイルを描けないため、" << options.svg
          << " は書き込んでいません: " << ToUtf8(DblReadErrorMessage(*drawing.error)) << "\n";
    }
    if (drawn && options.output.empty()) {
      WriteFileOrFail(options.svg, svg);
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
      if (drawn) WriteFileOrFail(options.svg, svg);
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
