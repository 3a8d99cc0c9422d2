#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/Cli.h"
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "design/CodePage.h"
#include "netlist/BracketNetlist.h"

namespace pcbprep::cli {

CLI::App* AddConvertCommand(CLI::App& app, ConvertOptions& options) {
  auto* command = app.add_subcommand(
      "convert", "Write any readable netlist in the bracket format (code page 932, CR LF)");
  command->footer(
      "Reads a netlist of any format the program reads (bracket, KiCad, legacy PCB2, PADS,\n"
      "Allegro) and writes its nets as NAME[REF-PIN ... REF-PIN]. A name the bracket format\n"
      "cannot hold (\"[\", \"]\", \",\", a double quote, a line break, a character Shift_JIS\n"
      "cannot write; in references and pin numbers also \"-\") refuses the conversion, naming\n"
      "it, unless --safe-names replaces those characters by \"_\" and lists the changes.\n"
      "Exit codes: 0 done, 2 error (file not read, a name refused, file not written).");
  command->add_option("NETLIST", options.netlist, kNetlistHelp)->type_name("FILE")->required();
  command->add_option("-o,--output", options.output, "bracket netlist to write")
      ->type_name("FILE.NET")
      ->required()
      ->check(NonEmptyOutput());
  AddLargeOption(*command, options.large);
  command->add_flag("--safe-names", options.safeNames,
                    "replace the characters the bracket format cannot hold by \"_\"");
  return command;
}

int RunConvert(const ConvertOptions& options, std::ostream& out, std::ostream& err) {
  RefuseOutputOverInput(options.output, {options.netlist});
  Design design;
  LoadOrFail(design, options.netlist, options.large, err);
  const BracketNetlist bracket = BracketNetlistText(design, options.safeNames);
  if (bracket.refused) {
    throw UserError{"標準の形式では書けない名前があります: " + ToUtf8(*bracket.refused) +
                    "\n--safe-names で「_」に置き換えて書けます。ファイル " + options.output +
                    " は書き込んでいません。"};
  }
  WriteFileOrFail(options.output, EncodeCp932(bracket.text).bytes);
  for (const NameChange& change : bracket.changes) {
    out << ToUtf8(change.before) << " -> " << ToUtf8(change.after) << "\n";
  }
  if (!bracket.changes.empty()) {
    err << "pcbprep-cli: " << bracket.changes.size() << " 個の名前を置き換えました。\n";
  }
  return kExitOk;
}

}  // namespace pcbprep::cli
