#include "cli/Cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <exception>
#include <functional>
#include <optional>
#include <ostream>
#include <span>

#include "Version.h"
#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "outline/OutlineSettingsFile.h"

namespace pcbprep::cli {

namespace {

constexpr char kProgram[] = "pcbprep-cli";

// A command's parser and how to run it once its options are parsed.
struct Command {
  CLI::App* parser;
  std::function<int()> run;
};

// The program-wide options and texts; the commands add themselves.
void SetUpProgram(CLI::App& app) {
  app.set_version_flag("--version", std::string(kProgram) + " " + kVersionString);
  app.require_subcommand(1);
  app.footer(
      "Exit codes: 0 done (check: no findings), 1 check: findings, 2 error (bad input or "
      "option).\nRun 'pcbprep-cli COMMAND --help' for the options of a command.");
}

// A mistyped command would otherwise be reported as a missing one. Returns false after
// saying so.
bool CommandIsKnown(const std::vector<std::string>& args, std::span<const Command> commands,
                    std::ostream& err) {
  if (args.size() <= 1 || args[1].empty() || args[1][0] == '-') return true;
  const bool known = std::any_of(commands.begin(), commands.end(),
                                 [&](const Command& c) { return c.parser->check_name(args[1]); });
  if (!known) {
    err << kProgram << ": 不明なコマンドです: " << args[1]
        << "（check, nets, parts, image, outline, view, convert のどれか）\n"
        << "Run '" << kProgram << " --help' for more information.\n";
  }
  return known;
}

// Parses the arguments after the program name. Returns the exit code when the parse
// already ends the run: help, version or a bad option.
std::optional<int> Parse(CLI::App& app, const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err) {
  // CLI11 takes the arguments last first.
  std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
  std::reverse(rest.begin(), rest.end());
  try {
    app.parse(rest);
  } catch (const CLI::CallForHelp&) {
    out << app.help();  // the help of the command named, if any
    return kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::CallForVersion&) {
    out << kProgram << " " << kVersionString << "\n";
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    // Point at the help of the command whose options were wrong.
    std::string command = kProgram;
    for (const CLI::App* sub : app.get_subcommands()) command += " " + sub->get_name();
    err << kProgram << ": " << e.what() << "\n"
        << "Run '" << command << " --help' for more information.\n";
    return kExitFailure;
  }
  return std::nullopt;
}

// Runs the parsed command; what goes wrong becomes one message and exit code 2.
int RunParsedCommand(std::span<const Command> commands, std::ostream& err) {
  try {
    for (const Command& command : commands) {
      if (command.parser->parsed()) return command.run();
    }
    return kExitFailure;  // require_subcommand makes this unreachable
  } catch (const UserError& e) {
    err << kProgram << ": " << e.message << "\n";
    return kExitFailure;
  } catch (const OutlineSettingsError& e) {
    err << kProgram << ": " << e.message << "\n";
    return kExitFailure;
  } catch (const std::exception& e) {
    // Not the user's doing, but still no crash: the reason is worth a report.
    err << kProgram << ": 内部エラー: " << e.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{
      "pcbprep-cli: netlist check, part list, pre-placement image and board outline files\n"
      "from the command line (the same operations as the pcbprep windows)",
      kProgram};
  SetUpProgram(app);

  NetsOptions nets;
  CheckOptions check;
  PartsOptions parts;
  ImageOptions image;
  BoardOptions board;
  OutlineOptions outline;
  ViewOptions view;
  ConvertOptions convert;
  const Command commands[] = {
      {AddCheckCommand(app, check), [&] { return RunCheck(check, out, err); }},
      {AddNetsCommand(app, nets), [&] { return RunNets(nets, out, err); }},
      {AddPartsCommand(app, parts), [&] { return RunParts(parts, out, err); }},
      {AddImageCommand(app, image), [&] { return RunImage(image, out, err); }},
      {AddBoardCommand(app, board), [&] { return RunBoard(board, out, err); }},
      {AddOutlineCommand(app, outline), [&] { return RunOutline(outline, out, err); }},
      {AddViewCommand(app, view), [&] { return RunView(view, out, err); }},
      {AddConvertCommand(app, convert), [&] { return RunConvert(convert, out, err); }},
  };

  if (!CommandIsKnown(args, commands, err)) return kExitFailure;
  if (const std::optional<int> done = Parse(app, args, out, err)) return *done;
  return RunParsedCommand(commands, err);
}

}  // namespace pcbprep::cli
