#include "netlist/BracketNetlist.h"

#include <map>
#include <set>

#include "design/CodePage.h"
#include "design/Numeric.h"
#include "netlist/NetlistFormat.h"
#include "netlist/NetlistReader.h"

namespace pcbprep {

namespace {

// ASCII needs no look-up; everything else is asked of the code page.
bool Writable(TextView character) {
  return (character.size() == 1 && character[0] < 0x80) || EncodeCp932(character).ok();
}

Text HexCode(char16_t c) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  Text hex;
  for (int shift = 12; shift >= 0; shift -= 4) hex += kDigits[(c >> shift) & 0xF];
  return hex;
}

// Why the bracket format cannot hold one character (a surrogate pair as one) of a
// name, or "" when it can. `first`: the character begins the name.
Text Fault(TextView character, bool first, bool pinPart) {
  const char16_t c = character[0];
  if (c == u'[' || c == u']' || c == u',' || c == u'"' || (pinPart && c == u'-')) {
    return u"「" + Text(1, c) + u"」";
  }
  if (c == u'\r' || c == u'\n') return u"改行";
  // The reader skips the blanks that begin an item: a name, or a reference or pin
  // number at the start of its item, would lose them.
  if (first && IsBlank(c)) return u"先頭の空白";
  if (c < 0x20 || c == 0x7F) return u"制御文字 U+" + HexCode(c);
  if (!Writable(character)) return u"Shift_JIS で書けない文字「" + Text(character) + u"」";
  return Text();
}

// Calls visit(character, fault) for each character of a name.
template <typename Visit>
void EachCharacter(TextView name, bool pinPart, Visit visit) {
  for (std::size_t i = 0; i < name.size();) {
    const char16_t c = name[i];
    const std::size_t length = (c >= 0xD800 && c <= 0xDBFF && i + 1 < name.size()) ? 2 : 1;
    const TextView character = name.substr(i, length);
    visit(character, Fault(character, i == 0, pinPart));
    i += length;
  }
}

// Why a name cannot be written as it is, or "" when it can.
Text Problem(TextView name, bool pinPart) {
  if (pinPart && name.empty()) return u"空の名前";
  Text problem;
  EachCharacter(name, pinPart, [&problem](TextView, const Text& fault) {
    if (problem.empty()) problem = fault;
  });
  return problem;
}

// The name with every character the format cannot hold replaced by "_".
Text Safe(TextView name, bool pinPart) {
  Text safe;
  EachCharacter(name, pinPart, [&safe](TextView character, const Text& fault) {
    safe += fault.empty() ? Text(character) : Text(u"_");
  });
  if (pinPart && safe.empty()) safe = u"_";
  return safe;
}

// Whether a file whose first net has this name would be read as another format: it
// would begin as that format does.
bool StartsAnotherFormat(TextView name) {
  return name.starts_with(u"!PADS-") ||
         DetectNetlistFormat(Text(name) + u"[") != NetlistFormat::kBracket;
}

// The names of one kind and what each that cannot be written becomes: the same
// replacement each time, and never one that is another name of the kind, so two
// names are never merged into one.
class Renames {
 public:
  void take(const Text& name) { taken_.insert(name); }
  // The replacement of `name` from its safe form; `added` when it is new.
  const Text& of(const Text& name, const Text& safe, bool& added) {
    const auto known = chosen_.find(name);
    if (known != chosen_.end()) return known->second;
    Text candidate = safe;
    for (long long k = 2; taken_.count(candidate) > 0; ++k) candidate = safe + u"_" + IntText(k);
    taken_.insert(candidate);
    added = true;
    return chosen_.emplace(name, std::move(candidate)).first->second;
  }

 private:
  std::set<Text> taken_;
  std::map<Text, Text> chosen_;
};

}  // namespace

BracketNetlist BracketNetlistText(const Design& d, bool safeNames) {
  BracketNetlist out;
  // Net names, references, and pin numbers by their reference.
  Renames nets;
  Renames references;
  std::map<Text, Renames> pinsOf;
  for (int n = 1; n <= d.NetCount; ++n) {
    nets.take(d.NetTable.at(n, kNetName));
    for (const int c : d.pinColumns(n)) {
      references.take(d.PinPartTable.at(n, c));
      pinsOf[d.PinPartTable.at(n, c)].take(d.PinNoTable.at(n, c));
    }
  }
  // The name as it can be written; sets `refused` on the first that cannot.
  const auto write = [&](const Text& name, Renames& kind, bool pinPart, const char16_t* what,
                         bool firstNet = false) {
    Text problem = Problem(name, pinPart);
    if (problem.empty() && firstNet && StartsAnotherFormat(name)) {
      problem = u"ファイルが別の形式のネットリストの始まりになります";
    }
    if (problem.empty()) return name;
    if (!safeNames) {
      if (!out.refused) out.refused = Text(what) + u"「" + QuotedPart(name) + u"」: " + problem;
      return name;
    }
    bool added = false;
    Text safeForm = Safe(name, pinPart);
    if (firstNet && StartsAnotherFormat(safeForm)) safeForm[0] = u'_';
    const Text& safe = kind.of(name, safeForm, added);
    if (added) out.changes.push_back({name, safe});
    return safe;
  };
  for (int n = 1; n <= d.NetCount && !out.refused; ++n) {
    const Text name = write(d.NetTable.at(n, kNetName), nets, false, u"ネット名", n == 1);
    const ColumnRange pins = d.pinColumns(n);
    bool first = true;
    for (const int c : pins) {
      const Text& reference = d.PinPartTable.at(n, c);
      const Text token = write(reference, references, true, u"部品番号") + u"-" +
                         write(d.PinNoTable.at(n, c), pinsOf[reference], true, u"ピン番号");
      Text line = first ? name + u"[" + token : token;
      if (c == pins.last) line += u"]";
      out.text += line + u"\r\n";
      first = false;
    }
  }
  if (out.refused) out.text.clear();
  return out;
}

std::optional<std::string> BracketNetlistBytes(TextView text) {
  EncodeResult encoded = EncodeCp932(text);
  if (!encoded.ok()) return std::nullopt;
  DecodeResult decoded;
  if (!DecodeNetlistBytes(encoded.bytes, decoded).ok() || decoded.text != text) return std::nullopt;
  return std::move(encoded.bytes);
}

}  // namespace pcbprep
