#include "drawing/DblPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <unordered_map>

namespace pcbprep {

namespace {

constexpr double kRingViaDiameter = 0.5;
// Ends closer than this (mm) meet.
constexpr double kJoinTolerance = 1e-6;

bool Near(DblPoint a, DblPoint b) {
  return std::fabs(a.x - b.x) <= kJoinTolerance && std::fabs(a.y - b.y) <= kJoinTolerance;
}

bool FullCircle(double sweep) { return std::fabs(sweep) >= 360; }

// A negative radius puts the arc on the far side of the centre: centre + r (cos t, sin t).
// The same arc with a positive radius starts half a turn on.
DblArc Positive(DblArc a) {
  if (a.radius < 0) {
    a.radius = -a.radius;
    a.start += 180;
  }
  return a;
}

DblPoint EdgeStart(const DblEdge& e) {
  if (const auto* l = std::get_if<DblLine>(&e)) return l->from;
  const auto& a = std::get<DblArc>(e);
  return ArcPoint(a.centre, a.radius, a.start);
}
DblPoint EdgeEnd(const DblEdge& e) {
  if (const auto* l = std::get_if<DblLine>(&e)) return l->to;
  const auto& a = std::get<DblArc>(e);
  return ArcPoint(a.centre, a.radius, a.start + a.sweep);
}

DblPathStep MoveTo(DblPoint p) {
  DblPathStep step;
  step.to = p;
  return step;
}

// The step that walks an edge forwards or backwards.
DblPathStep Walk(const DblEdge& e, bool backwards) {
  DblPathStep step;
  if (const auto* l = std::get_if<DblLine>(&e)) {
    step.kind = DblPathStep::Kind::kLine;
    step.to = backwards ? l->from : l->to;
    return step;
  }
  const DblArc a = Positive(std::get<DblArc>(e));
  step.kind = DblPathStep::Kind::kArc;
  step.centre = a.centre;
  step.radius = a.radius;
  step.start = backwards ? a.start + a.sweep : a.start;
  step.sweep = backwards ? -a.sweep : a.sweep;
  step.to = ArcPoint(a.centre, a.radius, step.start + step.sweep);
  return step;
}

// The ends of a boundary's edges by where they lie, so that the edge continuing a run
// is found among the few ends near it instead of among all edges. An end that meets a
// point lies in one of the cells the tolerance box around the point touches: mostly
// one, since a cell is several tolerances wide.
class EndIndex {
 public:
  EndIndex(const std::vector<DblEdge>& edges, const std::vector<bool>& used)
      : edgeCount_(edges.size()), used_(used) {
    cells_.reserve(edges.size() * 2);
    for (std::size_t i = 0; i < edges.size(); ++i) {
      for (const DblPoint end : {EdgeStart(edges[i]), EdgeEnd(edges[i])}) {
        cells_[CellOf(end)].ends.push_back({i, end});
      }
    }
  }

  // The first unused edge in file order with an end at `at`, or edges.size().
  std::size_t next(DblPoint at) {
    const Cell low = CellOf({at.x - kJoinTolerance, at.y - kJoinTolerance});
    const Cell high = CellOf({at.x + kJoinTolerance, at.y + kJoinTolerance});
    std::size_t best = edgeCount_;
    for (std::int64_t x = low.x; x <= high.x; ++x) {
      for (std::int64_t y = low.y; y <= high.y; ++y) {
        const auto found = cells_.find(Cell{x, y});
        if (found != cells_.end()) best = std::min(best, firstMeeting(found->second, at));
      }
    }
    return best;
  }

 private:
  struct Cell {
    std::int64_t x = 0;
    std::int64_t y = 0;
    bool operator==(const Cell&) const = default;
  };
  struct CellHash {
    std::size_t operator()(const Cell& c) const {
      return std::hash<std::uint64_t>()(static_cast<std::uint64_t>(c.x) * 1000003u ^
                                        static_cast<std::uint64_t>(c.y));
    }
  };
  struct End {
    std::size_t edge;
    DblPoint at;
  };
  struct Ends {
    std::vector<End> ends;  // in file order of their edges
    std::size_t head = 0;   // ends before this one are of used edges
  };

  static std::int64_t Step(double v) {
    constexpr double kCellSize = 8 * kJoinTolerance;
    // Far past any drawing the cells merge; ends there are still compared one by one.
    constexpr double kLimit = 1e15;
    const double cell = std::floor(v / kCellSize);
    if (!(cell > -kLimit)) return static_cast<std::int64_t>(-kLimit);
    if (!(cell < kLimit)) return static_cast<std::int64_t>(kLimit);
    return static_cast<std::int64_t>(cell);
  }
  static Cell CellOf(DblPoint p) { return {Step(p.x), Step(p.y)}; }

  std::size_t firstMeeting(Ends& cell, DblPoint at) const {
    while (cell.head < cell.ends.size() && used_[cell.ends[cell.head].edge]) ++cell.head;
    for (std::size_t k = cell.head; k < cell.ends.size(); ++k) {
      const End& end = cell.ends[k];
      if (!used_[end.edge] && Near(end.at, at)) return end.edge;
    }
    return edgeCount_;
  }

  std::size_t edgeCount_;
  const std::vector<bool>& used_;
  std::unordered_map<Cell, Ends, CellHash> cells_;
};

void AppendRuns(const std::vector<DblEdge>& edges, DblPath& path) {
  std::vector<bool> used(edges.size(), false);
  EndIndex index(edges, used);
  for (std::size_t first = 0; first < edges.size(); ++first) {
    if (used[first]) continue;
    used[first] = true;
    const DblEdge& e = edges[first];
    if (const auto* a = std::get_if<DblArc>(&e); a && FullCircle(a->sweep)) {
      // A circle is a run of its own.
      path.push_back(MoveTo(ArcPoint(a->centre, a->radius, a->start)));
      DblPathStep step = Walk(e, false);
      step.sweep = a->sweep > 0 ? 360 : -360;
      path.push_back(step);
      continue;
    }
    const DblPoint start = EdgeStart(e);
    path.push_back(MoveTo(start));
    path.push_back(Walk(e, false));
    DblPoint at = path.back().to;
    while (!Near(at, start)) {
      const std::size_t i = index.next(at);
      if (i == edges.size()) break;  // open run: the fill closes it
      used[i] = true;
      path.push_back(Walk(edges[i], !Near(EdgeStart(edges[i]), at)));
      at = path.back().to;
    }
  }
}

}  // namespace

Text DblLayerName(int layer) {
  const DrawingLayer* info = FindDrawingLayer(layer);
  return info ? Text(info->shown) : Text();
}

std::uint32_t DblLayerColor(int layer) {
  if (const DrawingLayer* info = FindDrawingLayer(layer)) return info->color;
  // Layers the generator does not use: a hue spread from the layer number.
  static constexpr std::uint32_t kOthers[] = {0x4e79a7, 0xf28e2b, 0xe15759, 0x76b7b2,
                                              0x59a14f, 0xedc948, 0xb07aa1, 0xff9da7};
  return kOthers[static_cast<unsigned>(layer) % std::size(kOthers)];
}

// No aperture, or one below the first, draws the thinnest line the format names.
double DblApertureWidth(int aperture) { return std::max(1, aperture) * 0.05; }

double DblViaDiameter(int padStack) {
  switch (padStack) {
    case 84:
      return 2.2;
    case 87:
      return 2.5;
    case 90:
      return 3.0;
    case 91:
      return 3.2;
    case 92:
      return 3.5;
    case 94:
      return 4.0;
    default:
      return kRingViaDiameter;
  }
}

std::vector<int> DblLayersUsed(const DblDrawing& d) {
  std::set<int> layers;
  for (const auto& l : d.lines) layers.insert(l.layer);
  for (const auto& a : d.arcs) layers.insert(a.layer);
  for (const auto& t : d.texts) layers.insert(t.layer);
  for (const auto& p : d.planes) layers.insert(p.layer);
  if (!d.vias.empty()) layers.insert(kViaLayer);
  return {layers.begin(), layers.end()};
}

DblPoint ArcPoint(DblPoint centre, double radius, double angleDegrees) {
  const double a = angleDegrees * std::numbers::pi / 180;
  return {centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)};
}

DblPath PlanePath(const DblPlane& plane) {
  DblPath path;
  for (const auto& boundary : plane.boundaries) AppendRuns(boundary, path);
  return path;
}

void DblBounds::include(DblPoint p, double margin) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
  if (empty) {
    left = right = p.x;
    bottom = top = p.y;
    empty = false;
  }
  left = std::min(left, p.x - margin);
  right = std::max(right, p.x + margin);
  bottom = std::min(bottom, p.y - margin);
  top = std::max(top, p.y + margin);
}

namespace {

DblInk InkOf(int layer) { return {layer, DblLayerColor(layer)}; }

}  // namespace

void RenderDbl(const DblDrawing& d, DblCanvas& canvas, const std::set<int>& hidden) {
  const auto shown = [&hidden](int layer) { return !hidden.contains(layer); };
  for (const DblPlane& p : d.planes) {
    if (shown(p.layer)) canvas.plane(PlanePath(p), InkOf(p.layer));
  }
  for (const DblLine& l : d.lines) {
    if (shown(l.layer)) {
      canvas.line(l.from, l.to, DblApertureWidth(l.aperture), InkOf(l.layer));
    }
  }
  for (const DblArc& written : d.arcs) {
    if (shown(written.layer)) {
      const DblArc a = Positive(written);
      canvas.arc(a.centre, a.radius, a.start, a.sweep, DblApertureWidth(a.aperture),
                 InkOf(a.layer));
    }
  }
  for (const DblText& t : d.texts) {
    if (shown(t.layer)) {
      canvas.text(t.at, t.height, t.rotation, t.mirrorX, InkOf(t.layer), t.characters);
    }
  }
  if (shown(kViaLayer)) {
    for (const DblVia& v : d.vias) {
      canvas.via(v.at, DblViaDiameter(v.padStack), InkOf(kViaLayer));
    }
  }
}

DblBounds DrawingBounds(const DblDrawing& d) {
  DblBounds b;
  for (const auto& l : d.lines) {
    const double w = DblApertureWidth(l.aperture) / 2;
    b.include(l.from, w);
    b.include(l.to, w);
  }
  for (const auto& a : d.arcs) b.include(a.centre, std::fabs(a.radius));
  for (const auto& p : d.planes) {
    for (const auto& boundary : p.boundaries) {
      for (const auto& e : boundary) {
        if (const auto* l = std::get_if<DblLine>(&e)) {
          b.include(l->from);
          b.include(l->to);
        } else {
          const auto& a = std::get<DblArc>(e);
          b.include(a.centre, std::fabs(a.radius));
        }
      }
    }
  }
  for (const auto& t : d.texts) {
    // About half an em per character along the baseline, whichever way it turns.
    const double length = 0.6 * t.height * static_cast<double>(t.characters.size());
    const DblPoint end = ArcPoint(t.at, length, t.rotation);
    b.include(t.at, t.height);
    b.include(end, t.height);
  }
  for (const auto& v : d.vias) b.include(v.at, DblViaDiameter(v.padStack) / 2);
  return b;
}

}  // namespace pcbprep
