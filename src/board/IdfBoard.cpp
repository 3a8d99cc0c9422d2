#include "board/IdfBoard.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <map>
#include <numbers>
#include <utility>

#include "Version.h"
#include "board/BoardOutline.h"
#include "board/FootprintLibrary.h"
#include "board/FootprintMap.h"
#include "board/PartPlaces.h"

namespace pcbprep {

namespace {

// Parts whose size nothing tells.
constexpr double kDefaultBody = 2.0;    // mm square
constexpr double kDefaultHeight = 1.0;  // mm

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
double Tenths(char16_t a, char16_t b) { return ((a - u'0') * 10 + (b - u'0')) / 10.0; }

// An IDF field: quoted when it holds a blank or is empty. IDF has no escape for a
// quote inside a quoted field, so one becomes an apostrophe.
std::string IdfString(TextView text) {
  std::string field = ToUtf8(text);
  for (char& c : field) {
    if (c == '"') c = '\'';
  }
  if (!field.empty() && field.find_first_of(" \t") == std::string::npos) return field;
  return '"' + field + '"';
}

// When the files were made, "YYYY/MM/DD.hh:mm:ss" in UTC; SOURCE_DATE_EPOCH fixes it
// for reproducible output.
std::string IdfDate() {
  std::time_t now = std::time(nullptr);
  if (const char* fixed = std::getenv("SOURCE_DATE_EPOCH")) {
    char* end = nullptr;
    const long long seconds = std::strtoll(fixed, &end, 10);
    if (end != fixed && *end == '\0') now = static_cast<std::time_t>(seconds);
  }
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y/%m/%d.%H:%M:%S", &utc);
  return text;
}

std::string Header(const char* kind, const std::string& date) {
  return ".HEADER\n" + std::string(kind) + " 3.0 \"pcbprep " + kVersionString + "\" " + date +
         " 1\n";
}

std::string LoopRecords(const OutlineLoop& loop, int label) {
  std::string records;
  for (const LoopPoint& p : loop.points) {
    records += std::to_string(label) + ' ' + MmText(p.at.x) + ' ' + MmText(p.at.y) + ' ' +
               MmText(p.angle) + '\n';
  }
  return records;
}

// The board's edge: the outline of the drawing, or the rectangle of the board size.
std::vector<OutlineLoop> BoardLoops(const BoardOutline& outline) {
  if (outline.empty()) {
    throw BoardError{outline.fromDrawing ? u"外形線の層に何もありません"
                                         : u"基板の外形寸法（X × Y）がありません"};
  }
  std::vector<DblEdge> edges(outline.lines.begin(), outline.lines.end());
  edges.insert(edges.end(), outline.arcs.begin(), outline.arcs.end());
  LoopResult result = OrderOutlineLoops(edges);
  if (result.open) {
    throw BoardError{u"外形線が閉じていません: X " + FromUtf8(MmText(result.open->x)) + u", Y " +
                     FromUtf8(MmText(result.open->y)) + u" でとぎれています"};
  }
  return std::move(result.loops);
}

// A point of a footprint in IDF's axes: KiCad's Y points down.
DblPoint Upward(DblPoint p) { return {p.x, -p.y}; }

// The arc through three points of a footprint, in IDF's axes; none when they are on
// one line.
std::optional<DblArc> ArcThrough(DblPoint a, DblPoint b, DblPoint c) {
  const double d = 2 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
  if (std::abs(d) < 1e-12) return std::nullopt;
  const double aa = a.x * a.x + a.y * a.y, bb = b.x * b.x + b.y * b.y, cc = c.x * c.x + c.y * c.y;
  const DblPoint centre{(aa * (b.y - c.y) + bb * (c.y - a.y) + cc * (a.y - b.y)) / d,
                        (aa * (c.x - b.x) + bb * (a.x - c.x) + cc * (b.x - a.x)) / d};
  const auto angle = [&](DblPoint p) {
    return std::atan2(p.y - centre.y, p.x - centre.x) * 180 / std::numbers::pi;
  };
  const auto counterClockwise = [](double from, double to) {
    return std::fmod(to - from + 720, 360);
  };
  const double start = angle(a);
  const double sweep = counterClockwise(start, angle(c));
  const bool throughMid = counterClockwise(start, angle(b)) < sweep;
  const double radius = std::hypot(a.x - centre.x, a.y - centre.y);
  return DblArc{0, 0, centre, radius, start, throughMid ? sweep : sweep - 360};
}

// The edges of a footprint's shapes on one layer, in IDF's axes.
std::vector<DblEdge> ShapeEdges(const LibraryFootprint& footprint, std::string_view layer) {
  using Kind = FootprintShape::Kind;
  std::vector<DblEdge> edges;
  const auto line = [&](DblPoint a, DblPoint b) {
    edges.push_back(DblLine{0, 0, Upward(a), Upward(b)});
  };
  for (const FootprintShape& shape : footprint.shapes) {
    const std::vector<DblPoint>& p = shape.points;
    if (shape.layer != layer || p.size() < 2) continue;
    switch (shape.kind) {
      case Kind::kLine:
      case Kind::kCurve:  // its chord: a courtyard is drawn with lines and arcs
        line(p.front(), p.back());
        break;
      case Kind::kArc:
        if (p.size() < 3) break;
        if (const std::optional<DblArc> arc =
                ArcThrough(Upward(p[0]), Upward(p[1]), Upward(p[2]))) {
          edges.push_back(*arc);
        } else {
          line(p[0], p[2]);
        }
        break;
      case Kind::kCircle:
        edges.push_back(
            DblArc{0, 0, Upward(p[0]), std::hypot(p[1].x - p[0].x, p[1].y - p[0].y), 0, 360});
        break;
      case Kind::kRectangle:
        line(p[0], {p[1].x, p[0].y});
        line({p[1].x, p[0].y}, p[1]);
        line(p[1], {p[0].x, p[1].y});
        line({p[0].x, p[1].y}, p[0]);
        break;
      case Kind::kPolygon:
        for (std::size_t i = 0; i < p.size(); ++i) line(p[i], p[(i + 1) % p.size()]);
        break;
    }
  }
  return edges;
}

// The outline of a library footprint: the largest closed loop of its courtyard, else of
// its fabrication drawing; where they do not close, the box around them.
std::optional<OutlineLoop> FootprintLoop(const LibraryFootprint& footprint) {
  for (const char* layer : {"F.CrtYd", "F.Fab"}) {
    const std::vector<DblEdge> edges = ShapeEdges(footprint, layer);
    if (edges.empty()) continue;
    const LoopResult result = OrderOutlineLoops(edges);
    if (!result.open && !result.loops.empty()) return result.loops.front();
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (const DblEdge& edge : edges) {
      for (DblPoint p : EdgeEnds(edge)) {
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
      }
    }
    if (maxX - minX > 0 && maxY - minY > 0) {
      OutlineLoop box = RectangleLoop(maxX - minX, maxY - minY);
      for (LoopPoint& point : box.points) {
        point.at = {point.at.x + (minX + maxX) / 2, point.at.y + (minY + maxY) / 2};
      }
      return box;
    }
  }
  return std::nullopt;
}

struct Package {
  OutlineLoop loop;
  double height = kDefaultHeight;
};

Package PackageOf(const PartPlace& part, const BoardInput& input, FootprintLibraries& libraries,
                  int& fromLibrary) {
  Package package;
  const FootprintMapEntry* mapped = input.footprints.find(part.symbol);
  if (mapped && mapped->height) package.height = *mapped->height;
  const FootprintLibraries::Found& found = libraries.find(ToUtf8(part.footprint), false);
  std::optional<OutlineLoop> loop;
  if (found.footprint) loop = FootprintLoop(*found.footprint);
  if (loop) {
    ++fromLibrary;
    package.loop = std::move(*loop);
    return package;
  }
  const std::optional<BodySize> size = BodySizeOfSymbol(part.symbol);
  package.loop =
      size ? RectangleLoop(size->width, size->height) : RectangleLoop(kDefaultBody, kDefaultBody);
  return package;
}

}  // namespace

std::optional<BodySize> BodySizeOfSymbol(TextView symbol) {
  std::size_t letters = 0;
  while (letters < symbol.size() && IsLetter(symbol[letters])) ++letters;
  const TextView digits = symbol.substr(letters);
  for (char16_t c : digits) {
    if (!IsDigit(c)) return std::nullopt;
  }
  if (letters == 0) return std::nullopt;
  if (digits.size() == 2 && symbol.substr(0, letters) == u"TP") {
    const double diameter = Tenths(digits[0], digits[1]);
    if (diameter > 0) return BodySize{diameter, diameter};
  }
  if (digits.size() != 4) return std::nullopt;
  // The one common code whose width is not its digits in tenths.
  if (digits == u"2012") return BodySize{2.0, 1.25};
  const BodySize size{Tenths(digits[0], digits[1]), Tenths(digits[2], digits[3])};
  if (size.width <= 0 || size.height <= 0) return std::nullopt;
  return size;
}

OutlineLoop RectangleLoop(double width, double height) {
  const double x = width / 2, y = height / 2;
  return {{{{-x, -y}, 0}, {{x, -y}, 0}, {{x, y}, 0}, {{-x, y}, 0}, {{-x, -y}, 0}}, false};
}

BoardOutput WriteIdfBoard(const BoardInput& input, const std::filesystem::path& output) {
  const std::vector<PartPlace> places = PartPlaces(input);
  const BoardOutline outline = BoardOutlineOf(input);
  const std::vector<OutlineLoop> loops = BoardLoops(outline);
  FootprintLibraries libraries(FootprintLibraryFolders(input.footprintDirs));
  int fromLibrary = 0;
  const std::string date = IdfDate();

  std::string emn = Header("BOARD_FILE", date);
  emn += IdfString(FromUtf8(output.stem().string())) + " MM\n.END_HEADER\n";
  emn += ".BOARD_OUTLINE ECAD\n" + MmText(input.thickness) + '\n';
  for (std::size_t i = 0; i < loops.size(); ++i) emn += LoopRecords(loops[i], static_cast<int>(i));
  emn += ".END_BOARD_OUTLINE\n";
  if (!outline.holes.empty()) {
    emn += ".DRILLED_HOLES\n";
    for (const BoardHole& hole : outline.holes) {
      emn += MmText(hole.diameter) + ' ' + MmText(hole.centre.x) + ' ' + MmText(hole.centre.y) +
             " NPTH BOARD MTG ECAD\n";
    }
    emn += ".END_DRILLED_HOLES\n";
  }

  // One library entry per package and part number, as the placement names them.
  std::map<std::pair<std::string, std::string>, Package> packages;
  std::string placement;
  int unplaced = 0;
  for (const PartPlace& part : places) {
    const Text package = part.package.empty() ? Text(u"NOPACKAGE") : part.package;
    const std::string geometry = IdfString(package);
    const std::string number = IdfString(part.value.empty() ? package : part.value);
    if (!packages.contains({geometry, number}))
      packages[{geometry, number}] = PackageOf(part, input, libraries, fromLibrary);
    placement += geometry + ' ' + number + ' ' + IdfString(part.reference) + '\n';
    const DblPoint at = part.at.value_or(DblPoint{});
    placement += MmText(at.x) + ' ' + MmText(at.y) + " 0 0 " + (part.back ? "BOTTOM" : "TOP") +
                 (part.at ? " PLACED\n" : " UNPLACED\n");
    if (!part.at) ++unplaced;
  }
  if (!placement.empty()) emn += ".PLACEMENT\n" + placement + ".END_PLACEMENT\n";

  std::string emp = Header("LIBRARY_FILE", date) + ".END_HEADER\n";
  for (const auto& [key, package] : packages) {
    emp += ".ELECTRICAL\n" + key.first + ' ' + key.second + " MM " + MmText(package.height) + '\n' +
           LoopRecords(package.loop, 0) + ".END_ELECTRICAL\n";
  }

  std::filesystem::path library = output;
  library.replace_extension(output.extension() == ".EMN" ? ".EMP" : ".emp");
  Text summary = u"IDF " + FromUtf8(output.filename().string()) + u": 部品 " +
                 IntText(static_cast<long long>(places.size())) + u"、外形 " +
                 IntText(static_cast<long long>(packages.size())) + u"（ライブラリ " +
                 IntText(fromLibrary) + u"）、取付穴 " +
                 IntText(static_cast<long long>(outline.holes.size()));
  if (unplaced > 0) summary += u"、場所なし " + IntText(unplaced);
  return {{{output, std::move(emn)}, {library, std::move(emp)}}, std::move(summary), {}};
}

}  // namespace pcbprep
