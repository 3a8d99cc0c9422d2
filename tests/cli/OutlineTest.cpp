#include <functional>
#include <nlohmann/json.hpp>

#include "cli/CliSupport.h"
#include "cli/CliTestSupport.h"
#include "outline/OutlineGenerator.h"
#include "outline/OutlineSettingsFile.h"

namespace pcbprep::testing {
namespace {

using Json = nlohmann::json;

// What the window writes for these settings: the text in code page 932 and one more
// CR LF.
std::string SavedBytes(const OutlineSettings& s) {
  const EncodeResult encoded = EncodeCp932(GenerateDbl(s).text());
  EXPECT_TRUE(encoded.ok());
  return encoded.bytes + "\r\n";
}

TEST_F(OutlineCommand, OutlineWithoutSettingsIsTheFirstOpeningOfTheWindow) {
  const CliResult saved = RunCli({"outline", "-o", path("first.dbl").string()});
  ASSERT_EQ(saved.code, 0) << saved.err;
  EXPECT_EQ(saved.out, "");
  const std::string bytes = ReadBytes(path("first.dbl"));
  EXPECT_EQ(bytes, SavedBytes(OutlineSettings{}));
  EXPECT_EQ(bytes, GenerateDbl(OutlineSettings{}).fileBytes().bytes);
  EXPECT_EQ(bytes.substr(bytes.size() - 8), "$END\r\n\r\n");

  const CliResult shown = RunCli({"outline"});
  ASSERT_EQ(shown.code, 0);
  EXPECT_EQ(shown.out, cli::TerminalText(GenerateDbl(OutlineSettings{}).text()));
}

TEST_F(OutlineCommand, OutlineFromTheSampleSettingsFile) {
  OutlineSettings s;
  s.width = 120;
  s.height = 80.5;
  s.corner = CornerTreatment::kRounded;
  s.cornerSize = 3;
  s.holeDiameter = 4;  // "穴径　３.２ｍｍ"
  s.holeOffset = 4.5;
  s.placementGuides = false;
  s.boardOrderName = u"CTRL-A01";
  s.boardType = BoardType::kDoubleSided;
  s.filmTitles = BoardTypePreset(BoardType::kDoubleSided);
  s.filmTitles[kTitleAssembly1] = false;  // given after the preset, and wins over it
  s.metalMaskText = true;
  s.metalMaskTextValue = u"ｻﾝﾌﾟﾙ";
  s.boardNameValue = u"制御基板 REV.A";
  s.subtitle = true;
  s.subtitleValue = u"pcbprep sample";

  const CliResult r = RunCli({"outline", kSampleSettings, "--output", path("s.dbl").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(ReadBytes(path("s.dbl")), SavedBytes(s));

  // The settings shown are the file the outline window saves for them, and read back to
  // the same drawing.
  const CliResult shown = RunCli({"outline", kSampleSettings, "--show-settings"});
  ASSERT_EQ(shown.code, 0);
  EXPECT_EQ(shown.out, OutlineSettingsFileText(s));
  write("shown.json", shown.out);
  ASSERT_EQ(RunCli({"outline", path("shown.json"), "-o", path("again.dbl")}).code, 0);
  EXPECT_EQ(ReadBytes(path("again.dbl")), SavedBytes(s));
}

TEST_F(OutlineCommand, EachSettingReachesTheDrawingAsTheWindowsControlWould) {
  using Change = std::function<void(OutlineSettings&)>;
  const struct {
    std::string file;  // settings file, if any
    std::vector<std::string> sets;
    Change change;
  } cases[] = {
      {"",
       {"Text23=2.5", "corner=chamfered"},
       [](auto& s) {
         s.cornerSize = 2.5;
         s.corner = CornerTreatment::kChamfered;
       }},
      {"", {"Option4=true"}, [](auto& s) { s.corner = CornerTreatment::kRounded; }},
      {"", {"Option5=1"}, [](auto& s) { s.corner = CornerTreatment::kChamfered; }},
      {"", {"corner=none"}, [](auto& s) { s.corner = CornerTreatment::kNone; }},
      {"",
       {"Combo1=0", "Combo2=2"},
       [](auto& s) {
         s.holeDiameter = 0;
         s.holeArrangement = 2;
       }},
      {"", {"Combo1=穴径　４.０ｍｍ"}, [](auto& s) { s.holeDiameter = 6; }},
      {"",
       {"Check17=false", "Check21=off", "Check15=0"},
       [](auto& s) { s.outline = s.outlineDimensions = s.resistFrame = false; }},
      {"",
       {"Text6= 0.5 ", "Text13=+6"},
       [](auto& s) {
         s.cornerMarkWidth = 0.5;
         s.holeOffset = 6;
       }},
      {"", {"Text5="}, [](auto& s) { s.height = 0; }},  // an empty box reads as 0
      // Full-width forms, as an input method types them, and a unit.
      {"",
       {"Text4=１２０", "Text5=８０．５", "Text13=＋５．５ｍｍ"},
       [](auto& s) {
         s.width = 120;
         s.height = 80.5;
         s.holeOffset = 5.5;
       }},
      {"",
       {"Option3=true"},
       [](auto& s) {
         s.boardType = BoardType::kSixLayer;
         s.filmTitles = BoardTypePreset(BoardType::kSixLayer);
       }},
      // Film boxes given win over the board type's preset, in either order.
      {"",
       {"Check4=false", "boardType=six-layer"},
       [](auto& s) {
         s.boardType = BoardType::kSixLayer;
         s.filmTitles = BoardTypePreset(BoardType::kSixLayer);
         s.filmTitles[kTitleL4] = false;
       }},
      {"",
       {"boardType=none"},
       [](auto& s) {
         s.boardType = BoardType::kNone;
         s.filmTitles = {};
       }},
      {"",
       {"Text1=ＡＢＣ-01", "Check28=false", "Text9=3.0", "Check25=true"},
       [](auto& s) {
         s.boardOrderName = u"ＡＢＣ-01";
         s.boardName = false;
       }},
      // Overrides replace the file's value and its choice of the same group.
      {R"({"corner": "rounded", "Text4": 50, "Check11": true})",
       {"Option6=true", "Text4=70"},
       [](auto& s) {
         s.width = 70;
         s.filmTitles[kTitleM1] = true;
       }},
      {R"({"Option2": true, "Check2": false, "Check3": false})",
       {"Option1=true"},
       [](auto& s) {
         s.boardType = BoardType::kDoubleSided;
         s.filmTitles = BoardTypePreset(BoardType::kDoubleSided);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file + " " + ::testing::PrintToString(c.sets));
    std::vector<std::string> args{
        "outline", "-o", path("out.dbl").string(), "--set", "Text4=100", "--set", "Text5=80"};
    if (!c.file.empty()) args.push_back(write("s.json", c.file));
    for (const std::string& set : c.sets) args.insert(args.end(), {"--set", set});
    const CliResult r = RunCli(args);
    ASSERT_EQ(r.code, 0) << r.err;
    OutlineSettings expected;
    expected.width = 100;
    expected.height = 80;
    c.change(expected);
    EXPECT_EQ(ReadBytes(path("out.dbl")), SavedBytes(expected));
  }
}

TEST_F(OutlineCommand, BadSettingsAreRefusedNamingTheKeyAndWriteNothing) {
  const struct {
    std::string file;
    std::vector<std::string> sets;
    std::string message;
  } cases[] = {
      {R"({"Text4": 100, "Text99": 1})", {}, "s.json: Text99: 不明な設定名です"},
      {R"({"check17": true})", {}, "check17: 不明な設定名です"},
      {"", {"Width=100"}, "--set Width=100: 不明な設定名です"},
      {R"({"Check17": "yes"})", {}, "s.json: 外形線（Check17）: true か false を指定してください"},
      {"", {"Check17=yes"}, "--set Check17=yes: 外形線: true か false"},
      {R"({"Text4": "12abc"})", {}, "s.json: 外形寸法 X（Text4）: 数値ではありません: \"12abc\""},
      {R"({"Text4": [1]})", {}, "外形寸法 X（Text4）: 数値を指定してください"},
      {R"({"Text1": 5})", {}, "基板手配名（Text1）: 文字列を指定してください"},
      {R"({"Combo2": 4})", {}, "取付穴の配置（Combo2）: リストにない値です"},
      {R"({"Combo1": "3.5"})", {}, "4: 穴径　３.２ｍｍ"},
      {R"({"Option4": false})", {}, "コーナー処理 Ｒ処理（Option4）: 選ぶボタンに true"},
      {R"({"corner": "rounded", "Option6": true})",
       {},
       "コーナー処理 直角（Option6）: corner と食い違う選択です"},
      {R"({"corner": "rounded", "corner": "square"})",
       {},
       "s.json: 同じ名前が２回あります: \"corner\""},
      {R"({"Text4": 1, "Check1": {"a": 1, "a": 2}})", {}, "同じ名前が２回あります: \"a\""},
      {R"({"Text5": 2, "Text4": -1e400})", {}, "s.json: 外形寸法 X（Text4）: 数値が大きすぎます"},
      // Past any board, and texts that would break a record's line.
      {R"({"Text5": 1e308})",
       {},
       "s.json: 外形寸法 Y（Text5）: 大きすぎます（絶対値 10000 mm まで）（値: 1e+308）"},
      {"", {"Text6=-10000.5"}, "--set Text6=-10000.5: コーナーマーク 線幅: 大きすぎます"},
      {R"({"Text8": "ab\r\ncd"})", {}, "s.json: 基板名の文字（Text8）: 改行は書けません"},
      {"", {"Text17=a\nLINE: x"}, "改行は書けません"},
      {"{\"Check1\": " + std::string(100000, '[') + "]}",
       {},
       "s.json: 入れ子が深すぎます（上限 64 段）"},
      // 64 levels are read; the value is then wrong, but it is quoted only in part.
      {"{\"Check1\": " + std::string(63, '[') + std::string(63, ']') + "}",
       {},
       "部品面（Check1）: true か false を指定してください（値: [[[[[[[[[[[["},
      {"{\"Check1\": \"" + std::string(5000, 'x') + "\"}",
       {},
       "（値: \"" + std::string(59, 'x') + "…）"},
      {R"({"boardType": "4"})", {}, "double-sided, four-layer, six-layer, none"},
      {"[1, 2]", {}, "s.json: 設定ファイルは JSON のオブジェクト"},
      {R"({"Text4": })", {}, "s.json: JSON として読めません: 1 行 11 文字目: ここに来るはずのない"},
      {"{\"Text1\": \"部品\" x}", {}, "1 行 16 文字目: 値が読めません（数値、"},
      {"{\"Text1\": \"a\tb\"}", {}, "1 行 13 文字目: 文字列の書き方が正しくありません"},
      {"", {"Text4"}, "--set Text4: 名前=値 の形で"},
      {"", {"=5"}, "名前=値 の形で"},
      {"", {"Text1=部品❤"}, "Shift_JIS）で書けません: 「❤」(U+2764)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file + " " + ::testing::PrintToString(c.sets));
    std::vector<std::string> args{"outline", "-o", path("out.dbl").string()};
    if (!c.file.empty()) args.push_back(write("s.json", c.file));
    for (const std::string& set : c.sets) args.insert(args.end(), {"--set", set});
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.code, cli::kExitFailure);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("out.dbl")));
  }

  const CliResult missing = RunCli({"outline", path("none.json").string()});
  EXPECT_EQ(missing.code, cli::kExitFailure);
  EXPECT_NE(missing.err.find("ファイルを開けません"), std::string::npos) << missing.err;

  const CliResult unwritable = RunCli({"outline", "-o", path("no/such/dir.dbl").string()});
  EXPECT_EQ(unwritable.code, cli::kExitFailure);
  EXPECT_NE(unwritable.err.find("書き込めませんでした"), std::string::npos) << unwritable.err;
}

// The arrangements that make no holes still load, as files may hold them, but are
// warned of; the file is what they give.
TEST_F(OutlineCommand, ArrangementsWithoutHolesAreWarnedOf) {
  const char* const warnings[] = {"", "「６　穴」", "「８　穴」", "「９　穴」"};
  for (int position = 0; position < kHoleArrangementCount; ++position) {
    SCOPED_TRACE(position);
    const std::string file = write("s.json", "{\"Combo2\": " + std::to_string(position) + "}");
    const CliResult r = RunCli({"outline", file, "-o", path("out.dbl").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    OutlineSettings expected;
    expected.holeArrangement = position;
    EXPECT_EQ(ReadBytes(path("out.dbl")), SavedBytes(expected));
    if (position == 0) {
      EXPECT_EQ(r.err, "");
    } else {
      EXPECT_EQ(r.err, std::string("pcbprep-cli: 警告: 取付穴の配置") + warnings[position] +
                           "は穴を出力しません\n");
    }
  }
}

TEST_F(OutlineCommand, OutputNamesThatWouldLoseDataAreRefusedBeforeReading) {
  const std::string net = netlist("x.NET", "A[R1-1\nU1-1]\n");
  const std::string settings = write("s.json", "{}");
  fs::create_hard_link(net, path("same.NET"));
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"outline", "-o", ""}, "出力ファイル名が空です"},
      {{"image", net, "-o", ""}, "出力ファイル名が空です"},
      {{"image", net, "-o", net}, "出力ファイルが入力ファイルと同じです"},
      {{"image", net, "-o", path("same.NET").string()}, "出力ファイルが入力ファイルと同じです"},
      {{"outline", settings, "-o", settings}, "出力ファイルが入力ファイルと同じです"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const CliResult r = RunCli(c.args);
    EXPECT_EQ(r.code, cli::kExitFailure);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
  EXPECT_EQ(ReadBytes(net), "A[R1-1\r\nU1-1]\r\n");
  EXPECT_EQ(ReadBytes(settings), "{}");
}

TEST_F(OutlineCommand, TextOnStandardOutputWarnsOfWhatAFileCouldNotHold) {
  const CliResult r = RunCli({"outline", "--set", "Text1=基板①❤"});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("基板①❤"), std::string::npos);
  // ① is in code page 932, ❤ is not.
  EXPECT_NE(r.err.find("「❤」(U+2764)"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("①"), std::string::npos) << r.err;
}

TEST_F(OutlineCommand, ShownSettingsNameEveryControlThatIsASetting) {
  const CliResult r = RunCli({"outline", "--show-settings"});
  ASSERT_EQ(r.code, 0);
  const Json shown = Json::parse(r.out);
  std::vector<std::string> keys;
  for (const auto& [key, value] : shown.items()) keys.push_back(key);
  std::sort(keys.begin(), keys.end());
  std::vector<std::string> expected{"Text4",  "Text5",  "Text13", "Text23",   "Text6",
                                    "Text1",  "Text15", "Text8",  "Text16",   "Text17",
                                    "Combo1", "Combo2", "corner", "boardType"};
  for (int i = 1; i <= 31; ++i) {
    if (i != 25) expected.push_back("Check" + std::to_string(i));  // Check25 is no setting
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(shown["corner"], "square");
  EXPECT_EQ(shown["boardType"], "four-layer");
  EXPECT_EQ(shown["Combo1"], 5);
  EXPECT_EQ(shown["Text13"], 5.0);
  EXPECT_EQ(shown["Check4"], false);
}

}  // namespace
}  // namespace pcbprep::testing
