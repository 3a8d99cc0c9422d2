#pragma once

#include <optional>
#include <vector>

#include "netlist/NetlistFormat.h"

namespace pcbprep {

// The readers of the foreign formats. Each fills nets and parts exactly as the file
// writes them (power and flag pins included); ReadForeignNetlist applies the common
// mapping afterwards.
using NetlistReadFunction = std::optional<NetlistSyntaxError> (*)(TextView, ParsedNetlist&);
std::optional<NetlistSyntaxError> ReadKicadNetlist(TextView text, ParsedNetlist& out);
std::optional<NetlistSyntaxError> ReadLegacyNetlist(TextView text, ParsedNetlist& out);
std::optional<NetlistSyntaxError> ReadPadsNetlist(TextView text, ParsedNetlist& out);
std::optional<NetlistSyntaxError> ReadAllegroNetlist(TextView text, ParsedNetlist& out);

// A parenthesised list or an atom of an s-expression, with where it starts.
struct SExpr {
  Text atom;  // the atom, unquoted; empty for a list
  bool list = false;
  bool quoted = false;
  int line = 1;
  int column = 1;
  std::vector<SExpr> items;

  // The first atom of a list: its keyword.
  TextView head() const;
  // The first list item whose head is `keyword`, or nullptr.
  const SExpr* find(TextView keyword) const;
  // The atom after the keyword of the first (keyword value) item, or "".
  Text value(TextView keyword) const;
};

// The header line "!PADS-POWERPCB-V3.0-MILS!" and the like that PADS files may start with.
bool IsPadsHeaderLine(TextView line);

// A line of a text and its 1-based number.
struct NumberedLine {
  TextView text;
  int number = 0;
};
// The lines of a text; CR LF, LF and CR end a line.
std::vector<NumberedLine> SplitLines(TextView text);

// A line without the blanks around it.
TextView Trimmed(TextView line);

// A blank-separated word of a line and its 1-based column.
struct Word {
  TextView text;
  int column = 0;
};
std::vector<Word> SplitWords(TextView line);

// A syntax error at an expression.
inline NetlistSyntaxError SyntaxAt(const SExpr& e, Text reason) {
  return {e.line, e.column, std::move(reason)};
}

// Parses s-expressions: atoms end at blanks and parentheses, "..." strings take
// backslash escapes. `braceComments` skips {...} (the legacy format's comments) and
// `hashComments` lines starting with "#". Reads every top-level expression into
// `out.items`.
std::optional<NetlistSyntaxError> ParseSExpr(TextView text, bool braceComments, bool hashComments,
                                             SExpr& out);

}  // namespace pcbprep
