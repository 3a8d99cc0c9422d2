#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design/Text.h"
#include "drawing/DblReader.h"

namespace pcbprep {

// Footprints of the user's KiCad libraries (LIB.pretty/NAME.kicad_mod), read in the
// syntax of KiCad 5, 6, 7 or 8 and kept in KiCad 6 syntax, which the board files use.

// An s-expression in UTF-8: an atom, or a list of items. A quoted atom is written back
// quoted (KiCad tells strings from numbers and keywords by the quotes).
struct FootprintNode {
  std::string atom;
  bool list = false;
  bool quoted = false;
  std::vector<FootprintNode> items;

  static FootprintNode Atom(std::string text, bool quoted = false);
  static FootprintNode List(std::vector<FootprintNode> items);
  // The first atom of a list, or "".
  std::string_view head() const;
  // The first item list with this head, or nullptr.
  const FootprintNode* find(std::string_view keyword) const;
};

// A graphic shape of a footprint, in the footprint's millimetres (KiCad's, Y down).
struct FootprintShape {
  enum class Kind { kLine, kArc, kCircle, kRectangle, kPolygon, kCurve };
  Kind kind = Kind::kLine;
  std::string layer;  // "F.CrtYd", "F.Fab", "F.SilkS", ...
  // line: start, end; arc: start, mid, end; circle: centre, a point on it; rectangle:
  // two opposite corners; polygon: its corners; curve: start, two control points, end.
  std::vector<DblPoint> points;
};

struct LibraryFootprint {
  std::string name;    // "LIB:NAME"
  FootprintNode node;  // (footprint "LIB:NAME" (layer "F.Cu") ...), without ids or position
  std::vector<FootprintShape> shapes;  // its lines, arcs, circles ... (courtyard, fab, silk)
};

struct FootprintReadResult {
  std::optional<LibraryFootprint> footprint;
  Text error;  // why the file is not a footprint
};

// Reads a .kicad_mod file of any of the four syntaxes into KiCad 6 syntax named `name`:
// module becomes footprint, stroke its width, the Reference and Value properties
// fp_text, three-point arcs replace centre-and-angle arcs, ids and tokens KiCad 6 does
// not know are dropped.
FootprintReadResult ReadKicadFootprint(std::string_view bytes, std::string_view name);

// The footprint as KiCad places it on the back: mirrored about its X axis, F. and B.
// layers exchanged, texts mirrored.
FootprintNode FlippedFootprint(const FootprintNode& footprint);

// The library folders searched: the given ones in order, then those of the variables
// KICAD8_FOOTPRINT_DIR, KICAD7_FOOTPRINT_DIR, KICAD6_FOOTPRINT_DIR, then Debian's
// /usr/share/kicad/footprints.
std::vector<std::filesystem::path> FootprintLibraryFolders(
    const std::vector<std::filesystem::path>& given);

// Footprints by LIB:NAME from the folders, each file read once.
class FootprintLibraries {
 public:
  explicit FootprintLibraries(std::vector<std::filesystem::path> folders);

  struct Found {
    const LibraryFootprint* footprint = nullptr;  // nullptr: not found or not readable
    const LibraryFootprint* flipped = nullptr;    // the same on the back, made on request
    std::filesystem::path unreadable;             // a file found but not readable
    Text reason;                                  // why it was not readable
  };
  // The footprint of LIB:NAME; `back` asks for the flipped one too.
  const Found& find(std::string_view name, bool back);

 private:
  struct Entry {
    Found found;
    std::optional<LibraryFootprint> footprint;
    std::optional<LibraryFootprint> flipped;
  };
  std::vector<std::filesystem::path> folders_;
  std::map<std::string, Entry, std::less<>> cache_;
};

// Appends an s-expression as KiCad reads it: quoted atoms with \" and \\ escaped.
void AppendNodeText(std::string& out, const FootprintNode& node);
// A text as a quoted atom.
void AppendQuoted(std::string& out, std::string_view text);

// Text of a number in millimetres as KiCad writes it: at most six decimals, no
// trailing zeros.
std::string MmText(double value);

}  // namespace pcbprep
