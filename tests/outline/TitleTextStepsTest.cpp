#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "outline/DblRecordLines.h"
#include "outline/TitleTextSteps.h"

namespace pcbprep {
namespace {

using Records = std::vector<std::string>;

// A 100 by 80 board with every title box and every silk text off.
OutlineSettings Bare() {
  OutlineSettings s;
  s.width = 100;
  s.height = 80;
  s.filmTitles.fill(false);
  s.boardName = false;
  return s;
}

TEST(FilmTitles, OneBoxAtATime) {
  // Each case writes one TEXT record and its CHAR record, or nothing (both empty).
  const struct {
    int box;
    BoardType type;
    const char16_t* name;
    const char* text;
    const char* chars;
  } cases[] = {
      {kTitleComponentSide, BoardType::kFourLayer, u"ABC-01",
       "TEXT: LE=2, AP=6, NA=, X=0, Y=-8, HG=3, RO=0. MX=0, MY=0, JU=1/",
       "CHAR: NU= 10, ABC-01  L1/"},
      {kTitleComponentSide, BoardType::kFourLayer, u"",
       "TEXT: LE=2, AP=6, NA=, X=0, Y=-8, HG=3, RO=0. MX=0, MY=0, JU=1/", "CHAR: NU= 4,   L1/"},
      {kTitleComponentSide, BoardType::kFourLayer, u"試作基板",
       "TEXT: LE=2, AP=6, NA=, X=0, Y=-8, HG=3, RO=0. MX=0, MY=0, JU=1/",
       "CHAR: NU= 8, 試作基板  L1/"},
      {kTitleSolderSide, BoardType::kDoubleSided, u"ABC-01",
       "TEXT: LE=8, AP=6, NA=, X=0, Y=-8, HG=3, RO=0. MX=0, MY=0, JU=1/",
       "CHAR: NU= 10, ABC-01  L2/"},
      {kTitleSolderSide, BoardType::kFourLayer, u"ABC-01",
       "TEXT: LE=8, AP=6, NA=, X=0, Y=-8, HG=3, RO=0. MX=0, MY=0, JU=1/",
       "CHAR: NU= 10, ABC-01  L4/"},
      {kTitleSolderSide, BoardType::kSixLayer, u"ABC-01",
       "TEXT: LE=8, AP=6, NA=, X=0, Y=-8, HG=3, RO=0. MX=0, MY=0, JU=1/",
       "CHAR: NU= 10, ABC-01  L6/"},
      {kTitleSolderSide, BoardType::kNone, u"ABC-01", "", ""},
      {kTitleM1, BoardType::kFourLayer, u"ABC-01",
       "TEXT: LE=19, AP=6, NA=, X= 35, Y=-20, HG=3, RO=0. MX=0, MY=0, JU=1/",
       "CHAR: NU= 10, ABC-01  M1/"},
      {kTitleM2, BoardType::kFourLayer, u"ABC-01",
       "TEXT: LE=20, AP=6, NA=, X= 65, Y=-20, HG=3, RO=0. MX=1, MY=0, JU=1/",
       "CHAR: NU= 10, ABC-01  M2/"},
      {kTitleAssembly1, BoardType::kFourLayer, u"ABC-01",
       "TEXT: LE=21, AP=1, NA=, X= 70, Y=-5, HG=2, RO=0. MX=0, MY=0, JU=1/",
       "CHAR: NU= 10, ABC-01  BMH/"},
      {kTitleAssembly2, BoardType::kFourLayer, u"ABC-01",
       "TEXT: LE=22, AP=1, NA=, X= 70, Y=-5, HG=2, RO=0. MX=0, MY=0, JU=1/",
       "CHAR: NU= 10, ABC-01  HMH/"},
      {kTitleAssembly1, BoardType::kFourLayer, u"", "", ""},
      {kTitleAssembly2, BoardType::kFourLayer, u"", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "box " << c.box << ", " << c.text);
    OutlineSettings s = Bare();
    s.filmTitles[c.box] = true;
    s.boardType = c.type;
    s.boardOrderName = c.name;
    const Records expected =
        *c.text == '\0' ? Records{} : Records{std::string(c.text), std::string(c.chars)};
    EXPECT_EQ(StepRecords(AppendFilmTitles, s), expected);
  }
}

TEST(FilmTitles, AllBoxesInTheirOrderThenTheMetalMaskText) {
  OutlineSettings s = Bare();
  s.filmTitles.fill(true);
  s.boardType = BoardType::kSixLayer;
  s.boardOrderName = u"P1";
  s.metalMaskText = true;
  s.metalMaskTextValue = u"ﾒﾀﾙ版Ａ";
  const Records r = StepRecords(AppendFilmTitles, s);
  Records chars, layers;
  for (std::size_t i = 0; i < r.size(); i += 2) {
    layers.push_back(r[i].substr(0, r[i].find(',')));
    chars.push_back(r[i + 1]);
  }
  EXPECT_EQ(layers,
            (Records{"TEXT: LE=2", "TEXT: LE=3", "TEXT: LE=4", "TEXT: LE=5", "TEXT: LE=6",
                     "TEXT: LE=8", "TEXT: LE=15", "TEXT: LE=16", "TEXT: LE=17", "TEXT: LE=18",
                     "TEXT: LE=19", "TEXT: LE=20", "TEXT: LE=21", "TEXT: LE=22", "TEXT: LE=19"}));
  EXPECT_EQ(chars,
            (Records{"CHAR: NU= 6, P1  L1/", "CHAR: NU= 6, P1  L2/", "CHAR: NU= 6, P1  L3/",
                     "CHAR: NU= 6, P1  L4/", "CHAR: NU= 6, P1  L5/", "CHAR: NU= 6, P1  L6/",
                     "CHAR: NU= 6, P1  R1/", "CHAR: NU= 6, P1  R2/", "CHAR: NU= 6, P1  S1/",
                     "CHAR: NU= 6, P1  S2/", "CHAR: NU= 6, P1  M1/", "CHAR: NU= 6, P1  M2/",
                     "CHAR: NU= 6, P1  BMH/", "CHAR: NU= 6, P1  HMH/", "CHAR: NU= 5, ﾒﾀﾙ版Ａ/"}));
  EXPECT_EQ(r[28], "TEXT: LE=19, AP=6, NA=, X= 35, Y=-26, HG=2.5, RO=0. MX=0, MY=0, JU=1/");
}

TEST(FilmTitles, MetalMaskTextNeedsBoxAndText) {
  for (const auto& [on, text] : {std::pair{true, u""}, std::pair{false, u"MASK"}}) {
    OutlineSettings s = Bare();
    s.metalMaskText = on;
    s.metalMaskTextValue = text;
    EXPECT_TRUE(StepRecords(AppendFilmTitles, s).empty()) << on;
  }
}

TEST(SilkTexts, WrittenAboveTheBoardWhenCheckedAndNotEmpty) {
  const struct {
    const char* what;
    bool board, subtitle, comment;
    const char16_t* text;
    Records expected;
  } cases[] = {
      {"board name",
       true,
       false,
       false,
       u"基板名称Ａ",
       {"TEXT: LE=17, AP=6, NA=, X= 40, Y= 84, HG=2, RO=0. MX=0, MY=0, JU=1/",
        "CHAR: NU= 5, 基板名称Ａ/"}},
      {"subtitle",
       false,
       true,
       false,
       u"Rev.B",
       {"TEXT: LE=17, AP=6, NA=, X= 40, Y= 88, HG=2, RO=0. MX=0, MY=0, JU=1/",
        "CHAR: NU= 5, Rev.B/"}},
      {"comment",
       false,
       false,
       true,
       u"x/y",
       {"TEXT: LE=17, AP=6, NA=, X= 40, Y= 92, HG=2, RO=0. MX=0, MY=0, JU=1/",
        "CHAR: NU= 3, x/y/"}},
      {"empty texts", true, true, true, u"", {}},
      {"boxes off", false, false, false, u"ABC", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    OutlineSettings s = Bare();
    s.boardName = c.board;
    s.subtitle = c.subtitle;
    s.comment = c.comment;
    s.boardNameValue = s.subtitleValue = s.commentValue = c.text;
    EXPECT_EQ(StepRecords(AppendSilkTexts, s), c.expected);
  }
}

TEST(SilkTexts, BoardNameSubtitleCommentInThatOrder) {
  OutlineSettings s = Bare();
  s.boardName = s.subtitle = s.comment = true;
  s.boardNameValue = u"B";
  s.subtitleValue = u"S";
  s.commentValue = u"C";
  const Records r = StepRecords(AppendSilkTexts, s);
  ASSERT_EQ(r.size(), 6u);
  EXPECT_EQ(r[1], "CHAR: NU= 1, B/");
  EXPECT_EQ(r[3], "CHAR: NU= 1, S/");
  EXPECT_EQ(r[5], "CHAR: NU= 1, C/");
}

}  // namespace
}  // namespace pcbprep
