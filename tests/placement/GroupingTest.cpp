#include "placement/Grouping.h"

#include <gtest/gtest.h>

#include <vector>

#include "design/TestDesign.h"

namespace pcbprep {
namespace {

using testing::AddPart;

struct Asked {
  int count = 0;
  bool answer = false;
  std::function<bool()> confirm() {
    return [this] {
      ++count;
      return answer;
    };
  }
};

Design PartsWithGroups(const std::vector<std::pair<Text, Text>>& parts) {
  Design d;
  for (const auto& [reference, group] : parts) {
    const int row = AddPart(d, reference, {.partClass = kClassSub});
    d.PartTable.set(row, kPartGroup, group);
  }
  return d;
}

std::vector<Text> Groups(const Design& d) {
  std::vector<Text> groups;
  for (int i = 1; i <= d.PartCount; ++i) groups.push_back(d.PartTable.at(i, kPartGroup));
  return groups;
}

TEST(GroupParts, HundredsSplitTakesTheFirstDigitOfPartsWithoutAGroup) {
  Design d = PartsWithGroups({{u"R101", u""},
                              {u"R158", u""},
                              {u"R205", u""},
                              {u"C12", u""},
                              {u"C5", u""},
                              {u"R1005", u""},
                              {u"IC3", u""},
                              {u"TP", u""},
                              {u"R7", u"A"},
                              {u"3V", u""}});
  Asked asked;
  EXPECT_TRUE(GroupParts(d, kGroupByHundreds, true, asked.confirm()));
  EXPECT_EQ(Groups(d),
            (std::vector<Text>{u"1", u"1", u"2", u"1", u"5", u"1", u"3", u"", u"A", u"3"}));
  EXPECT_EQ(asked.count, 0);
}

TEST(GroupParts, ReportsWhetherTheListMustBeRebuilt) {
  struct Case {
    const char* what;
    std::vector<std::pair<Text, Text>> parts;
    bool expected;
  };
  const std::vector<Case> cases = {
      {"every group set", {{u"R1", u"A"}, {u"R2", u"2"}}, false},
      {"a part without digits still counts", {{u"TP", u""}, {u"R2", u"2"}}, true},
      {"no parts", {}, false},
  };
  for (const Case& c : cases) {
    Design d = PartsWithGroups(c.parts);
    const auto before = Groups(d);
    Asked asked;
    EXPECT_EQ(GroupParts(d, kGroupByHundreds, true, asked.confirm()), c.expected) << c.what;
    EXPECT_EQ(Groups(d), before) << c.what;
  }
}

TEST(GroupParts, ClearAsksOnlyWhenTheListShowsParts) {
  struct Case {
    const char* what;
    bool listHasEntries;
    bool answer;
    int asked;
    bool result;
    Text groupAfter;
  };
  const Case cases[] = {
      {"cancelled", true, false, 1, false, u"1"},
      {"confirmed", true, true, 1, true, u""},
      {"empty list", false, false, 0, true, u""},
  };
  for (const Case& c : cases) {
    Design d = PartsWithGroups({{u"R101", u"1"}, {u"R2", u"B"}});
    d.PartTable.set(3, kPartGroup, u"kept");  // past the part count
    Asked asked{0, c.answer};
    EXPECT_EQ(GroupParts(d, kGroupClear, c.listHasEntries, asked.confirm()), c.result) << c.what;
    EXPECT_EQ(asked.count, c.asked) << c.what;
    EXPECT_EQ(d.PartTable.at(1, kPartGroup), c.groupAfter) << c.what;
    EXPECT_EQ(d.PartTable.at(3, kPartGroup), u"kept") << c.what;
  }
}

TEST(GroupParts, OtherMethodsDoNothing) {
  for (const int method : {-1, 0, 1, 2, 4, 6}) {
    Design d = PartsWithGroups({{u"R101", u""}, {u"R2", u"B"}});
    Asked asked{0, true};
    EXPECT_FALSE(GroupParts(d, method, true, asked.confirm())) << method;
    EXPECT_EQ(Groups(d), (std::vector<Text>{u"", u"B"})) << method;
    EXPECT_EQ(asked.count, 0) << method;
  }
}

}  // namespace
}  // namespace pcbprep
