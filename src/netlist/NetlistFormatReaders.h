#pragma once

#include <functional>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "netlist/NetlistFormat.h"

namespace pcbprep {

// Takes the nets, pins and parts a reader finds, in file order, and applies the common
// mapping as they come (see ReadForeignNetlist). It counts what the tables would take
// and stops at the first net, pin or line slot past them: a reader stops as soon as a
// call returns false and returns `stop`.
class NetlistSink {
 public:
  NetlistSink(ParsedNetlist& out, const Capacity& capacity);

  // Starts a net; the pins added next are its own until endNet.
  void beginNet(Text name, int line);
  // Names the net begun last (a KiCad net may name itself after its pins).
  void renameNet(Text name);
  // A pin of the net begun last.
  bool addPin(Text reference, Text pin, int line);
  // Ends the net begun last; a net left without pins is dropped and counted, as is a
  // one-pin "unconnected-(...)" net of KiCad.
  void endNet();
  // A pin of the net of that name, which begins where it is first named (the legacy
  // format lists the pins part by part).
  bool addPinToNet(const Text& net, Text reference, Text pin, int line);
  // A legacy pin on "?", no net.
  void addUnconnectedPin() { ++out_.dropped.unconnectedPins; }
  // A part of the file; refused past twice the parts of the large tables, more than
  // any design can use.
  bool addPart(NetlistPart part, int line);
  // Ends the read: nets named only by dropped pins go.
  void finish();

  std::optional<NetlistSyntaxError> stop;  // why the read stopped, once it has

 private:
  bool count(const NetlistNet& net, std::size_t pin);
  bool limit(LoadFailure failure, int line, const NetlistNet& net);

  ParsedNetlist& out_;
  Capacity capacity_;
  long long slots_ = 0;                           // line slots the counted pins take
  int rows_ = 0;                                  // nets with a counted pin
  bool open_ = false;                             // a net begun and not ended
  std::unordered_map<Text, std::size_t> byName_;  // legacy: net names to their index
  std::unordered_map<Text, int> partsNamed_;      // references of the parts and how often
};

// The readers of the foreign formats. Each gives the sink the nets, pins and parts as
// the file writes them (power and flag pins included).
using NetlistReadFunction = std::optional<NetlistSyntaxError> (*)(TextView, NetlistSink&);
std::optional<NetlistSyntaxError> ReadKicadNetlist(TextView text, NetlistSink& sink);
std::optional<NetlistSyntaxError> ReadLegacyNetlist(TextView text, NetlistSink& sink);
std::optional<NetlistSyntaxError> ReadPadsNetlist(TextView text, NetlistSink& sink);
std::optional<NetlistSyntaxError> ReadAllegroNetlist(TextView text, NetlistSink& sink);

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
// Reads the lines of a text one at a time; CR LF, LF and CR end a line.
class LineReader {
 public:
  explicit LineReader(TextView text) : text_(text) {}
  bool next(NumberedLine& line);

 private:
  TextView text_;
  std::size_t at_ = 0;
  int number_ = 0;
};

// A line without the blanks around it.
TextView Trimmed(TextView line);

// A blank-separated word of a line and its 1-based column.
struct Word {
  TextView text;
  int column = 0;
};
// Reads the blank-separated words of a line one at a time.
class WordReader {
 public:
  explicit WordReader(TextView line) : line_(line) {}
  bool next(Word& word);

 private:
  TextView line_;
  std::size_t at_ = 0;
};

// A syntax error at an expression.
inline NetlistSyntaxError SyntaxAt(const SExpr& e, Text reason) {
  return {e.line, e.column, std::move(reason)};
}

// Called when a list closes, with the lists it is in (the file's top level first): a
// reader takes what it needs of the list and says whether the parser keeps it in its
// parent (`keep`, true on entry); an error ends the parse.
using SExprClosed = std::function<std::optional<NetlistSyntaxError>(
    const SExpr& list, std::span<SExpr* const> parents, bool& keep)>;

// Lists and atoms the parser holds at once at most; a reader drops what it has taken,
// so a netlist never comes near it however large, and a file that would is refused.
inline constexpr std::size_t kSExprNodeBudget = 250000;

// What the legacy format adds to the s-expressions of KiCad.
struct SExprSyntax {
  bool braceComments = false;  // {...} is a comment
  bool hashComments = false;   // so is a line starting with "#"
  bool starLineEnds = false;   // a line holding only "*" ends what is read
};

// Parses s-expressions: atoms end at blanks and parentheses, "..." strings take
// backslash escapes and end at their line. Reads every top-level expression into
// `out.items`, less the lists `closed` drops.
std::optional<NetlistSyntaxError> ParseSExpr(TextView text, const SExprSyntax& syntax,
                                             const SExprClosed& closed, SExpr& out);

}  // namespace pcbprep
