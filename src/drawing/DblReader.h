#pragma once

#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "design/Text.h"

namespace pcbprep {

// The drawing of a DBL file as plain primitives, in millimetres with Y upwards.

struct DblPoint {
  double x = 0;
  double y = 0;
  friend bool operator==(const DblPoint&, const DblPoint&) = default;
};

// LINE: a straight segment drawn with an aperture (one unit per 0.05 mm). Aperture 0
// also stands for a record that gives none ("AP=,").
struct DblLine {
  int layer = 0;
  int aperture = 0;
  DblPoint from;
  DblPoint to;
};

// ARC: centre, radius, start angle and sweep in degrees counter-clockwise from +X;
// a sweep of 360 is a full circle.
struct DblArc {
  int layer = 0;
  int aperture = 0;
  DblPoint centre;
  double radius = 0;
  double start = 0;
  double sweep = 0;
};

// TEXT with the characters of the CHAR record that follows it.
struct DblText {
  int layer = 0;
  int aperture = 0;
  DblPoint at;
  double height = 0;
  double rotation = 0;
  bool mirrorX = false;
  bool mirrorY = false;
  int justification = 0;
  Text characters;
};

// VIA: a pad stack placed with its centre at a point; it belongs to no layer.
struct DblVia {
  int padStack = 0;
  DblPoint at;
};

// One side of a plane's boundary.
using DblEdge = std::variant<DblLine, DblArc>;

// GPLANE ... EOGPLANE: a filled area. The first boundary is the outline, each further
// one (after ISLAND) a cut-out. Edges come in file order, not necessarily end to end.
struct DblPlane {
  int layer = 0;
  int aperture = 0;
  Text net;
  std::vector<std::vector<DblEdge>> boundaries;
};

struct DblDrawing {
  std::vector<DblLine> lines;
  std::vector<DblArc> arcs;
  std::vector<DblText> texts;
  std::vector<DblVia> vias;
  std::vector<DblPlane> planes;

  // How many records the primitives stand for: a text its TEXT and CHAR, a plane its
  // GPLANE, ISLAND, EOGPLANE and boundary records.
  int recordCount() const;
};

struct DblReadError {
  int line = 0;  // 1-based line of the file
  Text reason;
};

struct DblReadResult {
  DblDrawing drawing;
  int records = 0;                    // record lines read between "$GRAPHIC/" and "$END"
  int unknownRecords = 0;             // records of other kinds, skipped
  std::optional<DblReadError> error;  // the first broken record; reading stops there

  bool ok() const { return !error; }
};

// Reads the records of a DBL text. Blanks around "=", after "," and before the
// terminator may vary; fields may be separated by ",", ":" or a period and blanks;
// lines may end in CR LF, LF or CR; an empty AP gives aperture 0. Records of kinds the
// drawing does not use are counted and skipped; a record that cannot be read stops the
// reading with its line and the reason (quoting at most 60 characters). So does a
// layer that is not a whole number from 1, and a coordinate, radius, text height or
// aperture past 100 m.
DblReadResult ReadDbl(TextView text);

// The text of DBL file bytes: UTF-8 after a UTF-8 byte-order mark (editors write one),
// code page 932 otherwise.
Text DecodeDblBytes(std::string_view bytes);

// The message for a broken record: "<line> 行目: <reason>".
Text DblReadErrorMessage(const DblReadError& error);

}  // namespace pcbprep
