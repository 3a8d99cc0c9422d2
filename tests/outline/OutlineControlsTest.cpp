#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "outline/OutlineControls.h"

namespace pcbprep {
namespace {

using S = OutlineSettings;

// Each check box and the setting its caption names.
struct CheckRow {
  const char* name;
  std::function<bool&(S&)> setting;
};
const std::vector<CheckRow>& CheckRows() {
  static const std::vector<CheckRow> rows = [] {
    std::vector<CheckRow> r = {
        {"Check17", [](S& s) -> bool& { return s.outline; }},
        {"Check18", [](S& s) -> bool& { return s.wiringArea; }},
        {"Check21", [](S& s) -> bool& { return s.outlineDimensions; }},
        {"Check19", [](S& s) -> bool& { return s.holeDimensions; }},
        {"Check23", [](S& s) -> bool& { return s.holeData; }},
        {"Check24", [](S& s) -> bool& { return s.placementGuides; }},
        {"Check15", [](S& s) -> bool& { return s.resistFrame; }},
        {"Check20", [](S& s) -> bool& { return s.cornerMarks; }},
        {"Check16", [](S& s) -> bool& { return s.metalMaskCornerMarks; }},
        {"Check22", [](S& s) -> bool& { return s.groundPlane; }},
        {"Check26", [](S& s) -> bool& { return s.outerLayerPlanes; }},
        {"Check27", [](S& s) -> bool& { return s.metalMaskText; }},
        {"Check31", [](S& s) -> bool& { return s.filmNumber; }},
        {"Check28", [](S& s) -> bool& { return s.boardName; }},
        {"Check29", [](S& s) -> bool& { return s.subtitle; }},
        {"Check30", [](S& s) -> bool& { return s.comment; }},
    };
    // Check1 to Check14 are the film titles in window order.
    for (int i = 0; i < kFilmTitleCount; ++i) {
      r.push_back({nullptr, [i](S& s) -> bool& { return s.filmTitles[i]; }});
    }
    return r;
  }();
  return rows;
}

std::string CheckName(std::size_t row) {
  const CheckRow& r = CheckRows()[row];
  return r.name ? r.name : "Check" + std::to_string(row - 15);
}

TEST(OutlineControls, EveryCheckBoxSwitchesItsOwnSettingOnly) {
  const auto& rows = CheckRows();
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const std::string name = CheckName(k);
    S s;
    const bool before = rows[k].setting(s);
    SetOutlineCheck(s, name, !before);
    EXPECT_EQ(rows[k].setting(s), !before) << name;
    EXPECT_EQ(OutlineCheck(s, name), !before) << name;
    for (std::size_t j = 0; j < rows.size(); ++j) {
      S fresh;
      if (j == k) continue;
      EXPECT_EQ(rows[j].setting(s), rows[j].setting(fresh)) << name << " moved " << CheckName(j);
    }
  }
}

TEST(OutlineControls, NamesAreExactAndTheSilkSizesAreNoSettings) {
  EXPECT_EQ(FindOutlineControl("check17"), nullptr);
  EXPECT_EQ(FindOutlineControl("Text99"), nullptr);
  EXPECT_EQ(FindOutlineControl("corner"), nullptr);
  ASSERT_NE(FindOutlineControl("Check17"), nullptr);
  EXPECT_EQ(FindOutlineControl("Check17")->kind, OutlineControlKind::kCheck);
  for (const char* name : {"Text9", "Text10", "Text18", "Text19", "Text20", "Text21", "Check25"}) {
    const OutlineControl* control = FindOutlineControl(name);
    ASSERT_NE(control, nullptr) << name;
    EXPECT_FALSE(control->isSetting) << name;
  }
  // Every other control is a setting: 5 numbers, 5 texts, 30 checks, 2 lists, 6 options.
  int settings = 0;
  for (const OutlineControl& c : OutlineControls()) settings += c.isSetting;
  EXPECT_EQ(settings, 48);
}

// What an input method types reads as what it looks like; what is no number stays none.
TEST(OutlineControls, NumberBoxesReadFullWidthFormsAndRefuseWhatIsNoNumber) {
  const std::pair<Text, std::optional<double>> cases[] = {
      {u"100", 100},    {u"１００", 100}, {u"－５．５", -5.5}, {u"＋３", 3},   {u" 12mm", 12},
      {u"5.0 ｍｍ", 5}, {u"", 0},         {u"　", 0},          {u"1e3", 1000}, {u".5", 0.5},
      {u"abc", {}},     {u"12abc", {}},   {u"１０ｘ", {}},     {u"+-5", {}},   {u"--5", {}},
      {u"nan", {}},     {u"inf", {}},     {u"&H10", {}},       {u"1e400", {}}, {u"mm", {}},
      {u"1 0", {}},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(OutlineBoxNumber(text), value) << ToUtf8(text);
}

TEST(OutlineControls, EveryControlHasItsOwnLabelAndProblemsNameIt) {
  std::set<Text> labels;
  for (const OutlineControl& c : OutlineControls()) {
    EXPECT_FALSE(c.label.empty()) << c.name;
    EXPECT_TRUE(labels.insert(Text(c.label)).second) << c.name;
  }
  EXPECT_EQ(OutlineControlLabel("Text4"), u"外形寸法 X");
  EXPECT_EQ(OutlineControlLabel("corner"), u"corner");

  const struct {
    std::string_view box;
    Text text;
    Text message;  // "" when every box can go into the file
  } cases[] = {
      {"Text4", u"100", u""},
      {"Text4", u"abc", u"外形寸法 X: 数値ではありません"},
      {"Text13", u"１ｘ", u"取付穴 外形より: 数値ではありません"},
      {"Text9", u"?", u"基板名 文字高: 数値ではありません"},  // no setting, still a number box
      {"Text5", u"-10001", u"外形寸法 Y: 大きすぎます（絶対値 10000 mm まで）"},
      {"Text8", u"a\nb", u"基板名の文字: 改行は書けません（DBL ファイルの１レコードは１行です）"},
      {"Text8", u"a/b", u""},
  };
  for (const auto& c : cases) {
    const auto problem = FindOutlineBoxProblem(
        [&](std::string_view name) { return name == c.box ? c.text : Text(u"1"); });
    EXPECT_EQ(problem ? OutlineProblemMessage(*problem) : Text(), c.message) << c.box;
  }
}

TEST(OutlineControls, ArrangementsWithoutHolesAreWarnedOfAndNoSizeGivesAHint) {
  const Text warnings[] = {u"", u"取付穴の配置「６　穴」は穴を出力しません",
                           u"取付穴の配置「８　穴」は穴を出力しません",
                           u"取付穴の配置「９　穴」は穴を出力しません"};
  for (int position = 0; position < kHoleArrangementCount; ++position) {
    S s;
    s.holeArrangement = position;
    EXPECT_EQ(OutlineSettingsWarning(s), warnings[position]) << position;
    EXPECT_EQ(HoleArrangementMakesHoles(position), position == 0);
  }
  const struct {
    double width, height;
    bool hint;
  } sizes[] = {{0, 0, true}, {100, 0, true}, {0, 80, true}, {100, 80, false}, {-5, 80, false}};
  for (const auto& c : sizes) {
    S s;
    s.width = c.width;
    s.height = c.height;
    EXPECT_EQ(OutlineDrawingHint(s), c.hint ? u"外形寸法を入力してください" : u"")
        << c.width << "x" << c.height;
  }
}

}  // namespace
}  // namespace pcbprep
