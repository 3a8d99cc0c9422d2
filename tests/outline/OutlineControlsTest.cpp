#include <gtest/gtest.h>

#include <functional>

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

}  // namespace
}  // namespace pcbprep
