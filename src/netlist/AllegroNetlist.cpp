#include <algorithm>

#include "netlist/NetlistFormatReaders.h"

namespace pcbprep {

namespace {

bool IsBlankChar(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }

// A word of a record: a name in single quotes (quotes removed), "!", ";" or a run of
// other characters up to a blank; its line and its column (on the line it starts on).
struct Token {
  Text text;
  bool mark = false;  // "!" or ";"
  int line = 0;
  int column = 0;
};

// Reads the words of the file record by record without holding the file's lines. A
// record is a line and the lines it goes on to: a line ending in "," goes on on the
// next one, the "," dropped and the line break parting two words as a blank does; a
// quoted name goes on across such a line break without a blank.
class Lexer {
 public:
  enum class Got { kWord, kRecordEnd, kEnd };
  explicit Lexer(TextView text) : s_(text) {}

  Got next(Token& token, std::optional<NetlistSyntaxError>& error) {
    for (;;) {
      while (at_ < s_.size() && IsBlankChar(s_[at_])) ++at_;
      if (at_ >= s_.size()) {
        if (inRecord_) {
          inRecord_ = false;
          return Got::kRecordEnd;
        }
        return Got::kEnd;
      }
      if (IsLineEnd(s_[at_])) {
        lineBreak();
        if (goesOn_) {
          goesOn_ = false;
          continue;
        }
        if (inRecord_) {
          inRecord_ = false;
          return Got::kRecordEnd;
        }
        continue;
      }
      inRecord_ = true;
      token.text.clear();
      token.mark = false;
      token.line = line_;
      token.column = static_cast<int>(at_ - lineStart_) + 1;
      const char16_t c = s_[at_];
      if (c == u'!' || c == u';') {
        token.text = Text(1, c);
        token.mark = true;
        ++at_;
        return Got::kWord;
      }
      if (c == u'\'') {
        if (!quoted(token)) {
          error =
              NetlistSyntaxError{token.line, token.column, u"「'」で始まる名前が閉じていません。"};
          return Got::kEnd;
        }
        return Got::kWord;
      }
      const std::size_t start = at_;
      while (at_ < s_.size() && !IsBlankChar(s_[at_]) && !IsLineEnd(s_[at_]) && s_[at_] != u';' &&
             s_[at_] != u'!') {
        ++at_;
      }
      TextView word = s_.substr(start, at_ - start);
      if (word.ends_with(u',') && restIsBlank()) {
        word.remove_suffix(1);
        goesOn_ = true;
        if (word.empty()) continue;
      }
      token.text.assign(word);
      return Got::kWord;
    }
  }

 private:
  void lineBreak() {
    if (s_[at_++] == u'\r' && at_ < s_.size() && s_[at_] == u'\n') ++at_;
    ++line_;
    lineStart_ = at_;
  }
  // Only blanks up to the end of the line.
  bool restIsBlank() const {
    std::size_t i = at_;
    while (i < s_.size() && IsBlankChar(s_[i])) ++i;
    return i >= s_.size() || IsLineEnd(s_[i]);
  }
  // A name in single quotes, from the opening quote; false when it is not closed.
  bool quoted(Token& token) {
    ++at_;
    while (at_ < s_.size()) {
      const char16_t d = s_[at_];
      if (d == u'\'') {
        ++at_;
        return true;
      }
      if (IsLineEnd(d)) {
        // A quoted name goes on only where its line ends in ",".
        if (!token.text.ends_with(u',')) return false;
        token.text.pop_back();
        while (!token.text.empty() && IsBlankChar(token.text.back())) token.text.pop_back();
        lineBreak();
        while (at_ < s_.size() && IsBlankChar(s_[at_])) ++at_;
        continue;
      }
      token.text += d;
      ++at_;
    }
    return false;
  }

  TextView s_;
  std::size_t at_ = 0;
  std::size_t lineStart_ = 0;
  int line_ = 1;
  bool inRecord_ = false;
  bool goesOn_ = false;
};

}  // namespace

// $PACKAGES
// FOOTPRINT ! DEVICE [! VALUE] ; REF REF ...
// $NETS
// NAME ; REF.PIN REF.PIN ...
// $END
//
// A line ending in "," goes on on the next line; names may be in single quotes.
std::optional<NetlistSyntaxError> ReadAllegroNetlist(TextView text, NetlistSink& sink) {
  enum class Section { kNone, kPackages, kNets, kOther };
  using Got = Lexer::Got;
  Section section = Section::kNone;
  bool ended = false;
  int lastLine = 1;
  Lexer lexer(text);
  std::optional<NetlistSyntaxError> error;
  Token token;
  for (;;) {
    Got got = lexer.next(token, error);
    if (error) return error;
    if (got == Got::kEnd) break;
    if (got == Got::kRecordEnd) continue;
    // The first word of a record.
    const int recordLine = token.line;
    lastLine = recordLine;
    Token first = std::move(token);
    got = lexer.next(token, error);
    if (error) return error;
    if (!first.mark && first.text.starts_with(u'$') && got != Got::kWord) {
      if (first.text == u"$PACKAGES") {
        section = Section::kPackages;
      } else if (first.text == u"$NETS") {
        section = Section::kNets;
      } else if (first.text == u"$END") {
        ended = true;
        break;
      } else {
        section = Section::kOther;
      }
      if (got == Got::kEnd) break;
      continue;
    }
    if (section == Section::kPackages) {
      // FOOTPRINT ! DEVICE ! VALUE: the fields between the marks, then the references.
      std::vector<Text> fields(1);
      bool references = false;
      const auto take = [&](const Token& t) -> std::optional<NetlistSyntaxError> {
        if (references) {
          if (t.mark) {
            return NetlistSyntaxError{
                t.line, t.column, u"部品番号の並びに「" + QuotedPart(t.text) + u"」があります。"};
          }
          NetlistPart part;
          part.reference = t.text;
          part.footprint = fields[0];
          if (fields.size() > 2) part.value = fields[2];
          if (!sink.addPart(std::move(part), t.line)) return sink.stop;
        } else if (t.mark && t.text == u";") {
          references = true;
        } else if (t.mark) {
          fields.emplace_back();
        } else {
          if (!fields.back().empty()) fields.back() += u' ';
          fields.back() += t.text;
        }
        return std::nullopt;
      };
      if (auto failed = take(first)) return failed;
      while (got == Got::kWord) {
        if (auto failed = take(token)) return failed;
        got = lexer.next(token, error);
        if (error) return error;
      }
      if (!references) return NetlistSyntaxError{recordLine, 0, u"部品の行に「;」がありません。"};
    } else if (section == Section::kNets) {
      if (first.mark || got != Got::kWord || !token.mark || token.text != u";") {
        return NetlistSyntaxError{
            recordLine, 0, u"ネットの行は ネット名 ; 部品番号.ピン番号 … の形ではありません。"};
      }
      sink.beginNet(std::move(first.text), recordLine);
      for (;;) {
        got = lexer.next(token, error);
        if (error) return error;
        if (got != Got::kWord) break;
        Text reference;
        Text pin;
        if (token.mark || !SplitDottedPin(token.text, reference, pin)) {
          return NetlistSyntaxError{
              token.line, token.column,
              u"ピン「" + QuotedPart(token.text) + u"」が 部品番号.ピン番号 の形ではありません。"};
        }
        if (!sink.addPin(std::move(reference), std::move(pin), token.line)) return sink.stop;
      }
      sink.endNet();
    } else {
      while (got == Got::kWord) {
        got = lexer.next(token, error);
        if (error) return error;
      }
    }
    if (got == Got::kEnd) break;
  }
  if (!ended) {
    return NetlistSyntaxError{
        lastLine, 0, u"ファイルの終わりの $END がありません（途中で切れたファイルです）。"};
  }
  return std::nullopt;
}

}  // namespace pcbprep
