#include "netlist/BracketNetlist.h"

#include <set>

#include "design/CodePage.h"
#include "design/Numeric.h"

namespace pcbprep {

namespace {

// ASCII needs no look-up; everything else is asked of the code page.
bool Writable(TextView character) {
  return (character.size() == 1 && character[0] < 0x80) || EncodeCp932(character).ok();
}

// Why the bracket format cannot hold one character (a surrogate pair as one) of a
// name, or "" when it can. `first`: the character begins the name.
Text Fault(TextView character, bool first, bool pinPart) {
  const char16_t c = character[0];
  if (c == u'[' || c == u']' || c == u',' || c == u'"' || (pinPart && c == u'-')) {
    return u"「" + Text(1, c) + u"」";
  }
  if (c == u'\r' || c == u'\n') return u"改行";
  // The reader skips the blanks that begin an item.
  if (!pinPart && first && IsBlank(c)) return u"先頭の空白";
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

}  // namespace

BracketNetlist BracketNetlistText(const Design& d, bool safeNames) {
  BracketNetlist out;
  std::set<Text> changed;
  // The name as it can be written; sets `refused` on the first that cannot.
  const auto write = [&](const Text& name, bool pinPart, const char16_t* what) {
    const Text problem = Problem(name, pinPart);
    if (problem.empty()) return name;
    if (!safeNames) {
      if (!out.refused) out.refused = Text(what) + u"「" + name + u"」: " + problem;
      return name;
    }
    const Text safe = Safe(name, pinPart);
    if (changed.insert(name).second) out.changes.push_back({name, safe});
    return safe;
  };
  for (int n = 1; n <= d.NetCount && !out.refused; ++n) {
    const Text name = write(d.NetTable.at(n, kNetName), false, u"ネット名");
    const ColumnRange pins = d.pinColumns(n);
    bool first = true;
    for (const int c : pins) {
      const Text token = write(d.PinPartTable.at(n, c), true, u"部品番号") + u"-" +
                         write(d.PinNoTable.at(n, c), true, u"ピン番号");
      Text line = first ? name + u"[" + token : token;
      if (c == pins.last) line += u"]";
      out.text += line + u"\r\n";
      first = false;
    }
  }
  if (out.refused) out.text.clear();
  return out;
}

}  // namespace pcbprep
