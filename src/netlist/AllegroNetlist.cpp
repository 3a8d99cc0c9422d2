#include <algorithm>

#include "netlist/NetlistFormatReaders.h"

namespace pcbprep {

namespace {

// A record of the file: its physical lines joined where one ends in ",".
struct Record {
  Text text;
  int line = 0;
  bool joined = false;
};

// Whether a text leaves a single-quoted name open.
bool InsideQuotes(TextView text) { return std::count(text.begin(), text.end(), u'\'') % 2 == 1; }

std::vector<Record> Records(TextView text) {
  std::vector<Record> records;
  bool continues = false;
  for (const NumberedLine& line : SplitLines(text)) {
    TextView t = line.text;
    while (!t.empty() && (t.back() == u' ' || t.back() == u'\t')) t.remove_suffix(1);
    if (continues) {
      while (!t.empty() && (t.front() == u' ' || t.front() == u'\t')) t.remove_prefix(1);
      // The line break parts two words as a blank does, except inside a quoted name.
      Record& r = records.back();
      if (!InsideQuotes(r.text)) r.text += u' ';
      r.joined = true;
    } else {
      records.push_back({Text(), line.number, false});
    }
    continues = t.ends_with(u',');
    if (continues) t.remove_suffix(1);
    records.back().text += t;
  }
  return records;
}

// A word of a record: a name in single quotes (quotes removed), "!", ";" or a run of
// other characters up to a blank.
struct Token {
  Text text;
  bool mark = false;  // "!" or ";"
  int column = 0;
};

std::optional<NetlistSyntaxError> Tokens(const Record& r, std::vector<Token>& tokens) {
  const Text& s = r.text;
  std::size_t i = 0;
  while (i < s.size()) {
    const char16_t c = s[i];
    if (c == u' ' || c == u'\t') {
      ++i;
      continue;
    }
    Token token;
    token.column = r.joined ? 0 : static_cast<int>(i) + 1;
    if (c == u'!' || c == u';') {
      token.text = Text(1, c);
      token.mark = true;
      ++i;
    } else if (c == u'\'') {
      const std::size_t close = s.find(u'\'', i + 1);
      if (close == Text::npos) {
        return NetlistSyntaxError{r.line, token.column, u"「'」で始まる名前が閉じていません。"};
      }
      token.text = s.substr(i + 1, close - i - 1);
      i = close + 1;
    } else {
      const std::size_t start = i;
      while (i < s.size() && s[i] != u' ' && s[i] != u'\t' && s[i] != u';' && s[i] != u'!') ++i;
      token.text = s.substr(start, i - start);
    }
    tokens.push_back(std::move(token));
  }
  return std::nullopt;
}

std::size_t FindMark(const std::vector<Token>& tokens, char16_t mark, std::size_t from = 0) {
  for (std::size_t i = from; i < tokens.size(); ++i) {
    if (tokens[i].mark && tokens[i].text[0] == mark) return i;
  }
  return tokens.size();
}

}  // namespace

// $PACKAGES
// FOOTPRINT ! DEVICE [! VALUE] ; REF REF ...
// $NETS
// NAME ; REF.PIN REF.PIN ...
// $END
//
// A line ending in "," goes on on the next line; names may be in single quotes.
std::optional<NetlistSyntaxError> ReadAllegroNetlist(TextView text, ParsedNetlist& out) {
  enum class Section { kNone, kPackages, kNets, kOther };
  Section section = Section::kNone;
  bool ended = false;
  const std::vector<Record> records = Records(text);
  for (const Record& r : records) {
    std::vector<Token> tokens;
    if (auto error = Tokens(r, tokens)) return error;
    if (tokens.empty()) continue;
    if (tokens[0].text.starts_with(u'$') && tokens.size() == 1) {
      const Text& keyword = tokens[0].text;
      if (keyword == u"$PACKAGES") {
        section = Section::kPackages;
      } else if (keyword == u"$NETS") {
        section = Section::kNets;
      } else if (keyword == u"$END") {
        ended = true;
        break;
      } else {
        section = Section::kOther;
      }
      continue;
    }
    const std::size_t semicolon = FindMark(tokens, u';');
    if (section == Section::kPackages) {
      if (semicolon == tokens.size()) {
        return NetlistSyntaxError{r.line, 0, u"部品の行に「;」がありません。"};
      }
      // FOOTPRINT ! DEVICE ! VALUE: the fields between the marks.
      std::vector<Text> fields(1);
      for (std::size_t i = 0; i < semicolon; ++i) {
        if (tokens[i].mark) {
          fields.emplace_back();
        } else {
          if (!fields.back().empty()) fields.back() += u' ';
          fields.back() += tokens[i].text;
        }
      }
      for (std::size_t i = semicolon + 1; i < tokens.size(); ++i) {
        if (tokens[i].mark) {
          return NetlistSyntaxError{r.line, tokens[i].column,
                                    u"部品番号の並びに「" + tokens[i].text + u"」があります。"};
        }
        NetlistPart part;
        part.reference = tokens[i].text;
        part.footprint = fields[0];
        if (fields.size() > 2) part.value = fields[2];
        out.parts.push_back(std::move(part));
      }
    } else if (section == Section::kNets) {
      if (semicolon != 1 || tokens[0].mark) {
        return NetlistSyntaxError{
            r.line, 0, u"ネットの行は ネット名 ; 部品番号.ピン番号 … の形ではありません。"};
      }
      NetlistNet net{tokens[0].text, {}, r.line};
      for (std::size_t i = 2; i < tokens.size(); ++i) {
        NetlistPin pin;
        if (tokens[i].mark || !SplitDottedPin(tokens[i].text, pin.reference, pin.pin)) {
          return NetlistSyntaxError{
              r.line, tokens[i].column,
              u"ピン「" + tokens[i].text + u"」が 部品番号.ピン番号 の形ではありません。"};
        }
        pin.line = r.line;
        net.pins.push_back(std::move(pin));
      }
      out.nets.push_back(std::move(net));
    }
  }
  if (!ended) {
    return NetlistSyntaxError{
        records.empty() ? 1 : records.back().line, 0,
        u"ファイルの終わりの $END がありません（途中で切れたファイルです）。"};
  }
  return std::nullopt;
}

}  // namespace pcbprep
