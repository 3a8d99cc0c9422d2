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
constexpr char kCommandNames[] = "check, nets, parts, image, outline, view, convert";

// The line that follows every fault of the command line.
std::string HelpPointer(const std::string& command) {
  return "詳しくは '" + command + " --help' で確かめてください。\n";
}

// The parser reports its faults in English; each kind is said again in Japanese from
// the names and values its message holds.
std::string ParseErrorText(const CLI::ParseError& e, const CLI::App& app) {
  const std::string what = e.what();
  // The text after the first ": ", and the text before it.
  const std::size_t colon = what.find(": ");
  const std::string head = what.substr(0, colon);
  const std::string tail = colon == std::string::npos ? std::string() : what.substr(colon + 2);
  // "A <word> B" as its two sides.
  const auto sides = [&what](const std::string& word) {
    const std::size_t at = what.find(" " + word + " ");
    return std::pair{what.substr(0, at),
                     at == std::string::npos ? std::string() : what.substr(at + word.size() + 2)};
  };
  if (dynamic_cast<const CLI::RequiredError*>(&e)) {
    if (what.starts_with("A subcommand")) {
      return std::string("コマンドを指定してください（") + kCommandNames + " のどれか）";
    }
    const std::size_t end = what.rfind(" is required");
    if (end != std::string::npos) return what.substr(0, end) + " を指定してください";
  }
  if (dynamic_cast<const CLI::ExtrasError*>(&e)) {
    // The parser's own list comes last first; what is left over is in the order given.
    std::string extras;
    for (const std::string& arg : app.remaining(true)) extras += (extras.empty() ? "" : " ") + arg;
    return "余計な引数があります: " + (extras.empty() ? tail : extras);
  }
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&e)) {
    if (what.find(" required ") != std::string::npos && what.ends_with(" missing")) {
      return head + " に値を指定してください";
    }
    if (what.find("flag override") != std::string::npos) {
      return sides("was").first + " には値を付けられません";
    }
    return head + " の値の数が違います";
  }
  if (dynamic_cast<const CLI::ValidationError*>(&e)) {
    // A list of allowed values ("auto not in {none,hundreds}"); the program's own
    // checks speak Japanese already.
    const std::size_t notIn = tail.find(" not in {");
    if (notIn != std::string::npos) {
      std::string allowed = tail.substr(notIn + 9, tail.size() - notIn - 10);
      for (std::size_t at = 0; (at = allowed.find(',', at)) != std::string::npos; at += 2) {
        allowed.replace(at, 1, ", ");
      }
      return head + " に " + tail.substr(0, notIn) + " は指定できません（" + allowed +
             " のどれか）";
    }
    return what;
  }
  if (dynamic_cast<const CLI::ConversionError*>(&e)) {
    if (what.starts_with("Could not convert: ")) {
      const auto [option, value] = sides("=");
      return option.substr(19) + " の値が読めません: " + value;
    }
    if (what.find("too many inputs for a flag") != std::string::npos ||
        what.find("Should be true/false") != std::string::npos) {
      return head + " には値を付けられません";
    }
  }
  if (dynamic_cast<const CLI::ExcludesError*>(&e)) {
    const auto [one, other] = sides("excludes");
    return one + " と " + other + " は一緒に指定できません";
  }
  if (dynamic_cast<const CLI::RequiresError*>(&e)) {
    const auto [one, other] = sides("requires");
    return one + " は " + other + " と一緒に指定してください";
  }
  return "コマンドラインが読めません（" + what + "）";
}

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
    err << kProgram << ": 不明なコマンドです: " << args[1] << "（" << kCommandNames
        << " のどれか）\n"
        << HelpPointer(kProgram);
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
    err << kProgram << ": " << ParseErrorText(e, app) << "\n" << HelpPointer(command);
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
