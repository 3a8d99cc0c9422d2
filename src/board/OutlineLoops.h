#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "drawing/DblReader.h"

namespace pcbprep {

// The edge of a board (or of a part) as closed loops, the way IDF carries it.

// A point of a loop with the included angle, in degrees counter-clockwise, of the arc
// that reaches it from the point before; 0 for a straight line and for the first point.
struct LoopPoint {
  DblPoint at;
  double angle = 0;
};

// A closed loop: the first point is repeated at the end. A full circle is its centre
// followed by a point on it with the angle 360, in either direction.
struct OutlineLoop {
  std::vector<LoopPoint> points;
  bool circle = false;
};

// Where an edge begins and ends (an arc as it sweeps).
std::array<DblPoint, 2> EdgeEnds(const DblEdge& edge);

// The area a loop encloses, positive when it runs counter-clockwise (and for a circle).
double LoopArea(const OutlineLoop& loop);

// The same loop run the other way round (a circle stays as it is).
OutlineLoop Reversed(const OutlineLoop& loop);

// Orders edges given in any order and direction into closed loops: the loop enclosing
// the largest area first, counter-clockwise, then the others (the cut-outs) clockwise:
// full circles first, then the chained loops in the order of their first edge. Ends closer than 1
// µm meet; edges without length are left out. Returns the first end that meets no other edge in
// `open` and no loops when the edges do not close.
struct LoopResult {
  std::vector<OutlineLoop> loops;
  std::optional<DblPoint> open;
};
LoopResult OrderOutlineLoops(std::span<const DblEdge> edges);

}  // namespace pcbprep
