#include "outline/OutlineControls.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace pcbprep {

namespace {

using Kind = OutlineControlKind;

// One control and the setting it stands for; only the member of its kind is used.
struct Entry {
  OutlineControl control;
  double OutlineSettings::*number = nullptr;
  Text OutlineSettings::*text = nullptr;
  bool OutlineSettings::*check = nullptr;
  int film = -1;  // Check1 .. Check14 are elements of filmTitles
  int OutlineSettings::*list = nullptr;
  CornerTreatment corner = CornerTreatment::kNone;
  BoardType boardType = BoardType::kNone;
};

Entry Number(std::string_view name, double OutlineSettings::*member) {
  return {.control = {name, Kind::kNumber}, .number = member};
}
Entry TextBox(std::string_view name, Text OutlineSettings::*member) {
  return {.control = {name, Kind::kText}, .text = member};
}
Entry Check(std::string_view name, bool OutlineSettings::*member) {
  return {.control = {name, Kind::kCheck}, .check = member};
}
Entry Film(std::string_view name, int film) {
  return {.control = {name, Kind::kCheck}, .film = film};
}
Entry List(std::string_view name, int OutlineSettings::*member) {
  return {.control = {name, Kind::kList}, .list = member};
}
Entry Corner(std::string_view name, CornerTreatment corner) {
  return {.control = {name, Kind::kCorner}, .corner = corner};
}
Entry Board(std::string_view name, BoardType type) {
  return {.control = {name, Kind::kBoardType}, .boardType = type};
}
Entry NoSetting(std::string_view name, Kind kind) { return {.control = {name, kind, false}}; }

const std::vector<Entry>& Entries() {
  using S = OutlineSettings;
  static const std::vector<Entry> entries = {
      // Outline data.
      Number("Text4", &S::width),
      Number("Text5", &S::height),
      Check("Check17", &S::outline),
      Check("Check18", &S::wiringArea),
      Check("Check21", &S::outlineDimensions),
      Check("Check19", &S::holeDimensions),
      Check("Check23", &S::holeData),
      List("Combo1", &S::holeDiameter),
      List("Combo2", &S::holeArrangement),
      Number("Text13", &S::holeOffset),
      Check("Check24", &S::placementGuides),
      Corner("Option6", CornerTreatment::kSquare),
      Corner("Option5", CornerTreatment::kChamfered),
      Corner("Option4", CornerTreatment::kRounded),
      Number("Text23", &S::cornerSize),
      // Frame data.
      Check("Check15", &S::resistFrame),
      Check("Check20", &S::cornerMarks),
      Number("Text6", &S::cornerMarkWidth),
      Check("Check16", &S::metalMaskCornerMarks),
      Check("Check22", &S::groundPlane),
      Check("Check26", &S::outerLayerPlanes),
      // Texts.
      TextBox("Text1", &S::boardOrderName),
      Film("Check1", kTitleComponentSide),
      Film("Check2", kTitleL2),
      Film("Check3", kTitleL3),
      Film("Check4", kTitleL4),
      Film("Check5", kTitleL5),
      Film("Check6", kTitleSolderSide),
      Film("Check7", kTitleR1),
      Film("Check8", kTitleR2),
      Film("Check9", kTitleS1),
      Film("Check10", kTitleS2),
      Film("Check11", kTitleM1),
      Film("Check12", kTitleM2),
      Film("Check13", kTitleAssembly1),
      Film("Check14", kTitleAssembly2),
      Check("Check27", &S::metalMaskText),
      TextBox("Text15", &S::metalMaskTextValue),
      Check("Check31", &S::filmNumber),
      Board("Option1", BoardType::kDoubleSided),
      Board("Option2", BoardType::kFourLayer),
      Board("Option3", BoardType::kSixLayer),
      // Silk texts.
      Check("Check28", &S::boardName),
      TextBox("Text8", &S::boardNameValue),
      NoSetting("Text9", Kind::kNumber),
      NoSetting("Text10", Kind::kNumber),
      Check("Check29", &S::subtitle),
      TextBox("Text16", &S::subtitleValue),
      NoSetting("Text18", Kind::kNumber),
      NoSetting("Text19", Kind::kNumber),
      Check("Check30", &S::comment),
      TextBox("Text17", &S::commentValue),
      NoSetting("Text20", Kind::kNumber),
      NoSetting("Text21", Kind::kNumber),
      NoSetting("Check25", Kind::kCheck),
  };
  return entries;
}

const Entry* Find(std::string_view name, Kind kind) {
  const auto& entries = Entries();
  const auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const Entry& e) { return e.control.name == name; });
  if (it == entries.end() || it->control.kind != kind || !it->control.isSetting) return nullptr;
  return &*it;
}

}  // namespace

const std::vector<OutlineControl>& OutlineControls() {
  static const std::vector<OutlineControl> controls = [] {
    std::vector<OutlineControl> out;
    for (const Entry& e : Entries()) out.push_back(e.control);
    return out;
  }();
  return controls;
}

const OutlineControl* FindOutlineControl(std::string_view name) {
  const auto& controls = OutlineControls();
  const auto it = std::find_if(controls.begin(), controls.end(),
                               [&](const OutlineControl& c) { return c.name == name; });
  return it == controls.end() ? nullptr : &*it;
}

void SetOutlineNumber(OutlineSettings& s, std::string_view name, double value) {
  if (const Entry* e = Find(name, Kind::kNumber)) s.*(e->number) = value;
}

void SetOutlineText(OutlineSettings& s, std::string_view name, Text value) {
  if (const Entry* e = Find(name, Kind::kText)) s.*(e->text) = std::move(value);
}

void SetOutlineCheck(OutlineSettings& s, std::string_view name, bool checked) {
  const Entry* e = Find(name, Kind::kCheck);
  if (!e) return;
  if (e->film >= 0) {
    s.filmTitles[static_cast<std::size_t>(e->film)] = checked;
  } else {
    s.*(e->check) = checked;
  }
}

bool SetOutlineListPosition(OutlineSettings& s, std::string_view name, int position) {
  const Entry* e = Find(name, Kind::kList);
  if (!e) return false;
  const auto count = static_cast<int>(OutlineListItems(name).size());
  if (position < 0 || position >= count) return false;
  s.*(e->list) = position;
  return true;
}

double OutlineNumber(const OutlineSettings& s, std::string_view name) {
  const Entry* e = Find(name, Kind::kNumber);
  return e ? s.*(e->number) : 0;
}

Text OutlineText(const OutlineSettings& s, std::string_view name) {
  const Entry* e = Find(name, Kind::kText);
  return e ? s.*(e->text) : Text();
}

bool OutlineCheck(const OutlineSettings& s, std::string_view name) {
  const Entry* e = Find(name, Kind::kCheck);
  if (!e) return false;
  return e->film >= 0 ? s.filmTitles[static_cast<std::size_t>(e->film)] : s.*(e->check);
}

int OutlineListPosition(const OutlineSettings& s, std::string_view name) {
  const Entry* e = Find(name, Kind::kList);
  return e ? s.*(e->list) : -1;
}

Text OutlineNumberText(double value) {
  char digits[64];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  std::string text(digits, result.ptr);
  if (text.find_first_of(".eEn") == std::string::npos) text += ".0";
  return FromUtf8(text);
}

Text OutlineNumberProblem(double value) {
  if (std::fabs(value) <= kMaxOutlineSize) return {};
  return u"大きすぎます（絶対値 " + IntText(static_cast<long long>(kMaxOutlineSize)) +
         u" mm まで）";
}

Text OutlineTextProblem(TextView value) {
  if (value.find_first_of(u"\r\n") == TextView::npos) return {};
  return u"改行は書けません（DBL ファイルの１レコードは１行です）";
}

std::optional<OutlineSettingProblem> FindOutlineSettingProblem(const OutlineSettings& s) {
  for (const OutlineControl& control : OutlineControls()) {
    if (!control.isSetting) continue;
    Text reason;
    if (control.kind == Kind::kNumber)
      reason = OutlineNumberProblem(OutlineNumber(s, control.name));
    if (control.kind == Kind::kText) reason = OutlineTextProblem(OutlineText(s, control.name));
    if (!reason.empty()) return OutlineSettingProblem{control.name, std::move(reason)};
  }
  return std::nullopt;
}

std::vector<Text> OutlineListItems(std::string_view name) {
  if (name == "Combo1") return HoleDiameterItems();
  if (name == "Combo2") return HoleArrangementItems();
  return {};
}

CornerTreatment CornerOfOption(std::string_view name) {
  const Entry* e = Find(name, Kind::kCorner);
  return e ? e->corner : CornerTreatment::kNone;
}

BoardType BoardTypeOfOption(std::string_view name) {
  const Entry* e = Find(name, Kind::kBoardType);
  return e ? e->boardType : BoardType::kNone;
}

}  // namespace pcbprep
