#include <CLI/CLI.hpp>
#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>
#include <utility>

#include "cli/Cli.h"
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "placement/Coordinates.h"
#include "placement/Grouping.h"
#include "placement/MainParts.h"
#include "symbol/PartListFile.h"

namespace pcbprep::cli {

namespace {

// The ten skip-net boxes of the window.
constexpr std::size_t kSkipBoxes = std::tuple_size_v<IgnoreNetList>;

// The columns of PartTable in table order, with the names the TSV header and the JSON
// keys use.
struct PartColumnName {
  int column;
  const char* name;
};
constexpr PartColumnName kColumns[] = {
    {kPartRef, "reference"}, {kPartSymbol, "symbol"}, {kPartX, "x"},
    {kPartY, "y"},           {kPartSide, "side"},     {kPartClass, "class"},
    {kPartMain, "mainPart"}, {kPartGroup, "group"},   {kPartLevel, "level"},
};

IgnoreNetList SkipBoxes(const PartSteps& steps, const LoadResult& load) {
  if (!steps.skipGiven) {
    // A freshly loaded window: its start boxes with the largest net put into box 0.
    IgnoreNetList boxes = InitialSkipNets();
    boxes[0] = load.largestNet;
    return boxes;
  }
  if (steps.skip.size() > kSkipBoxes) {
    throw UserError{"--skip で指定できるネット名は " + std::to_string(kSkipBoxes) +
                    " 個までです（" + std::to_string(steps.skip.size()) + " 個指定されました）。"};
  }
  IgnoreNetList boxes;
  for (std::size_t i = 0; i < steps.skip.size(); ++i) boxes[i] = FromUtf8(steps.skip[i]);
  return boxes;
}

}  // namespace

void AddPartStepOptions(CLI::App& command, PartSteps& steps) {
  command.add_option("NETLIST", steps.netlist, kNetlistHelp)->type_name("FILE")->required();
  AddLargeOption(command, steps.large);
  command
      .add_flag("--footprints-from-netlist", steps.footprintsFromNetlist,
                "a part whose netlist gives a footprint gets its name (without the library "
                "nickname, Lib:Name -> Name) as symbol name (window: 回路図のフットプリントを使う)")
      ->group("Symbol sizes");

  // One option per size box of the window, starting at the box's start value. The
  // options bind to the strings, so the list gets its final length first.
  const SymbolSizes initial = InitialSymbolSizes();
  const std::vector<SymbolSizeBox>& boxes = SymbolSizeBoxes();
  steps.sizes.assign(boxes.size(), std::string());
  std::vector<CLI::Option*> sizeOptions;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const SymbolSizeBox& box = boxes[i];
    steps.sizes[i] = ToUtf8(initial.*box.size);
    const std::string help = "symbol size of the " + std::string(box.parts) + " parts";
    sizeOptions.push_back(command.add_option("--" + std::string(box.name), steps.sizes[i], help)
                              ->type_name("SIZE")
                              ->capture_default_str()
                              ->group("Symbol sizes"));
  }
  command
      .add_option("--from-list", steps.fromList,
                  "start from a saved part-list file (CSV, as 部品リスト → 保存 and --csv "
                  "write it) instead of the symbol assignment; the steps below then run on it")
      ->type_name("FILE.csv");

  auto* skip = command
                   .add_option("--skip", steps.skip,
                               "a net the main-part assignment does not follow; repeat for up "
                               "to 10 nets. Not given: the largest net, VCC and GND, as in a "
                               "freshly loaded window. --skip \"\" follows every net")
                   ->type_name("NET")
                   ->expected(1)
                   ->allow_extra_args(false)
                   ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
                   ->group("Pre-placement");
  command
      .add_flag("--main-parts", steps.mainParts,
                "attach every part through its nets to a main part (skipping the --skip nets)")
      ->group("Pre-placement");
  command
      .add_option("--group", steps.group,
                  "group the parts: none, or hundreds (by the first digit of each "
                  "reference number)")
      ->check(CLI::IsMember({"none", "hundreds"}))
      ->capture_default_str()
      ->group("Pre-placement");
  command
      .add_option("--coordinates", steps.coordinates,
                  "give the parts initial coordinates: none, main (around their main part) "
                  "or group (by group)")
      ->check(CLI::IsMember({"none", "main", "group"}))
      ->capture_default_str()
      ->group("Pre-placement");
  // Whether --skip was given at all: an option given once as "" differs from none.
  command.callback([&steps, skip, sizeOptions] {
    steps.skipGiven = skip->count() > 0;
    steps.sizesGiven = std::any_of(sizeOptions.begin(), sizeOptions.end(),
                                   [](const CLI::Option* o) { return o->count() > 0; });
  });
}

void RunPartSteps(const PartSteps& steps, PartRun& run, std::ostream& err) {
  const LoadResult load = LoadOrFail(run.design, steps.netlist, steps.large, err);
  const int maxParts = run.design.capacity().parts;
  const IgnoreNetList skip = SkipBoxes(steps, load);

  SymbolSizes sizes;
  const std::vector<SymbolSizeBox>& boxes = SymbolSizeBoxes();
  for (std::size_t i = 0; i < boxes.size() && i < steps.sizes.size(); ++i) {
    sizes.*boxes[i].size = FromUtf8(steps.sizes[i]);
  }
  std::vector<Text> mainPartChoices;
  if (!steps.fromList.empty()) {
    if (steps.sizesGiven || steps.footprintsFromNetlist) {
      throw UserError{
          "--from-list の部品リストにはシンボル名があるため、サイズ（--capacitor "
          "など）や --footprints-from-netlist は指定できません。"};
    }
    const PartListParse parse = ParsePartListBytes(ReadFileOrFail(steps.fromList), maxParts);
    if (!parse.ok()) throw UserError{steps.fromList + ": " + ToUtf8(PartListFault(parse))};
    const PartListLoad loaded = LoadPartList(run.design, parse, mainPartChoices, run.list1);
    if (loaded.notInNetlist > 0 || loaded.missingFromList > 0) {
      err << "pcbprep-cli: 注意: " << ToUtf8(PartListLoadNote(loaded, FromUtf8(steps.fromList)))
          << "\n";
    }
  } else {
    run.symbols = RunSymbolAssignment(run.design, sizes, mainPartChoices, run.list1,
                                      steps.footprintsFromNetlist);
    if (!run.symbols.fits) {
      std::string message = ToUtf8(TooManyPartsMessage(run.symbols.referencesFound, maxParts));
      if (LargeCapacityWouldTakeParts(run.design, run.symbols))
        message += "\n--large を付けると読み込めます。";
      throw UserError{message};
    }
  }

  if (steps.mainParts) RunMainPartAssignment(run.design, skip, run.list1);
  if (steps.group == "hundreds") {
    // A fresh part table has no groups, so the split never asks to clear anything.
    RunGrouping(run.design, kGroupByHundreds, run.list1, [] { return false; });
  }
  if (steps.coordinates != "none") {
    const CoordinateResult result = RunCoordinateDetermination(
        run.design, steps.coordinates == "main", steps.coordinates == "group", run.list1);
    if (!result.written)
      throw UserError{ToUtf8(CoordinateRangeMessage(result.part, run.design.capacity()))};
  }
}

CLI::App* AddPartsCommand(CLI::App& app, PartsOptions& options) {
  auto* command = app.add_subcommand(
      "parts",
      "Build the part list of a netlist (any format): symbols, then on request main parts, "
      "groups, coordinates");
  command->footer(
      "The steps run in the window's order: symbol names by part kind with the classes,\n"
      "main parts, grouping, coordinates; with --from-list a saved part list takes the place\n"
      "of the symbol names. Prints the part list lines as the window's list shows them, or\n"
      "every column as TSV, JSON or the part-list file (--csv). Exit codes: 0 done, 2 error.");
  AddPartStepOptions(*command, options.steps);
  auto* json = command->add_flag("--json", options.json, "print JSON instead of the list lines");
  auto* tsv = command->add_flag("--tsv", options.tsv, "print every column as tab-separated values")
                  ->excludes(json);
  auto* csv = command
                  ->add_flag("--csv", options.csv,
                             "print the part-list file (CSV) that --from-list and the window's "
                             "部品リスト → 呼込 read")
                  ->excludes(json)
                  ->excludes(tsv);
  command
      ->add_option("-o,--output", options.output,
                   "with --csv: write the file as the window saves it (code page 932, CR LF) "
                   "instead of printing it in UTF-8")
      ->type_name("FILE.csv")
      ->needs(csv)
      ->check(NonEmptyOutput());
  return command;
}

int RunParts(const PartsOptions& options, std::ostream& out, std::ostream& err) {
  // The list read with --from-list may be written back: it is read whole first and
  // replaced atomically.
  if (!options.output.empty()) RefuseOutputOverInput(options.output, {options.steps.netlist});
  PartRun run;
  RunPartSteps(options.steps, run, err);
  const Design& d = run.design;

  if (options.json) {
    nlohmann::ordered_json parts = nlohmann::ordered_json::array();
    for (int i = 1; i <= d.partRows(); ++i) {
      nlohmann::ordered_json part = {{"row", i}};
      for (const PartColumnName& c : kColumns) part[c.name] = ToUtf8(d.PartTable.at(i, c.column));
      part["line"] = ToUtf8(run.list1.items[static_cast<std::size_t>(i - 1)]);
      parts.push_back(std::move(part));
    }
    const nlohmann::ordered_json doc = {{"file", options.steps.netlist},
                                        {"partCount", d.PartCount},
                                        {"undefinedSymbols", CountUndefinedSymbols(d)},
                                        {"parts", parts}};
    out << JsonOutput(doc) << "\n";
  } else if (options.csv && !options.output.empty()) {
    const EncodeResult bytes = PartListBytes(d);
    if (!bytes.ok()) {
      throw UserError{
          "次の文字はファイルの文字コード（Shift_JIS）で書けません: " + ToUtf8(bytes.unmappable) +
          "\nファイル " + options.output + " は書き込んでいません。"};
    }
    WriteFileOrFail(options.output, bytes.bytes);
  } else if (options.csv) {
    out << TerminalText(PartListText(d));
  } else if (options.tsv) {
    const char* separator = "";
    for (const PartColumnName& c : kColumns) out << std::exchange(separator, "\t") << c.name;
    out << "\n";
    for (int i = 1; i <= d.partRows(); ++i) {
      separator = "";
      for (const PartColumnName& c : kColumns) {
        out << std::exchange(separator, "\t") << ToUtf8(d.PartTable.at(i, c.column));
      }
      out << "\n";
    }
  } else {
    for (const Text& line : run.list1.items) out << ToUtf8(line) << "\n";
  }
  return kExitOk;
}

}  // namespace pcbprep::cli
