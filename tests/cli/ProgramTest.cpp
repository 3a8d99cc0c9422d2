#include <sys/wait.h>

#include <cstdlib>
#include <regex>

#include "cli/CliTestSupport.h"

namespace pcbprep::testing {
namespace {

// The built program, run by the shell, so that the exit codes are the real ones.
class ProgramTest : public CliTest {
 protected:
  int run(const std::string& arguments) {
    const std::string command = std::string("'") + PCBPREP_CLI_PROGRAM + "' " + arguments + " >'" +
                                path("out").string() + "' 2>'" + path("err").string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string out() const { return ReadBytes(path("out")); }
  std::string err() const { return ReadBytes(path("err")); }
};

TEST_F(ProgramTest, ExitCodesTellScriptsWhatHappened) {
  const std::string clean = netlist("clean.NET", "A[R1-1\nU1-1]\nB[R1-2\nU1-2]\n");
  const struct {
    std::string arguments;
    int code;
  } cases[] = {
      {"check '" + kSample + "'", 1},
      {"check '" + clean + "'", 0},
      {"check --json '" + clean + "'", 0},
      {"check '" + path("missing.NET").string() + "'", 2},
      {"parts '" + kSample + "' --coordinates main", 0},
      {"parts '" + kSample + "' --coordinates diagonal", 2},
      {"outline --set Text4=100 -o '" + path("a.dbl").string() + "'", 0},
      {"outline --set Text99=1", 2},
      {"frobnicate", 2},
      {"", 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run(c.arguments), c.code) << c.arguments << "\n" << err();
  }
  EXPECT_TRUE(fs::exists(path("a.dbl")));
}

TEST_F(ProgramTest, OutputThatCannotBeWrittenIsAnError) {
  const std::string command = std::string("'") + PCBPREP_CLI_PROGRAM + "' nets '" + kSample +
                              "' >/dev/full 2>'" + path("err").string() + "'";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_NE(err().find("標準出力に書き込めませんでした"), std::string::npos) << err();
}

TEST_F(ProgramTest, EveryCommandHasHelpAndTheProgramAVersion) {
  for (const char* command : {"check", "nets", "parts", "image", "outline"}) {
    EXPECT_EQ(run(std::string(command) + " --help"), 0) << command;
    EXPECT_NE(out().find(std::string("Usage: pcbprep-cli ") + command), std::string::npos) << out();
  }
  EXPECT_EQ(run("--help"), 0);
  for (const char* command : {"check", "nets", "parts", "image", "outline"}) {
    EXPECT_NE(out().find(command), std::string::npos) << command;
  }
  EXPECT_EQ(run("--version"), 0);
  EXPECT_EQ(out().rfind("pcbprep-cli ", 0), 0u) << out();
}

// The parser's faults are said in Japanese, each line of them, with the help to look at.
TEST_F(CommandLine, FaultsOfTheCommandLineAreSaidInJapanese) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{},
       "コマンドを指定してください（check, nets, parts, image, outline, view, convert のどれか）"},
      {{"frobnicate"}, "不明なコマンドです: frobnicate"},
      {{"parts"}, "NETLIST を指定してください"},
      {{"parts", kSample, "extra.NET"}, "余計な引数があります: extra.NET"},
      {{"check", kSample, "--nope"}, "余計な引数があります: --nope"},
      {{"check", kSample, "b", "c d"}, "余計な引数があります: b c d\n"},
      {{"parts", kSample, "--skip"}, "--skip に値を指定してください"},
      {{"parts", kSample, "--group", "auto"},
       "--group に auto は指定できません（none, hundreds のどれか）"},
      {{"parts", kSample, "--json", "--tsv"}, "--json と --tsv は一緒に指定できません"},
      {{"parts", kSample, "-o", "x.csv"}, "--output は --csv と一緒に指定してください"},
      {{"outline", "--layers", "a"}, "--layers の値が読めません: a"},
      {{"outline", "-o", ""}, "--output: 出力ファイル名が空です"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const CliResult r = RunCli(c.args);
    EXPECT_EQ(r.code, cli::kExitFailure);
    EXPECT_EQ(r.err.rfind("pcbprep-cli: " + c.message, 0), 0u) << r.err;
    EXPECT_NE(r.err.find("詳しくは 'pcbprep-cli"), std::string::npos) << r.err;
    std::istringstream lines(r.err);
    for (std::string line; std::getline(lines, line);) {
      EXPECT_TRUE(std::any_of(line.begin(), line.end(), [](char ch) { return ch & 0x80; })) << line;
    }
  }
}

// Help says what a command reads and what an option does, not which window control it
// stands for.
TEST_F(CommandLine, HelpNamesWhatIsReadAndNoControls) {
  const std::regex control("(Command|Combo|Option|Text|Check)[0-9]");
  for (const char* command : {"check", "nets", "parts", "image", "convert", "view"}) {
    const CliResult r = RunCli({command, "--help"});
    ASSERT_EQ(r.code, 0) << command;
    EXPECT_FALSE(std::regex_search(r.out, control)) << r.out;
    const bool netlist = std::string(command) != "view";
    EXPECT_EQ(r.out.find(netlist ? "KiCad" : "code page 932") != std::string::npos, true) << r.out;
  }
}

}  // namespace
}  // namespace pcbprep::testing
