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

using Label = std::u16string_view;

Entry Number(std::string_view name, Label label, double OutlineSettings::*member) {
  return {.control = {name, Kind::kNumber, true, label}, .number = member};
}
Entry TextBox(std::string_view name, Label label, Text OutlineSettings::*member) {
  return {.control = {name, Kind::kText, true, label}, .text = member};
}
Entry Check(std::string_view name, Label label, bool OutlineSettings::*member) {
  return {.control = {name, Kind::kCheck, true, label}, .check = member};
}
Entry Film(std::string_view name, Label label, int film) {
  return {.control = {name, Kind::kCheck, true, label}, .film = film};
}
Entry List(std::string_view name, Label label, int OutlineSettings::*member) {
  return {.control = {name, Kind::kList, true, label}, .list = member};
}
Entry Corner(std::string_view name, Label label, CornerTreatment corner) {
  return {.control = {name, Kind::kCorner, true, label}, .corner = corner};
}
Entry Board(std::string_view name, Label label, BoardType type) {
  return {.control = {name, Kind::kBoardType, true, label}, .boardType = type};
}
Entry NoSetting(std::string_view name, Label label, Kind kind) {
  return {.control = {name, kind, false, label}};
}

const std::vector<Entry>& Entries() {
  using S = OutlineSettings;
  // The labels are what the window shows at each control, so that a message names the
  // box the user sees.
  static const std::vector<Entry> entries = {
      // Outline data.
      Number("Text4", u"外形寸法 X", &S::width),
      Number("Text5", u"外形寸法 Y", &S::height),
      Check("Check17", u"外形線", &S::outline),
      Check("Check18", u"配線エリア", &S::wiringArea),
      Check("Check21", u"寸法線", &S::outlineDimensions),
      Check("Check19", u"取付穴寸法線", &S::holeDimensions),
      Check("Check23", u"取付穴データ発生", &S::holeData),
      List("Combo1", u"取付穴の穴径", &S::holeDiameter),
      List("Combo2", u"取付穴の配置", &S::holeArrangement),
      Number("Text13", u"取付穴 外形より", &S::holeOffset),
      Check("Check24", u"配置補助線", &S::placementGuides),
      Corner("Option6", u"コーナー処理 直角", CornerTreatment::kSquare),
      Corner("Option5", u"コーナー処理 Ｃカット", CornerTreatment::kChamfered),
      Corner("Option4", u"コーナー処理 Ｒ処理", CornerTreatment::kRounded),
      Number("Text23", u"コーナー処理 mm", &S::cornerSize),
      // Frame data.
      Check("Check15", u"レジスト枠", &S::resistFrame),
      Check("Check20", u"コーナーマーク", &S::cornerMarks),
      Number("Text6", u"コーナーマーク 線幅", &S::cornerMarkWidth),
      Check("Check16", u"メタルマスク コーナーマーク", &S::metalMaskCornerMarks),
      Check("Check22", u"ＧＮＤベタ層（ネガ）", &S::groundPlane),
      Check("Check26", u"外層ベタ", &S::outerLayerPlanes),
      // Texts.
      TextBox("Text1", u"基板手配名", &S::boardOrderName),
      Film("Check1", u"部品面", kTitleComponentSide),
      Film("Check2", u"Ｌ２", kTitleL2),
      Film("Check3", u"Ｌ３", kTitleL3),
      Film("Check4", u"Ｌ４", kTitleL4),
      Film("Check5", u"Ｌ５", kTitleL5),
      Film("Check6", u"半田面", kTitleSolderSide),
      Film("Check7", u"Ｒ１", kTitleR1),
      Film("Check8", u"Ｒ２", kTitleR2),
      Film("Check9", u"Ｓ１", kTitleS1),
      Film("Check10", u"Ｓ２", kTitleS2),
      Film("Check11", u"Ｍ１", kTitleM1),
      Film("Check12", u"Ｍ２", kTitleM2),
      Film("Check13", u"実装図１", kTitleAssembly1),
      Film("Check14", u"実装図２", kTitleAssembly2),
      Check("Check27", u"ﾒﾀﾙﾏｽｸ追加文字", &S::metalMaskText),
      TextBox("Text15", u"ﾒﾀﾙﾏｽｸ追加文字の文字", &S::metalMaskTextValue),
      Check("Check31", u"フィルム番号", &S::filmNumber),
      Board("Option1", u"初期値 両面基板", BoardType::kDoubleSided),
      Board("Option2", u"初期値 ４層基板", BoardType::kFourLayer),
      Board("Option3", u"初期値 ６層基板", BoardType::kSixLayer),
      // Silk texts.
      Check("Check28", u"基板名", &S::boardName),
      TextBox("Text8", u"基板名の文字", &S::boardNameValue),
      NoSetting("Text9", u"基板名 文字高", Kind::kNumber),
      NoSetting("Text10", u"基板名 線幅", Kind::kNumber),
      Check("Check29", u"サブタイトル", &S::subtitle),
      TextBox("Text16", u"サブタイトルの文字", &S::subtitleValue),
      NoSetting("Text18", u"サブタイトル 文字高", Kind::kNumber),
      NoSetting("Text19", u"サブタイトル 線幅", Kind::kNumber),
      Check("Check30", u"コメント他", &S::comment),
      TextBox("Text17", u"コメント他の文字", &S::commentValue),
      NoSetting("Text20", u"コメント他 文字高", Kind::kNumber),
      NoSetting("Text21", u"コメント他 線幅", Kind::kNumber),
      NoSetting("Check25", u"TP　ネット名", Kind::kCheck),
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

Text OutlineControlLabel(std::string_view name) {
  const OutlineControl* control = FindOutlineControl(name);
  return control ? Text(control->label) : FromUtf8(name);
}

std::optional<double> OutlineBoxNumber(TextView text) {
  std::string ascii;
  for (char16_t c : text) {
    if (c >= u'！' && c <= u'～') c = static_cast<char16_t>(c - (u'！' - u'!'));
    if (c == u'　') c = u' ';
    if (c >= 0x80) return std::nullopt;
    ascii += static_cast<char>(c);
  }
  std::string_view t = ascii;
  const auto trim = [&t] {
    const auto first = t.find_first_not_of(" \t");
    t = first == std::string_view::npos ? std::string_view() : t.substr(first);
    t = t.substr(0, t.find_last_not_of(" \t") + 1);
  };
  trim();
  if (t.empty()) return 0.0;  // an empty box reads as 0
  if (t.ends_with("mm")) {
    t.remove_suffix(2);
    trim();
  }
  // from_chars takes a minus of its own but no plus, and no second sign after it.
  if (t.starts_with('+')) {
    t.remove_prefix(1);
    if (t.starts_with('-')) return std::nullopt;
  }
  double value = 0;
  const auto result = std::from_chars(t.data(), t.data() + t.size(), value);
  if (result.ec != std::errc() || result.ptr != t.data() + t.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
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

Text OutlineBoxProblem(const OutlineControl& control, TextView text) {
  if (control.kind == Kind::kText) return OutlineTextProblem(text);
  if (control.kind != Kind::kNumber) return {};
  const std::optional<double> value = OutlineBoxNumber(text);
  return value ? OutlineNumberProblem(*value) : Text(kNotANumber);
}

std::optional<OutlineSettingProblem> FindOutlineBoxProblem(
    const std::function<Text(std::string_view)>& boxText) {
  for (const OutlineControl& control : OutlineControls()) {
    if (control.kind != Kind::kNumber && control.kind != Kind::kText) continue;
    Text reason = OutlineBoxProblem(control, boxText(control.name));
    if (!reason.empty()) return OutlineSettingProblem{control.name, std::move(reason)};
  }
  return std::nullopt;
}

Text OutlineProblemMessage(const OutlineSettingProblem& problem) {
  return OutlineControlLabel(problem.name) + u": " + problem.reason;
}

Text OutlineSettingsWarning(const OutlineSettings& s) {
  if (HoleArrangementMakesHoles(s.holeArrangement)) return {};
  const std::vector<Text> items = HoleArrangementItems();
  if (s.holeArrangement < 0 || s.holeArrangement >= static_cast<int>(items.size())) return {};
  // The item without the dashes that fill it out in the list.
  Text item = items[static_cast<std::size_t>(s.holeArrangement)];
  item.erase(item.find_last_not_of(u'-') + 1);
  return OutlineControlLabel("Combo2") + u"「" + item + u"」は穴を出力しません";
}

Text OutlineDrawingHint(const OutlineSettings& s) {
  if (s.width != 0 && s.height != 0) return {};
  return u"外形寸法を入力してください";
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
