#include "outline/OutlineSettingsFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "outline/OutlineControls.h"

namespace pcbprep {

namespace {

constexpr char kCornerKey[] = "corner";
// Deeper nesting is refused while parsing; no setting needs more than one level.
constexpr int kMaxDepth = 64;
constexpr char kBoardTypeKey[] = "boardType";

template <typename T>
struct NamedChoice {
  const char* name;
  T value;
};
constexpr NamedChoice<CornerTreatment> kCorners[] = {
    {"square", CornerTreatment::kSquare},        // Option6 直角
    {"chamfered", CornerTreatment::kChamfered},  // Option5 Ｃカット
    {"rounded", CornerTreatment::kRounded},      // Option4 Ｒ処理
    {"none", CornerTreatment::kNone},
};
constexpr NamedChoice<BoardType> kBoardTypes[] = {
    {"double-sided", BoardType::kDoubleSided},  // Option1 両面基板
    {"four-layer", BoardType::kFourLayer},      // Option2 ４層基板
    {"six-layer", BoardType::kSixLayer},        // Option3 ６層基板
    {"none", BoardType::kNone},
};

template <typename T, std::size_t N>
std::string NamesOf(const NamedChoice<T> (&choices)[N]) {
  std::string names;
  for (const auto& c : choices) names += (names.empty() ? "" : ", ") + std::string(c.name);
  return names;
}

template <typename T, std::size_t N>
const char* NameOf(const NamedChoice<T> (&choices)[N], T value) {
  for (const auto& c : choices) {
    if (c.value == value) return c.name;
  }
  return "none";
}

// One key with its value, from the file or from an override.
struct Entry {
  std::string key;
  const nlohmann::ordered_json* json = nullptr;  // the value in the file
  std::string text;                              // the value of an override
  std::string origin;                            // the file name or the override as given
};

// What the window shows for a key: its control's label, or the frame of an option group.
std::string LabelOf(const std::string& key) {
  if (key == kCornerKey) return "コーナー処理";
  if (key == kBoardTypeKey) return "初期値";
  const OutlineControl* control = FindOutlineControl(key);
  return control ? ToUtf8(control->label) : std::string();
}

// "file.json: 外形寸法 X（Text4）: problem", or "--set Text4=x: 外形寸法 X: problem" where
// the key shows already; a key that is no control shows as it is.
[[noreturn]] void Fail(const Entry& e, const std::string& problem) {
  const std::string label = LabelOf(e.key);
  std::string where;
  if (e.json) where = label.empty() ? e.key + ": " : label + "（" + e.key + "）: ";
  if (!e.json && !label.empty()) where = label + ": ";
  throw OutlineSettingsError{e.origin + ": " + where + problem};
}

// At most kQuoteLimit characters of a text, cut on a character boundary.
std::string Clipped(const std::string& text) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (++characters > kQuoteLimit) return text.substr(0, i) + "…";
  }
  return text;
}

// A JSON value as a message shows it; bytes that are not UTF-8 cannot come from a
// parsed file, but are replaced rather than thrown over.
std::string Shown(const nlohmann::ordered_json& value) {
  return Clipped(value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<int> IntegerText(const std::string& text) {
  const std::string t = Trimmed(text);
  int value = 0;
  const auto result = std::from_chars(t.data(), t.data() + t.size(), value);
  if (t.empty() || result.ec != std::errc() || result.ptr != t.data() + t.size()) {
    return std::nullopt;
  }
  return value;
}

std::string StringOf(const Entry& e, const char* expected) {
  if (!e.json) return e.text;
  if (!e.json->is_string())
    Fail(e, std::string(expected) + "を指定してください（値: " + Shown(*e.json) + "）");
  return e.json->get<std::string>();
}

double NumberOf(const Entry& e) {
  if (e.json && e.json->is_number()) return e.json->get<double>();
  const std::string text = StringOf(e, "数値");
  const auto value = OutlineBoxNumber(FromUtf8(text));
  if (!value) Fail(e, ToUtf8(kNotANumber) + ": \"" + Clipped(text) + "\"");
  return *value;
}

bool BoolOf(const Entry& e) {
  if (e.json) {
    if (!e.json->is_boolean())
      Fail(e, "true か false を指定してください（値: " + Shown(*e.json) + "）");
    return e.json->get<bool>();
  }
  const std::string t = Trimmed(e.text);
  if (t == "true" || t == "1" || t == "on") return true;
  if (t == "false" || t == "0" || t == "off") return false;
  Fail(e, "true か false を指定してください（値: \"" + Clipped(e.text) + "\"）");
}

// A list position, or the text of one of its items.
int ListPositionOf(const Entry& e) {
  const std::vector<Text> items = OutlineListItems(e.key);
  std::optional<long long> position;
  if (e.json && e.json->is_number_integer()) {
    position = e.json->get<long long>();
  } else {
    const std::string text = StringOf(e, "リストの位置（0 から）か項目の文字列");
    for (std::size_t i = 0; i < items.size() && !position; ++i) {
      if (FromUtf8(text) == items[i]) position = static_cast<int>(i);
    }
    if (!position) position = IntegerText(text);
  }
  if (!position || *position < 0 || *position >= static_cast<long long>(items.size())) {
    std::string list;
    for (std::size_t i = 0; i < items.size(); ++i) {
      list += "\n  " + std::to_string(i) + ": " + ToUtf8(items[i]);
    }
    Fail(e, "リストにない値です。位置か項目を指定してください:" + list);
  }
  return static_cast<int>(*position);
}

template <typename T, std::size_t N>
T NamedChoiceOf(const Entry& e, const NamedChoice<T> (&choices)[N]) {
  const std::string name = StringOf(e, "文字列");
  for (const auto& c : choices) {
    if (name == c.name) return c.value;
  }
  Fail(e, "\"" + Clipped(name) + "\" は指定できません（" + NamesOf(choices) + " のどれか）");
}

// The choice of one option group (corner treatment or board type) within one source.
template <typename T>
struct GroupChoice {
  std::optional<T> value;
  std::string by;  // the key that chose it, for a conflict message

  void choose(const Entry& e, T chosen) {
    if (value && *value != chosen) Fail(e, by + " と食い違う選択です");
    value = chosen;
    by = e.key;
  }
};

struct SourceChoices {
  GroupChoice<CornerTreatment> corner;
  GroupChoice<BoardType> boardType;
};

// Records an option-group key in the choices of its source; false for any other key.
bool TakeChoice(const Entry& e, SourceChoices& choices) {
  if (e.key == kCornerKey) {
    choices.corner.choose(e, NamedChoiceOf(e, kCorners));
    return true;
  }
  if (e.key == kBoardTypeKey) {
    choices.boardType.choose(e, NamedChoiceOf(e, kBoardTypes));
    return true;
  }
  const OutlineControl* control = FindOutlineControl(e.key);
  if (!control) {
    Fail(e, "不明な設定名です（外形作成ウィンドウのコントロール名か、corner / boardType）");
  }
  if (control->kind != OutlineControlKind::kCorner &&
      control->kind != OutlineControlKind::kBoardType) {
    return false;
  }
  // An option button is chosen, never unchosen: another button of its group, or
  // "none" under the readable name, takes its place.
  if (!BoolOf(e)) {
    Fail(e, std::string("選ぶボタンに true を指定してください（選ばないときは ") +
                (control->kind == OutlineControlKind::kCorner ? kCornerKey : kBoardTypeKey) +
                " で指定します）");
  }
  if (control->kind == OutlineControlKind::kCorner) {
    choices.corner.choose(e, CornerOfOption(e.key));
  } else {
    choices.boardType.choose(e, BoardTypeOfOption(e.key));
  }
  return true;
}

void Apply(const Entry& e, OutlineSettings& s) {
  const OutlineControl* control = FindOutlineControl(e.key);
  switch (control->kind) {
    case OutlineControlKind::kNumber: {
      const double value = NumberOf(e);
      if (const Text problem = OutlineNumberProblem(value); !problem.empty()) {
        Fail(e, ToUtf8(problem) + "（値: " + Clipped(ToUtf8(OutlineNumberText(value))) + "）");
      }
      SetOutlineNumber(s, e.key, value);
      break;
    }
    case OutlineControlKind::kText: {
      Text value = FromUtf8(StringOf(e, "文字列"));
      if (const Text problem = OutlineTextProblem(value); !problem.empty()) {
        Fail(e, ToUtf8(problem));
      }
      SetOutlineText(s, e.key, std::move(value));
      break;
    }
    case OutlineControlKind::kCheck:
      SetOutlineCheck(s, e.key, BoolOf(e));
      break;
    case OutlineControlKind::kList:
      SetOutlineListPosition(s, e.key, ListPositionOf(e));
      break;
    case OutlineControlKind::kCorner:
    case OutlineControlKind::kBoardType:
      break;  // chosen before
  }
}

// Line and column (in characters, both from 1) of the byte at `offset`, 0-based.
std::string PlaceOf(const std::string& text, std::size_t offset) {
  offset = std::min(offset, text.size());
  const std::size_t lineStart = text.rfind('\n', offset == 0 ? 0 : offset - 1);
  const std::size_t from = lineStart == std::string::npos || offset == 0 ? 0 : lineStart + 1;
  const auto line =
      1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(from), '\n');
  // Characters, not bytes: UTF-8 continuation bytes do not start one.
  const auto column =
      1 + std::count_if(text.begin() + static_cast<std::ptrdiff_t>(from),
                        text.begin() + static_cast<std::ptrdiff_t>(offset),
                        [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
  return std::to_string(line) + " 行 " + std::to_string(column) + " 文字目";
}

// The reader's English report said in Japanese: where, what kind of fault and the text
// it last read.
std::string SyntaxErrorText(const std::string& text, const nlohmann::json::parse_error& e) {
  const std::string what = e.what();
  std::string token;
  // "...; last read: 'TOKEN'" with "; expected ..." after it or not.
  const std::size_t lastRead = what.find("; last read: '");
  if (lastRead != std::string::npos) {
    const std::size_t start = lastRead + 14;
    std::size_t end = what.find("'; ", start);
    if (end == std::string::npos) end = what.size() - 1;
    if (end > start) token = Clipped(what.substr(start, end - start));
  }
  std::string kind;
  if (what.find("unexpected end of input") != std::string::npos) {
    kind = "途中で終わっています（括弧か引用符が閉じていません）";
  } else if (what.find("invalid string") != std::string::npos) {
    kind = "文字列の書き方が正しくありません（引用符・\\ の後・制御文字）";
  } else if (what.find("invalid number") != std::string::npos ||
             what.find("invalid literal") != std::string::npos) {
    kind = "値が読めません（数値、\"文字列\"、true、false、null のどれかです）";
  } else if (what.find("unexpected") != std::string::npos) {
    kind = "ここに来るはずのないものがあります（「,」「:」「}」などの過不足）";
  } else {
    kind = "JSON の書き方に誤りがあります";
  }
  // The reader counts the byte it stopped at from 1.
  std::string out = PlaceOf(text, e.byte == 0 ? 0 : e.byte - 1) + ": " + kind;
  if (!token.empty()) out += "（読んだ所: " + token + "）";
  return out;
}

}  // namespace

nlohmann::ordered_json ParseSettingsFile(const std::string& fileName, const std::string& text) {
  using Json = nlohmann::ordered_json;
  // Keys seen in each object still open, and the last key, which names the place of a
  // number the parser cannot hold.
  std::vector<std::vector<std::string>> openObjects;
  std::string lastKey;
  const Json::parser_callback_t watch = [&](int depth, Json::parse_event_t event, Json& parsed) {
    switch (event) {
      case Json::parse_event_t::object_start:
      case Json::parse_event_t::array_start:
        if (depth >= kMaxDepth) {
          throw OutlineSettingsError{fileName + ": 入れ子が深すぎます（上限 " +
                                     std::to_string(kMaxDepth) + " 段）"};
        }
        if (event == Json::parse_event_t::object_start) openObjects.emplace_back();
        break;
      case Json::parse_event_t::object_end:
        if (!openObjects.empty()) openObjects.pop_back();
        break;
      case Json::parse_event_t::key: {
        lastKey = parsed.get<std::string>();
        std::vector<std::string>& keys = openObjects.back();
        if (std::find(keys.begin(), keys.end(), lastKey) != keys.end()) {
          throw OutlineSettingsError{fileName + ": 同じ名前が２回あります: \"" + Clipped(lastKey) +
                                     "\""};
        }
        keys.push_back(lastKey);
        break;
      }
      default:
        break;
    }
    return true;
  };
  Json json;
  try {
    json = Json::parse(text, watch);
  } catch (const nlohmann::json::parse_error& e) {
    throw OutlineSettingsError{fileName + ": JSON として読めません: " + SyntaxErrorText(text, e)};
  } catch (const nlohmann::json::out_of_range&) {
    const std::string label = LabelOf(lastKey);
    const std::string key = label.empty() ? Clipped(lastKey) : label + "（" + lastKey + "）";
    throw OutlineSettingsError{fileName + ": " + (lastKey.empty() ? "" : key + ": ") +
                               "数値が大きすぎます（倍精度浮動小数点数の範囲を超えています）"};
  }
  if (!json.is_object()) {
    throw OutlineSettingsError{fileName +
                               ": 設定ファイルは JSON のオブジェクト { \"名前\": 値, ... } です"};
  }
  return json;
}

OutlineSettings ReadOutlineSettings(const OutlineSettingsInput& input) {
  std::vector<Entry> fileEntries;
  if (input.file.is_object()) {
    for (const auto& [key, value] : input.file.items()) {
      fileEntries.push_back({key, &value, {}, input.fileName});
    }
  }
  std::vector<Entry> setEntries;
  for (const std::string& setting : input.settings) {
    const std::size_t equals = setting.find('=');
    if (equals == std::string::npos || equals == 0) {
      throw OutlineSettingsError{"--set " + setting +
                                 ": 名前=値 の形で指定してください（例: Text4=100）"};
    }
    setEntries.push_back(
        {setting.substr(0, equals), nullptr, setting.substr(equals + 1), "--set " + setting});
  }

  SourceChoices fromFile;
  SourceChoices fromSet;
  std::vector<const Entry*> rest;
  for (const Entry& e : fileEntries) {
    if (!TakeChoice(e, fromFile)) rest.push_back(&e);
  }
  for (const Entry& e : setEntries) {
    if (!TakeChoice(e, fromSet)) rest.push_back(&e);
  }

  OutlineSettings s;
  if (auto type = fromSet.boardType.value ? fromSet.boardType.value : fromFile.boardType.value) {
    ChooseBoardType(s, *type);
  }
  if (auto corner = fromSet.corner.value ? fromSet.corner.value : fromFile.corner.value) {
    s.corner = *corner;
  }
  for (const Entry* e : rest) Apply(*e, s);
  return s;
}

nlohmann::ordered_json OutlineSettingsJson(const OutlineSettings& s) {
  nlohmann::ordered_json json = nlohmann::ordered_json::object();
  for (const OutlineControl& control : OutlineControls()) {
    if (!control.isSetting) continue;
    const std::string name(control.name);
    switch (control.kind) {
      case OutlineControlKind::kNumber:
        json[name] = OutlineNumber(s, name);
        break;
      case OutlineControlKind::kText:
        json[name] = ToUtf8(OutlineText(s, name));
        break;
      case OutlineControlKind::kCheck:
        json[name] = OutlineCheck(s, name);
        break;
      case OutlineControlKind::kList:
        json[name] = OutlineListPosition(s, name);
        break;
      case OutlineControlKind::kCorner:
        json[kCornerKey] = NameOf(kCorners, s.corner);
        break;
      case OutlineControlKind::kBoardType:
        json[kBoardTypeKey] = NameOf(kBoardTypes, s.boardType);
        break;
    }
  }
  return json;
}

std::string OutlineSettingsFileText(const OutlineSettings& settings) {
  return OutlineSettingsJson(settings).dump(2, ' ', false,
                                            nlohmann::ordered_json::error_handler_t::replace) +
         "\n";
}

OutlineSettings ReadOutlineSettingsFile(const std::string& fileName, const std::string& text) {
  OutlineSettingsInput input;
  input.fileName = fileName;
  input.file = ParseSettingsFile(fileName, text);
  return ReadOutlineSettings(input);
}

}  // namespace pcbprep
