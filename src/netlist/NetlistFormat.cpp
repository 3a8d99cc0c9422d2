#include "netlist/NetlistFormat.h"

#include "design/Numeric.h"
#include "netlist/NetlistFormatReaders.h"

namespace pcbprep {

namespace {

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f' || c == u'\v';
}

TextView SkipSpace(TextView text) {
  std::size_t i = 0;
  while (i < text.size() && (IsSpace(text[i]) || text[i] == u'\uFEFF')) ++i;
  return text.substr(i);
}

}  // namespace

TextView Trimmed(TextView line) {
  std::size_t b = 0;
  std::size_t e = line.size();
  while (b < e && IsSpace(line[b])) ++b;
  while (e > b && IsSpace(line[e - 1])) --e;
  return line.substr(b, e - b);
}

namespace {

// Allegro files carry a few header lines before $PACKAGES; a bracket netlist has no
// such line anywhere near its start.
constexpr int kAllegroHeaderLines = 64;

bool HasPackagesLine(TextView text) {
  std::size_t at = 0;
  for (int n = 0; n < kAllegroHeaderLines && at < text.size(); ++n) {
    std::size_t end = text.find_first_of(u"\r\n", at);
    if (end == TextView::npos) end = text.size();
    if (Trimmed(text.substr(at, end - at)) == u"$PACKAGES") return true;
    at = end + 1;
    if (at < text.size() && text[at - 1] == u'\r' && text[at] == u'\n') ++at;
  }
  return false;
}

// Each format with its names and its reader, in the order of the enum; the bracket
// format is read by the netlist reader itself.
struct FormatInfo {
  const char16_t* name;
  const char* id;
  NetlistReadFunction read;
};
constexpr FormatInfo kFormats[] = {
    {u"標準（NET[部品-ピン]）", "bracket", nullptr},     // kBracket
    {u"KiCad", "kicad", ReadKicadNetlist},               // kKicad
    {u"レガシー（PCB2）", "legacy", ReadLegacyNetlist},  // kLegacy
    {u"PADS", "pads", ReadPadsNetlist},                  // kPads
    {u"Allegro", "allegro", ReadAllegroNetlist},         // kAllegro
};

const FormatInfo& Info(NetlistFormat format) { return kFormats[static_cast<std::size_t>(format)]; }

}  // namespace

Text NetlistFormatName(NetlistFormat format) { return Info(format).name; }

const char* NetlistFormatId(NetlistFormat format) { return Info(format).id; }

NetlistFormat DetectNetlistFormat(TextView text) {
  const TextView start = SkipSpace(text);
  if (start.starts_with(u"(")) {
    const TextView inside = SkipSpace(start.substr(1));
    if (inside.starts_with(u"export")) return NetlistFormat::kKicad;
    if (inside.starts_with(u"{")) return NetlistFormat::kLegacy;
  }
  if (start.starts_with(u"# EESchema Netlist")) return NetlistFormat::kLegacy;
  if (start.starts_with(u"*PADS-PCB*") || start.starts_with(u"*PADS2000*") ||
      IsPadsHeaderLine(start.substr(0, start.find_first_of(u"\r\n")))) {
    return NetlistFormat::kPads;
  }
  if (HasPackagesLine(text)) return NetlistFormat::kAllegro;
  return NetlistFormat::kBracket;
}

bool IsPadsHeaderLine(TextView line) {
  const TextView t = Trimmed(line);
  return t.size() > 7 && t.starts_with(u"!PADS-") && t.ends_with(u'!');
}

bool SplitDottedPin(TextView token, Text& reference, Text& pin) {
  const std::size_t dot = token.rfind(u'.');
  if (dot == TextView::npos || dot == 0 || dot + 1 == token.size()) return false;
  reference.assign(token.substr(0, dot));
  pin.assign(token.substr(dot + 1));
  return true;
}

Text NetlistSyntaxMessage(const NetlistSyntaxError& error) {
  Text message = IntText(error.line) + u" 行目";
  if (error.column > 0) message += u" " + IntText(error.column) + u" 桁目";
  return message + u": " + error.reason;
}

Text ReadableFormatsText() {
  return u"・標準の形式（NET名[部品番号-ピン番号 … 部品番号-ピン番号]）\n"
         u"・KiCad のネットリスト（(export (version \"D\") / \"E\"）\n"
         u"・レガシーのテキスト ネットリスト（# EESchema Netlist Version 1.1、( { で始まる PCB2 "
         u"形式）\n"
         u"・PADS ASCII ネットリスト（*PADS-PCB* / *PADS2000* / !PADS-…!）\n"
         u"・Allegro サードパーティ ネットリスト（$PACKAGES / $NETS / $END）";
}

std::optional<NetlistSyntaxError> ReadForeignNetlist(TextView text, NetlistFormat format,
                                                     const Capacity& capacity, ParsedNetlist& out) {
  const NetlistReadFunction read = Info(format).read;
  if (!read) return NetlistSyntaxError{0, 0, u"標準の形式は別の読み込みで読みます。"};
  ParsedNetlist parsed;
  parsed.format = format;
  NetlistSink sink(parsed, capacity);
  if (auto error = read(text, sink)) return error;
  sink.finish();
  out = std::move(parsed);
  return std::nullopt;
}

bool LineReader::next(NumberedLine& line) {
  if (at_ >= text_.size()) return false;
  std::size_t end = text_.find_first_of(u"\r\n", at_);
  if (end == TextView::npos) end = text_.size();
  line = {text_.substr(at_, end - at_), ++number_};
  at_ = end;
  if (at_ < text_.size() && text_[at_++] == u'\r' && at_ < text_.size() && text_[at_] == u'\n') {
    ++at_;
  }
  return true;
}

bool WordReader::next(Word& word) {
  while (at_ < line_.size() && (IsSpace(line_[at_]) || line_[at_] == u'\uFEFF')) ++at_;
  if (at_ >= line_.size()) return false;
  const std::size_t start = at_;
  while (at_ < line_.size() && !IsSpace(line_[at_])) ++at_;
  word = {line_.substr(start, at_ - start), static_cast<int>(start) + 1};
  return true;
}

// --- s-expressions ---------------------------------------------------------------

TextView SExpr::head() const {
  if (!list || items.empty() || items.front().list) return TextView();
  return items.front().atom;
}

const SExpr* SExpr::find(TextView keyword) const {
  for (const SExpr& item : items) {
    if (item.list && item.head() == keyword) return &item;
  }
  return nullptr;
}

Text SExpr::value(TextView keyword) const {
  const SExpr* item = find(keyword);
  if (!item || item->items.size() < 2 || item->items[1].list) return Text();
  return item->items[1].atom;
}

namespace {

// Deeper than any netlist nests; a deeper file is refused instead of exhausting memory.
constexpr std::size_t kMaxDepth = 200;

// The lists and atoms of an expression, itself included.
std::size_t NodeCount(const SExpr& e) {
  std::size_t n = 1;
  for (const SExpr& item : e.items) n += NodeCount(item);
  return n;
}

}  // namespace

std::optional<NetlistSyntaxError> ParseSExpr(TextView text, const SExprSyntax& syntax,
                                             const SExprClosed& closed, SExpr& out) {
  const bool braceComments = syntax.braceComments;
  out = SExpr();
  out.list = true;
  std::vector<SExpr*> open = {&out};
  std::size_t held = 0;  // lists and atoms held below `out`
  int line = 1;
  int column = 1;
  std::size_t i = 0;
  const std::size_t n = text.size();
  const auto advance = [&](char16_t c) {
    ++i;
    if (c == u'\n') {
      ++line;
      column = 1;
    } else if (c == u'\r') {
      if (i < n && text[i] == u'\n') ++i;
      ++line;
      column = 1;
    } else {
      ++column;
    }
  };
  // Every list and atom is counted as it is made, so the budget holds before it is spent.
  const auto hold = [&]() -> std::optional<NetlistSyntaxError> {
    if (++held > kSExprNodeBudget) {
      return NetlistSyntaxError{line, column,
                                u"項目が多すぎます（同時に " + IntText(kSExprNodeBudget) +
                                    u" 個まで）。ネットリストとして読めません。"};
    }
    return std::nullopt;
  };
  bool lineStart = true;
  // A line of only "*": its first non-blank character is "*" and nothing follows it.
  const auto starLine = [&] {
    std::size_t j = i;
    while (j < n && IsBlank(text[j])) ++j;
    if (j >= n || text[j] != u'*') return false;
    for (++j; j < n && text[j] != u'\r' && text[j] != u'\n'; ++j) {
      if (!IsSpace(text[j])) return false;
    }
    return true;
  };
  while (i < n) {
    const char16_t c = text[i];
    if (lineStart && syntax.starLineEnds && (c == u'*' || IsBlank(c)) && starLine()) break;
    if (syntax.hashComments && lineStart && c == u'#') {
      while (i < n && text[i] != u'\r' && text[i] != u'\n') advance(text[i]);
      continue;
    }
    if (c == u'\r' || c == u'\n') {
      advance(c);
      lineStart = true;
      continue;
    }
    lineStart = false;
    if (IsSpace(c) || c == u'\uFEFF') {
      advance(c);
      continue;
    }
    if (braceComments && c == u'{') {
      const int startLine = line;
      const int startColumn = column;
      while (i < n && text[i] != u'}') advance(text[i]);
      if (i >= n) {
        return NetlistSyntaxError{startLine, startColumn, u"「{」に対応する「}」がありません。"};
      }
      advance(u'}');
      continue;
    }
    if (c == u'(') {
      if (open.size() > kMaxDepth) {
        return NetlistSyntaxError{line, column, u"括弧の入れ子が深すぎます。"};
      }
      if (auto error = hold()) return error;
      SExpr item;
      item.list = true;
      item.line = line;
      item.column = column;
      open.back()->items.push_back(std::move(item));
      open.push_back(&open.back()->items.back());
      advance(c);
      continue;
    }
    if (c == u')') {
      if (open.size() == 1) {
        return NetlistSyntaxError{line, column, u"対応する「(」のない「)」があります。"};
      }
      const SExpr* list = open.back();
      open.pop_back();
      bool keep = true;
      if (closed) {
        if (auto error = closed(*list, std::span<SExpr* const>(open), keep)) return error;
      }
      if (!keep) {
        held -= NodeCount(*list);
        open.back()->items.pop_back();
      }
      advance(c);
      continue;
    }
    if (auto error = hold()) return error;
    SExpr atom;
    atom.line = line;
    atom.column = column;
    if (c == u'"') {
      atom.quoted = true;
      advance(c);
      bool closedQuote = false;
      while (i < n) {
        const char16_t d = text[i];
        if (d == u'"') {
          advance(d);
          closedQuote = true;
          break;
        }
        // Writers escape a line break in a string, so a string met by one was left
        // open where it starts; reading on would only fail later at some ")".
        if (d == u'\r' || d == u'\n') break;
        if (d == u'\\' && i + 1 < n) {
          advance(d);
          const char16_t e = text[i];
          atom.atom += e == u'n' ? u'\n' : e == u't' ? u'\t' : e;
          advance(e);
          continue;
        }
        atom.atom += d;
        advance(d);
      }
      if (!closedQuote) {
        return NetlistSyntaxError{atom.line, atom.column,
                                  u"「\"」で始まる文字列が閉じていません。"};
      }
    } else {
      // An atom holds no line break, so the column moves on by its length.
      const std::size_t start = i;
      while (i < n) {
        const char16_t d = text[i];
        if (IsSpace(d) || d == u'(' || d == u')' || (braceComments && d == u'{')) break;
        ++i;
      }
      atom.atom.assign(text.substr(start, i - start));
      column += static_cast<int>(i - start);
    }
    open.back()->items.push_back(std::move(atom));
  }
  if (open.size() > 1) {
    const SExpr* unclosed = open.back();
    return NetlistSyntaxError{unclosed->line, unclosed->column,
                              u"「(」に対応する「)」がないままファイルが終わっています。"};
  }
  return std::nullopt;
}

}  // namespace pcbprep
