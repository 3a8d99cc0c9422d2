#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/Design.h"

namespace pcbprep {

// A name changed so that the bracket format can hold it.
struct NameChange {
  Text before;
  Text after;
};

struct BracketNetlist {
  Text text;  // NAME[REF-PIN ... REF-PIN] lines, CR LF; empty when refused
  // The first net name, reference or pin number the format cannot hold, and why.
  std::optional<Text> refused;
  // With safe names: every name changed, once each (a pin number once per reference).
  std::vector<NameChange> changes;
};

// The loaded nets in the bracket format, as its reader reads them back. A net name may
// not hold "[", "]", ",", a double quote, a line break, another control character or a
// character code page 932 cannot write as itself (one that reads back as another, as
// 〜 does, included), nor start with a blank; a reference or pin number none of these
// nor "-", the separator of the pin token. Such a name refuses the conversion unless
// `safeNames`, which replaces each of those characters by "_"; a replacement that is
// another name of its kind (net names, references, the pin numbers of a reference)
// gets "_2", "_3", ... until it is none, so no two names become one.
BracketNetlist BracketNetlistText(const Design& design, bool safeNames);

// The bytes of a bracket netlist text in code page 932, as they are written; nothing
// when they would not read back as that text: the reader takes bytes that are valid
// UTF-8 (and not all ASCII) for UTF-8, which a short code page 932 text can be.
std::optional<std::string> BracketNetlistBytes(TextView text);

}  // namespace pcbprep
