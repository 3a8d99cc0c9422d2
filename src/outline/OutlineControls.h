#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "outline/OutlineSettings.h"

namespace pcbprep {

// The settings of the outline window by control name. The window reads its boxes
// through this table and the command line sets the same names, so the two cannot
// drift apart.
enum class OutlineControlKind {
  kNumber,     // text box read as a number (Text4)
  kText,       // text box taken as typed (Text1)
  kCheck,      // check box (Check17)
  kList,       // drop-down list, by position (Combo1)
  kCorner,     // corner-treatment option button (Option6)
  kBoardType,  // board-type option button (Option1)
};

struct OutlineControl {
  std::string_view name;
  OutlineControlKind kind;
  // False for the boxes the settings do not hold because no output depends on them
  // (the silk text sizes, the test-point net-name box): known names whose value
  // changes nothing.
  bool isSetting = true;
};

// Every setting control of the window, in window order.
const std::vector<OutlineControl>& OutlineControls();

// The control of that name (exact, case-sensitive), or null.
const OutlineControl* FindOutlineControl(std::string_view name);

// Each setter writes the setting its control stands for and does nothing for a name
// of another kind or one that is no setting.
void SetOutlineNumber(OutlineSettings& settings, std::string_view name, double value);
void SetOutlineText(OutlineSettings& settings, std::string_view name, Text value);
void SetOutlineCheck(OutlineSettings& settings, std::string_view name, bool checked);
// Returns false, changing nothing, for a position outside the list.
bool SetOutlineListPosition(OutlineSettings& settings, std::string_view name, int position);

// The value a control shows for the settings; 0, "", false or -1 for a name of another
// kind or one that is no setting.
double OutlineNumber(const OutlineSettings& settings, std::string_view name);
Text OutlineText(const OutlineSettings& settings, std::string_view name);
bool OutlineCheck(const OutlineSettings& settings, std::string_view name);
int OutlineListPosition(const OutlineSettings& settings, std::string_view name);

// A number as a box of the window shows it after a settings file was loaded: the
// shortest text that reads back to the same value, with ".0" on a whole number as the
// file writes it (5 -> "5.0", 0.4 -> "0.4").
Text OutlineNumberText(double value);

// The items of a list control (Combo1, Combo2); empty for any other name.
std::vector<Text> OutlineListItems(std::string_view name);

// Every number box holds a size in millimetres; past this one (10 m) no board goes, and
// with it the drawing's coordinates stay well inside what a DBL reader takes (100 m).
inline constexpr double kMaxOutlineSize = 10000;

// Why a value cannot go into the file, or "": a number that is no finite size up to
// kMaxOutlineSize; a text holding a line break, since every DBL record is one line
// (a "/" stays allowed: the characters run to the record's last one).
Text OutlineNumberProblem(double value);
Text OutlineTextProblem(TextView value);

struct OutlineSettingProblem {
  std::string_view name;  // the control
  Text reason;
};
// The first setting control, in window order, whose value cannot go into the file.
std::optional<OutlineSettingProblem> FindOutlineSettingProblem(const OutlineSettings& settings);

// What a corner or board-type option button stands for (kNone for other names).
CornerTreatment CornerOfOption(std::string_view name);
BoardType BoardTypeOfOption(std::string_view name);

}  // namespace pcbprep
