#include "drawing/DblReader.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <string>

#include "design/CodePage.h"

namespace pcbprep {

namespace {

// No record kind has more fields than TEXT's ten; a line of thousands is no record,
// and splitting it all would cost memory in proportion before saying so.
constexpr std::size_t kMaxFields = 64;
// Millimetres no board, frame or text reaches (100 m): a value past it is a broken
// file, and drawing it would shrink the real drawing to nothing.
constexpr double kMaxSize = 100000;
// One aperture unit is 0.05 mm.
constexpr double kMaxAperture = kMaxSize / 0.05;

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

TextView Trimmed(TextView s) {
  while (!s.empty() && (IsSpace(s.front()) || s.front() == u'\r')) s.remove_prefix(1);
  while (!s.empty() && (IsSpace(s.back()) || s.back() == u'\r')) s.remove_suffix(1);
  return s;
}

// A plain decimal: optional sign, digits with an optional point, at least one digit.
// A trailing point is allowed ("RO=0." carries one before the next field).
std::optional<double> StrictNumber(TextView text) {
  std::string ascii;
  bool digit = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool sign = (c == u'-' || c == u'+') && i == 0;
    if (c >= u'0' && c <= u'9') digit = true;
    if (!sign && c != u'.' && !(c >= u'0' && c <= u'9')) return std::nullopt;
    if (c != u'+') ascii += static_cast<char>(c);
  }
  if (!digit || std::count(ascii.begin(), ascii.end(), '.') > 1) return std::nullopt;
  if (ascii.back() == '.') ascii.pop_back();
  // from_chars reads neither "-.5" nor ".5" on every library; give it a leading zero.
  const bool negative = ascii.front() == '-';
  if (negative) ascii.erase(0, 1);
  if (ascii.front() == '.') ascii.insert(0, "0");
  double value = 0;
  const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size()) return std::nullopt;
  return negative ? -value : value;
}

struct Field {
  TextView key;
  TextView value;
};

// Where a record's fields went wrong.
struct FieldError {
  Text reason;
};

// Splits "KEY=value, KEY= value: KEY=value." into fields. A value runs to the next
// ",", ":" or blank; a key is a run of letters before "=".
std::variant<std::vector<Field>, FieldError> SplitFields(TextView body) {
  std::vector<Field> fields;
  std::size_t i = 0;
  const auto skipSeparators = [&] {
    while (i < body.size() && (IsSpace(body[i]) || body[i] == u',' || body[i] == u':')) ++i;
  };
  skipSeparators();
  while (i < body.size()) {
    const std::size_t keyStart = i;
    while (i < body.size() && IsLetter(body[i])) ++i;
    const TextView key = body.substr(keyStart, i - keyStart);
    while (i < body.size() && IsSpace(body[i])) ++i;
    if (key.empty() || i >= body.size() || body[i] != u'=') {
      return FieldError{u"項目名と「=」が読めません: " + QuotedPart(body.substr(keyStart))};
    }
    if (fields.size() == kMaxFields) {
      return FieldError{u"項目が " + IntText(static_cast<long long>(kMaxFields)) +
                        u" 個を超えています"};
    }
    ++i;
    while (i < body.size() && IsSpace(body[i])) ++i;
    const std::size_t valueStart = i;
    while (i < body.size() && !IsSpace(body[i]) && body[i] != u',' && body[i] != u':') ++i;
    fields.push_back({key, body.substr(valueStart, i - valueStart)});
    skipSeparators();
  }
  return fields;
}

// The fields of one record, taken in order: a key may occur more than once (X, Y).
class Fields {
 public:
  explicit Fields(std::vector<Field> fields)
      : fields_(std::move(fields)), taken_(fields_.size(), false) {}

  // The next field of that key after those already taken, as a number.
  std::optional<double> number(TextView key) {
    const Field* f = next(key);
    if (f == nullptr) {
      reason_ = Text(key) + u"= がありません";
      return std::nullopt;
    }
    // "AP=," gives no aperture: the generator writes it for a corner-mark width that
    // has no aperture number.
    if (key == u"AP" && f->value.empty()) return 0.0;
    auto value = StrictNumber(f->value);
    if (!value || !std::isfinite(*value)) {
      reason_ = Text(key) + u" の値が数値ではありません: " + QuotedPart(f->value);
      return std::nullopt;
    }
    if (const Text problem = OutOfRange(key, *value); !problem.empty()) {
      reason_ = Text(key) + u" の値が" + problem + u": " + QuotedPart(f->value);
      return std::nullopt;
    }
    return value;
  }
  // The next field of each key in turn, all as numbers, or nothing at the first that
  // is missing or no number.
  std::optional<std::vector<double>> numbers(std::initializer_list<const char16_t*> keys) {
    std::vector<double> values;
    for (const char16_t* key : keys) {
      const auto value = number(key);
      if (!value) return std::nullopt;
      values.push_back(*value);
    }
    return values;
  }
  Text text(TextView key) {
    const Field* f = next(key);
    return f ? Text(f->value) : Text();
  }
  // Why the last number could not be taken.
  const Text& reason() const { return reason_; }

 private:
  // Why a value cannot be what its key names, or "".
  static Text OutOfRange(TextView key, double value) {
    if (key == u"LE") {
      if (value < 1 || value > INT_MAX || value != std::floor(value)) {
        return u"層番号（1 から " + IntText(INT_MAX) + u" の整数）ではありません";
      }
    } else if (key == u"X" || key == u"Y" || key == u"RA" || key == u"HG") {
      if (std::fabs(value) > kMaxSize) return u"大きすぎます（絶対値 100000 mm まで）";
    } else if (key == u"AP") {
      if (std::fabs(value) > kMaxAperture) return u"大きすぎます（絶対値 2000000 まで）";
    }
    return {};
  }

  // The first field of that key not yet taken.
  const Field* next(TextView key) {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      if (!taken_[i] && fields_[i].key == key) {
        taken_[i] = true;
        return &fields_[i];
      }
    }
    return nullptr;
  }

  std::vector<Field> fields_;
  std::vector<bool> taken_;
  Text reason_;
};

enum class Kind { kLine, kArc, kText, kChar, kVia, kPlane, kIsland, kEndPlane, kUnknown };

Kind KindOf(TextView keyword) {
  if (keyword == u"LINE") return Kind::kLine;
  if (keyword == u"ARC") return Kind::kArc;
  if (keyword == u"TEXT") return Kind::kText;
  if (keyword == u"CHAR") return Kind::kChar;
  if (keyword == u"VIA") return Kind::kVia;
  if (keyword == u"GPLANE") return Kind::kPlane;
  if (keyword == u"ISLAND") return Kind::kIsland;
  if (keyword == u"EOGPLANE") return Kind::kEndPlane;
  return Kind::kUnknown;
}

int Whole(double value) {
  return std::fabs(value) < 1e9 ? static_cast<int>(std::lround(value)) : 0;
}

class Reader {
 public:
  explicit Reader(TextView text) : text_(text) {}

  DblReadResult run() {
    if (!header()) return std::move(result_);
    while (nextLine()) {
      const TextView line = Trimmed(line_);
      if (line.empty()) continue;
      if (line == u"$END") {
        if (plane_) return fail(u"EOGPLANE:/ の前に $END があります");
        if (textPending_) return fail(u"TEXT の後に CHAR がありません");
        return std::move(result_);
      }
      if (!record(line)) return std::move(result_);
    }
    fail(u"$END がありません");
    return std::move(result_);
  }

 private:
  // Lines end in CR LF, LF or a lone CR, as editors leave them.
  bool nextLine() {
    if (pos_ > text_.size()) return false;
    std::size_t end = text_.find_first_of(u"\r\n", pos_);
    if (end == TextView::npos) end = text_.size();
    line_ = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (end < text_.size() && text_[end] == u'\r' && pos_ < text_.size() && text_[pos_] == u'\n') {
      ++pos_;
    }
    ++lineNumber_;
    return true;
  }

  bool header() {
    while (nextLine()) {
      const TextView line = Trimmed(line_);
      if (line.empty()) continue;
      if (line == u"$GRAPHIC/") return true;
      fail(u"先頭に $GRAPHIC/ がありません");
      return false;
    }
    fail(u"先頭に $GRAPHIC/ がありません");
    return false;
  }

  DblReadResult& fail(Text reason) {
    result_.error = DblReadError{lineNumber_, std::move(reason)};
    return result_;
  }

  bool record(TextView line) {
    const std::size_t colon = line.find(u':');
    if (colon == TextView::npos) {
      fail(u"レコードではありません: " + QuotedPart(line));
      return false;
    }
    const TextView keyword = Trimmed(line.substr(0, colon));
    const Kind kind = KindOf(keyword);
    ++result_.records;
    if (textPending_ && kind != Kind::kChar) {
      fail(u"TEXT の後に CHAR がありません");
      return false;
    }
    if (kind == Kind::kUnknown) {
      ++result_.unknownRecords;
      return true;
    }
    if (kind == Kind::kChar) return characters(line.substr(colon + 1));

    TextView body = Trimmed(line.substr(colon + 1));
    if (body.empty() || body.back() != u'/') {
      fail(Text(keyword) + u" の終わりに「/」がありません");
      return false;
    }
    body.remove_suffix(1);
    auto split = SplitFields(body);
    if (auto* error = std::get_if<FieldError>(&split)) {
      fail(Text(keyword) + u": " + error->reason);
      return false;
    }
    Fields fields(std::move(std::get<std::vector<Field>>(split)));
    const auto broken = [&] {
      fail(Text(keyword) + u": " + fields.reason());
      return false;
    };

    switch (kind) {
      case Kind::kLine: {
        const auto v = fields.numbers({u"LE", u"AP", u"X", u"Y", u"X", u"Y"});
        if (!v) return broken();
        const DblLine l{Whole((*v)[0]), Whole((*v)[1]), {(*v)[2], (*v)[3]}, {(*v)[4], (*v)[5]}};
        return edgeOr(l, result_.drawing.lines);
      }
      case Kind::kArc: {
        const auto v = fields.numbers({u"LE", u"AP", u"X", u"Y", u"RA", u"ST", u"DT"});
        if (!v) return broken();
        const DblArc a{Whole((*v)[0]), Whole((*v)[1]), {(*v)[2], (*v)[3]},
                       (*v)[4],        (*v)[5],        (*v)[6]};
        return edgeOr(a, result_.drawing.arcs);
      }
      case Kind::kText: {
        if (plane_) return inPlane(keyword);
        const auto v =
            fields.numbers({u"LE", u"AP", u"X", u"Y", u"HG", u"RO", u"MX", u"MY", u"JU"});
        if (!v) return broken();
        pendingText_ = {Whole((*v)[0]), Whole((*v)[1]), {(*v)[2], (*v)[3]}, (*v)[4], (*v)[5],
                        (*v)[6] != 0,   (*v)[7] != 0,   Whole((*v)[8]),     Text()};
        textPending_ = true;
        return true;
      }
      case Kind::kVia: {
        if (plane_) return inPlane(keyword);
        const auto v = fields.numbers({u"AS", u"X", u"Y"});
        if (!v) return broken();
        result_.drawing.vias.push_back({Whole((*v)[0]), {(*v)[1], (*v)[2]}});
        return true;
      }
      case Kind::kPlane: {
        if (plane_) return inPlane(keyword);
        const auto v = fields.numbers({u"LE", u"AP"});
        if (!v) return broken();
        plane_ = DblPlane{Whole((*v)[0]), Whole((*v)[1]), fields.text(u"NA"), {{}}};
        return true;
      }
      case Kind::kIsland:
        if (!plane_) {
          fail(u"GPLANE の外に ISLAND があります");
          return false;
        }
        plane_->boundaries.emplace_back();
        return true;
      case Kind::kEndPlane:
        if (!plane_) {
          fail(u"GPLANE の外に EOGPLANE があります");
          return false;
        }
        result_.drawing.planes.push_back(std::move(*plane_));
        plane_.reset();
        return true;
      case Kind::kChar:
      case Kind::kUnknown:
        break;
    }
    return true;
  }

  // Inside a plane, lines and arcs are its boundary.
  template <typename T>
  bool edgeOr(const T& edge, std::vector<T>& free) {
    if (plane_) {
      plane_->boundaries.back().emplace_back(edge);
    } else {
      free.push_back(edge);
    }
    return true;
  }

  bool inPlane(TextView keyword) {
    fail(Text(keyword) + u" は GPLANE と EOGPLANE の間に置けません");
    return false;
  }

  // "CHAR: NU= n, characters/": the characters run to the last "/" and may hold
  // anything, commas, slashes and line breaks included.
  bool characters(TextView rest) {
    if (!textPending_) {
      fail(u"CHAR の前に TEXT がありません");
      return false;
    }
    Text body(rest);
    // Only the end is looked at: trimming the front again for every continued line
    // would take time in proportion to the blanks there, line after line.
    const auto ends = [](const Text& s) {
      std::size_t end = s.size();
      while (end > 0 && (IsSpace(s[end - 1]) || s[end - 1] == u'\r')) --end;
      return end > 0 && s[end - 1] == u'/';
    };
    // A text holding a line break continues on the following lines.
    const std::size_t savedPos = pos_;
    const int savedLine = lineNumber_;
    while (!ends(body) && nextLine()) {
      const TextView next = Trimmed(line_);
      const std::size_t colon = next.find(u':');
      const bool record =
          next == u"$END" ||
          (colon != TextView::npos && KindOf(Trimmed(next.substr(0, colon))) != Kind::kUnknown);
      if (record) break;
      body += u'\n';
      body += line_;
    }
    if (!ends(body)) {
      pos_ = savedPos;
      lineNumber_ = savedLine;
      fail(u"CHAR の終わりに「/」がありません");
      return false;
    }
    while (!body.empty() && (IsSpace(body.back()) || body.back() == u'\r')) body.pop_back();
    body.pop_back();  // the "/"
    TextView b = body;
    while (!b.empty() && IsSpace(b.front())) b.remove_prefix(1);
    const std::size_t comma = b.find(u',');
    const TextView head = b.substr(0, comma == TextView::npos ? b.size() : comma);
    auto split = SplitFields(head);
    auto* fields = std::get_if<std::vector<Field>>(&split);
    if (comma == TextView::npos || !fields || fields->size() != 1 || (*fields)[0].key != u"NU" ||
        !StrictNumber((*fields)[0].value)) {
      fail(u"CHAR: NU= と文字数の後に「,」と文字がありません");
      return false;
    }
    TextView chars = b.substr(comma + 1);
    if (!chars.empty() && chars.front() == u' ') chars.remove_prefix(1);
    pendingText_.characters = Text(chars);
    // Lines after a line break hold the rest of the text, with CR removed.
    std::erase(pendingText_.characters, u'\r');
    result_.drawing.texts.push_back(std::move(pendingText_));
    pendingText_ = {};
    textPending_ = false;
    return true;
  }

  TextView text_;
  std::size_t pos_ = 0;
  TextView line_;
  int lineNumber_ = 0;
  DblReadResult result_;
  std::optional<DblPlane> plane_;
  DblText pendingText_;
  bool textPending_ = false;
};

}  // namespace

int DblDrawing::recordCount() const {
  std::size_t n = lines.size() + arcs.size() + 2 * texts.size() + vias.size();
  for (const DblPlane& p : planes) {
    n += 1 + p.boundaries.size();  // GPLANE and ISLANDs, then EOGPLANE
    for (const auto& b : p.boundaries) n += b.size();
  }
  return static_cast<int>(n);
}

DblReadResult ReadDbl(TextView text) { return Reader(text).run(); }

Text DecodeDblBytes(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return FromUtf8(bytes.substr(kUtf8Mark.size()));
  return DecodeCp932(bytes).text;
}

Text DblReadErrorMessage(const DblReadError& error) {
  return IntText(error.line) + u" 行目: " + error.reason;
}

}  // namespace pcbprep
