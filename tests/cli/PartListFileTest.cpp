#include "cli/CliTestSupport.h"

namespace pcbprep::testing {
namespace {

std::vector<std::string> Args(std::vector<std::string> head, const std::vector<std::string>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST_F(PartsCommand, SavedPartListLoadsBackToTheSameLines) {
  const std::string saved = path("a.csv").string();
  const struct {
    std::vector<std::string> saveSteps;  // the steps before the save
    std::vector<std::string> loadSteps;  // the steps after the load
  } cases[] = {
      {{}, {}},
      {{"--main-parts", "--coordinates", "main"}, {}},
      {{"--group", "hundreds"}, {"--coordinates", "group"}},
      {{}, {"--main-parts", "--group", "hundreds", "--coordinates", "main"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.saveSteps) + ::testing::PrintToString(c.loadSteps));
    const CliResult save = RunCli(Args({"parts", kSample, "--csv", "-o", saved}, c.saveSteps));
    ASSERT_EQ(save.code, 0) << save.err;
    EXPECT_EQ(save.out, "");

    // The file holds the text --csv prints, in code page 932 with CR LF.
    const CliResult printed = RunCli(Args({"parts", kSample, "--csv"}, c.saveSteps));
    EXPECT_EQ(ReadBytes(saved), EncodeCp932(FromUtf8(Crlf(printed.out))).bytes);

    std::vector<std::string> all = c.saveSteps;
    all.insert(all.end(), c.loadSteps.begin(), c.loadSteps.end());
    const CliResult direct = RunCli(Args({"parts", kSample}, all));
    const CliResult loaded = RunCli(Args({"parts", kSample, "--from-list", saved}, c.loadSteps));
    ASSERT_EQ(loaded.code, 0) << loaded.err;
    EXPECT_EQ(loaded.out, direct.out);
    EXPECT_EQ(loaded.err, "");
  }
}

TEST_F(PartsCommand, PartListFileErrors) {
  const std::string good = path("good.csv").string();
  ASSERT_EQ(RunCli({"parts", kSample, "--csv", "-o", good}).code, 0);
  const std::string bad =
      write("bad.csv", ReadBytes(good).substr(0, ReadBytes(good).find("\r\n") + 2) + "R1,\"x\r\n");
  const std::string other = netlist("other.NET", "N1[R1-1\nZZ9-1]\n");

  const struct {
    std::vector<std::string> args;
    int code;
    std::string err;
  } cases[] = {
      {{"parts", kSample, "--from-list", bad},
       2,
       "bad.csv: 2 行目: 引用符 \" が閉じられていません"},
      {{"parts", kSample, "--from-list", path("none.csv").string()}, 2, "ファイルを開けません"},
      {{"parts", kSample, "--from-list", good, "--resistor", "R1005"}, 2, "--from-list"},
      {{"parts", kSample, "-o", path("x.csv").string()},
       2,
       "--output は --csv と一緒に指定してください"},
      {{"parts", kSample, "--csv", "--json"}, 2, "一緒に指定できません"},
      {{"parts", kSample, "--csv", "-o", path("no/such/dir.csv").string()}, 2, "dir.csv"},
      {{"parts", other, "--csv", "-o", other}, 2, "other.NET"},
      // A list of another board loads, with a note on what does not match.
      {{"parts", other, "--from-list", good},
       0,
       "ネットリストにない部品 30 個、リストにないネットリストの部品 1 個"},
  };
  for (const auto& c : cases) {
    const CliResult r = RunCli(c.args);
    SCOPED_TRACE(::testing::PrintToString(c.args));
    EXPECT_EQ(r.code, c.code);
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace pcbprep::testing
