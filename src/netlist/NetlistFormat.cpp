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
                                                     ParsedNetlist& out) {
  const NetlistReadFunction read = Info(format).read;
  if (!read) return NetlistSyntaxError{0, 0, u"標準の形式は別の読み込みで読みます。"};
  ParsedNetlist parsed;
  parsed.format = format;
  if (auto error = read(text, parsed)) return error;

  // The common mapping, the same for every format.
  NetlistDropped& dropped = parsed.dropped;
  std::vector<NetlistNet> kept;
  kept.reserve(parsed.nets.size());
  for (NetlistNet& net : parsed.nets) {
    std::vector<NetlistPin> pins;
    pins.reserve(net.pins.size());
    for (NetlistPin& pin : net.pins) {
      if (pin.reference.starts_with(u'#')) {
        ++dropped.flagPins;
      } else {
        pins.push_back(std::move(pin));
      }
    }
    net.pins = std::move(pins);
    if (net.pins.empty()) {
      ++dropped.emptyNets;
      continue;
    }
    if (format == NetlistFormat::kKicad && net.pins.size() == 1 &&
        net.name.starts_with(u"unconnected-(")) {
      ++dropped.unconnectedNets;
      continue;
    }
    kept.push_back(std::move(net));
  }
  parsed.nets = std::move(kept);
  out = std::move(parsed);
  return std::nullopt;
}

std::vector<NumberedLine> SplitLines(TextView text) {
  std::vector<NumberedLine> lines;
  std::size_t at = 0;
  int number = 1;
  while (at < text.size()) {
    std::size_t end = text.find_first_of(u"\r\n", at);
    if (end == TextView::npos) end = text.size();
    lines.push_back({text.substr(at, end - at), number++});
    at = end;
    if (at < text.size() && text[at++] == u'\r' && at < text.size() && text[at] == u'\n') ++at;
  }
  return lines;
}

std::vector<Word> SplitWords(TextView line) {
  std::vector<Word> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (IsSpace(line[i]) || line[i] == u'\uFEFF')) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsSpace(line[i])) ++i;
    if (i > start) words.push_back({line.substr(start, i - start), static_cast<int>(start) + 1});
  }
  return words;
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

}  // namespace

std::optional<NetlistSyntaxError> ParseSExpr(TextView text, bool braceComments, bool hashComments,
                                             SExpr& out) {
  out = SExpr();
  out.list = true;
  std::vector<SExpr*> open = {&out};
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
  bool lineStart = true;
  while (i < n) {
    const char16_t c = text[i];
    if (hashComments && lineStart && c == u'#') {
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
      open.pop_back();
      advance(c);
      continue;
    }
    SExpr atom;
    atom.line = line;
    atom.column = column;
    if (c == u'"') {
      atom.quoted = true;
      advance(c);
      bool closed = false;
      while (i < n) {
        const char16_t d = text[i];
        if (d == u'"') {
          advance(d);
          closed = true;
          break;
        }
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
      if (!closed) {
        return NetlistSyntaxError{atom.line, atom.column,
                                  u"「\"」で始まる文字列が閉じていません。"};
      }
    } else {
      while (i < n) {
        const char16_t d = text[i];
        if (IsSpace(d) || d == u'(' || d == u')' || (braceComments && d == u'{')) break;
        atom.atom += d;
        advance(d);
      }
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
