#include "symbol/PartListFile.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "symbol/SymbolAssignment.h"

namespace pcbprep {

const std::array<int, kPartListFields> kPartListColumns = [] {
  std::array<int, kPartListFields> columns{};
  for (std::size_t f = 0; f < kPartListFields; ++f) columns[f] = kPartViewColumns[f].column;
  return columns;
}();

namespace {

constexpr std::array<TextView, kPartListFields> kHeader = [] {
  std::array<TextView, kPartListFields> header{};
  for (std::size_t f = 0; f < kPartListFields; ++f) header[f] = kPartViewColumns[f].heading;
  return header;
}();

// A line of more fields than this is only said to have more: counting millions of
// commas would first store them all.
constexpr std::size_t kMaxCountedFields = 64;

bool IsLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }

void AppendField(Text& out, TextView value) {
  const bool quoted = value.find_first_of(u",\"\r\n") != TextView::npos;
  if (!quoted) {
    out += value;
    return;
  }
  out += u'"';
  for (char16_t c : value) {
    if (c == u'"') out += u'"';
    out += c;
  }
  out += u'"';
}

void AppendLine(Text& out, const std::array<TextView, kPartListFields>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += u',';
    AppendField(out, fields[i]);
  }
  out += u"\r\n";
}

// Reads the records of a CSV text one at a time, counting physical lines.
class CsvReader {
 public:
  explicit CsvReader(TextView text) : text_(text) {}

  // False at the end of the text or at a fault (then reason() is set). A record of more
  // than maxFields fields stops at the first one past them, holding maxFields + 1:
  // storing a line of millions of commas would cost memory before saying so.
  bool next(std::vector<Text>& fields, int& startLine, std::size_t maxFields) {
    fields.clear();
    // Empty lines hold no record.
    while (pos_ < text_.size() && IsLineEnd(text_[pos_])) skipLineEnd();
    if (pos_ >= text_.size()) return false;
    startLine = line_;
    for (;;) {
      Text field;
      if (!readField(field)) return false;
      fields.push_back(std::move(field));
      if (fields.size() > maxFields) return true;
      if (pos_ < text_.size() && text_[pos_] == u',') {
        ++pos_;
        continue;
      }
      if (pos_ < text_.size()) skipLineEnd();
      return true;
    }
  }

  int faultLine() const { return faultLine_; }
  const Text& reason() const { return reason_; }

 private:
  void skipLineEnd() {
    if (text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n') ++pos_;
    ++pos_;
    ++line_;
  }

  bool fail(int line, Text reason) {
    faultLine_ = line;
    reason_ = std::move(reason);
    return false;
  }

  bool readField(Text& field) {
    if (pos_ < text_.size() && text_[pos_] == u'"') return readQuoted(field);
    while (pos_ < text_.size() && text_[pos_] != u',' && !IsLineEnd(text_[pos_])) {
      if (text_[pos_] == u'"') {
        return fail(line_, u"引用符 \" で囲まれていない欄に引用符があります");
      }
      field += text_[pos_++];
    }
    return true;
  }

  bool readQuoted(Text& field) {
    const int opened = line_;
    ++pos_;
    for (;;) {
      if (pos_ >= text_.size()) return fail(opened, u"引用符 \" が閉じられていません");
      const char16_t c = text_[pos_];
      if (c == u'"') {
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == u'"') {
          field += u'"';
          pos_ += 2;
          continue;
        }
        ++pos_;
        break;
      }
      // A line end inside quotes belongs to the field; it still starts a new line.
      if (c == u'\n' || (c == u'\r' && !(pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n'))) {
        ++line_;
      }
      field += c;
      ++pos_;
    }
    if (pos_ < text_.size() && text_[pos_] != u',' && !IsLineEnd(text_[pos_])) {
      return fail(line_, u"閉じた引用符 \" の後に文字があります");
    }
    return true;
  }

  TextView text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int faultLine_ = 0;
  Text reason_;
};

Text HeaderText() {
  Text header;
  for (std::size_t i = 0; i < kHeader.size(); ++i) {
    if (i > 0) header += u',';
    header += kHeader[i];
  }
  return header;
}

// Why a side or class cell holds no code the part table knows (empty is fine), or "". Any other
// text would be emptied by the first click on the part, so the table would change by being looked
// at.
Text CodeProblem(const PartListRow& row) {
  static_assert(kPartViewColumns[4].column == kPartSide &&
                kPartViewColumns[5].column == kPartClass);
  const TextView side = row[4];
  if (!ShownOfCode(kSideCodes, side)) {
    return u"実装面が \"" + QuotedPart(side) + u"\" です（空、0 か 1）";
  }
  const TextView partClass = row[5];
  if (!ShownOfCode(kClassCodes, partClass)) {
    return u"主/準/従 が \"" + QuotedPart(partClass) + u"\" です（空、0、1 か 2）";
  }
  return {};
}

PartListParse Fault(int line, Text reason) {
  PartListParse parse;
  parse.line = line;
  parse.reason = std::move(reason);
  return parse;
}

// The distinct references of the net tables.
}  // namespace

Text PartListText(const Design& d) {
  Text text;
  AppendLine(text, kHeader);
  for (int i = 1; i <= d.partRows(); ++i) {
    std::array<TextView, kPartListFields> fields;
    for (std::size_t f = 0; f < kPartListFields; ++f) {
      fields[f] = d.PartTable.at(i, kPartListColumns[f]);
    }
    AppendLine(text, fields);
  }
  return text;
}

EncodeResult PartListBytes(const Design& d) { return EncodeCp932(PartListText(d)); }

PartListParse ParsePartList(TextView text, int maxParts) {
  CsvReader reader(text);
  std::vector<Text> fields;
  int line = 1;
  if (!reader.next(fields, line, kMaxCountedFields)) {
    if (!reader.reason().empty()) return Fault(reader.faultLine(), reader.reason());
    return Fault(1, u"見出し行がありません（空のファイルです）");
  }
  if (!std::equal(fields.begin(), fields.end(), kHeader.begin(), kHeader.end())) {
    return Fault(line, u"見出し行が " + HeaderText() +
                           u" ではありません（部品リストのファイルで、文字コードが Shift_JIS "
                           u"のものを指定してください）");
  }

  PartListParse parse;
  std::unordered_map<Text, int> seen;  // reference -> its line
  while (reader.next(fields, line, kMaxCountedFields)) {
    if (fields.size() > kMaxCountedFields) {
      return Fault(line, u"欄の数が " + IntText(kMaxCountedFields + 1) + u" 個以上です（" +
                             IntText(kPartListFields) + u" 個必要です）");
    }
    if (fields.size() != kPartListFields) {
      return Fault(line, u"欄の数が " + IntText(static_cast<long long>(fields.size())) +
                             u" 個です（" + IntText(kPartListFields) + u" 個必要です）");
    }
    if (parse.rows.size() >= static_cast<std::size_t>(maxParts)) {
      return Fault(line, u"部品が " + IntText(maxParts) + u" 個を超えています");
    }
    if (fields[0].empty()) return Fault(line, u"部品番号が空です");
    PartListRow row;
    std::move(fields.begin(), fields.end(), row.begin());
    if (Text problem = CodeProblem(row); !problem.empty()) return Fault(line, std::move(problem));
    parse.rows.push_back(std::move(row));
    const auto [at, inserted] = seen.emplace(parse.rows.back()[0], line);
    if (!inserted) {
      return Fault(line, u"部品番号 " + QuotedPart(parse.rows.back()[0]) + u" が " +
                             IntText(at->second) + u" 行目と重複しています");
    }
  }
  if (!reader.reason().empty()) return Fault(reader.faultLine(), reader.reason());
  return parse;
}

PartListParse ParsePartListBytes(std::string_view bytes, int maxParts) {
  const DecodeResult decoded = DecodeCp932(bytes);
  if (decoded.invalidBytes > 0) {
    const TextView text = decoded.text;
    const std::size_t bad = text.find(u'\uFFFD');
    int line = 1;
    for (std::size_t i = 0; i < bad && i < text.size(); ++i) {
      if (text[i] == u'\n' ||
          (text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'))) {
        ++line;
      }
    }
    return Fault(
        line,
        u"Shift_JIS として読めない文字があります（部品リストは Shift_JIS で保存してください）");
  }
  return ParsePartList(decoded.text, maxParts);
}

Text PartListFault(const PartListParse& parse) {
  return IntText(parse.line) + u" 行目: " + parse.reason;
}

PartListLoad LoadPartList(Design& d, const PartListParse& parse, std::vector<Text>& mainPartChoices,
                          ListBoxState& list1) {
  d.clearParts();
  mainPartChoices.clear();
  for (const PartListRow& row : parse.rows) {
    const int r = d.PartCount + 1;
    for (std::size_t f = 0; f < kPartListFields; ++f)
      d.PartTable.set(r, kPartListColumns[f], row[f]);
    d.PartCount = r;
    if (IsAnchorClass(row[5])) mainPartChoices.push_back(row[0]);
  }
  RefreshPartList(d, list1, -1);

  PartListLoad load;
  load.partCount = d.PartCount;
  load.undefinedCount = CountUndefinedSymbols(d);
  const std::vector<Text> references = d.pinReferences();
  const std::unordered_set<TextView> netlist(references.begin(), references.end());
  std::unordered_set<TextView> listed;
  for (const PartListRow& row : parse.rows) {
    listed.insert(row[0]);
    if (!netlist.count(row[0])) ++load.notInNetlist;
  }
  for (const Text& reference : references) {
    if (!listed.count(reference)) ++load.missingFromList;
  }
  return load;
}

Text PartListLoadNote(const PartListLoad& load, TextView path) {
  return u"部品リストを読み込みました: " + Text(path) + u"（部品 " + IntText(load.partCount) +
         u" 個、ネットリストにない部品 " + IntText(load.notInNetlist) +
         u" 個、リストにないネットリストの部品 " + IntText(load.missingFromList) + u" 個）";
}

Text PartListFileName(TextView netFilePath) {
  if (netFilePath.empty()) return {};
  const std::size_t slash = netFilePath.find_last_of(u"/\\");
  const std::size_t nameStart = slash == TextView::npos ? 0 : slash + 1;
  std::size_t dot = netFilePath.rfind(u'.');
  if (dot == TextView::npos || dot <= nameStart) dot = netFilePath.size();
  return Text(netFilePath.substr(0, dot)) + u".csv";
}

void PartListSaveState::markSaved(const Design& design) { saved_ = PartListText(design); }

bool PartListSaveState::changed(const Design& design) const {
  return design.PartCount > 0 && PartListText(design) != saved_;
}

}  // namespace pcbprep
