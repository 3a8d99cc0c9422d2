#pragma once

#include <functional>
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
  // What the window shows at the control ("外形寸法 X"); messages name a box by it.
  std::u16string_view label;
};

// Every setting control of the window, in window order.
const std::vector<OutlineControl>& OutlineControls();

// The control of that name (exact, case-sensitive), or null.
const OutlineControl* FindOutlineControl(std::string_view name);

// The label of a control; the name itself for a name that is no control.
Text OutlineControlLabel(std::string_view name);

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

// The one reading of a number box, for the window, settings files and --set alike: the
// full-width forms an input method types (digits, sign, decimal point, "ｍｍ") read as
// their ASCII ones; blanks around it are ignored; an empty box is 0; a decimal number
// with an optional exponent may be followed by "mm". Anything else (and a number past
// what a double holds) is no number.
std::optional<double> OutlineBoxNumber(TextView text);

// Why a value cannot go into the file, or "": a number that is no finite size up to
// kMaxOutlineSize; a text holding a line break, since every DBL record is one line
// (a "/" stays allowed: the characters run to the record's last one).
Text OutlineNumberProblem(double value);
Text OutlineTextProblem(TextView value);
// The problem of a box's text: a number box that holds no number (OutlineBoxNumber) or
// too large a one, a text box with a line break; "" for any other control.
Text OutlineBoxProblem(const OutlineControl& control, TextView text);
inline constexpr char16_t kNotANumber[] = u"数値ではありません";

struct OutlineSettingProblem {
  std::string_view name;  // the control
  Text reason;
};
// The first number or text box, in window order, whose text cannot go into the file;
// boxText gives the text a box holds by its control name.
std::optional<OutlineSettingProblem> FindOutlineBoxProblem(
    const std::function<Text(std::string_view)>& boxText);
// The problem as the window says it: "外形寸法 X: 数値ではありません".
Text OutlineProblemMessage(const OutlineSettingProblem& problem);

// What a setting that is taken but gives less than it seems deserves, or "":
// "取付穴の配置「６　穴」は穴を出力しません".
Text OutlineSettingsWarning(const OutlineSettings& settings);

// In place of the drawing while the outline has no size: "外形寸法を入力してください";
// "" when both sizes are given.
Text OutlineDrawingHint(const OutlineSettings& settings);

// What a corner or board-type option button stands for (kNone for other names).
CornerTreatment CornerOfOption(std::string_view name);
BoardType BoardTypeOfOption(std::string_view name);

}  // namespace pcbprep
