#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "drawing/DblReader.h"
#include "drawing/DrawingLayers.h"

namespace pcbprep {

// How a DBL drawing is pictured: one colour per layer, line widths from the
// apertures, vias at their hole size, planes filled with their cut-outs. Both the
// outline window and the SVG writer draw through RenderDbl, so they show the same.

// The name of a layer the outline generator uses ("外形線" for 23), or "" for others.
Text DblLayerName(int layer);
// The colour of a layer as 0xRRGGBB, well apart from its neighbours on white.
std::uint32_t DblLayerColor(int layer);
// Line width of an aperture: one unit per 0.05 mm; no aperture (0) or a negative one
// draws as one unit, the thinnest line.
double DblApertureWidth(int aperture);
// Hole diameter of a via pad stack, in mm; a small nominal size for the ring vias and
// pad stacks the generator does not write.
double DblViaDiameter(int padStack);

// The layers that carry something, vias as kViaLayer, in increasing order.
std::vector<int> DblLayersUsed(const DblDrawing& drawing);

// One closed or open run of a plane boundary, its edges joined end to end.
struct DblPathStep {
  enum class Kind { kMove, kLine, kArc };
  Kind kind = Kind::kMove;
  DblPoint to;  // end point of the step
  // Arc steps: centre, radius, start angle and sweep (negative: clockwise), degrees.
  DblPoint centre;
  double radius = 0;
  double start = 0;
  double sweep = 0;
};
using DblPath = std::vector<DblPathStep>;

// Joins a plane's boundaries into one path of closed runs: edges whose ends meet are
// chained in either direction, the first unused one in file order continuing a run; a
// run that cannot be continued is closed as it is. Arc steps have positive radii.
// The time grows with the number of edges, not with its square.
DblPath PlanePath(const DblPlane& plane);

// Where an arc ends.
DblPoint ArcPoint(DblPoint centre, double radius, double angleDegrees);

struct DblBounds {
  double left = 0;
  double bottom = 0;
  double right = 0;
  double top = 0;
  bool empty = true;
  void include(DblPoint p, double margin = 0);
};

// The layer of a stroke and its colour as 0xRRGGBB.
struct DblInk {
  int layer = 0;
  std::uint32_t color = 0;
};

// What the picture is drawn on. Coordinates are millimetres, Y upwards.
class DblCanvas {
 public:
  virtual ~DblCanvas() = default;
  virtual void line(DblPoint from, DblPoint to, double width, DblInk ink) = 0;
  // A sweep of 360 or more is a full circle.
  virtual void arc(DblPoint centre, double radius, double start, double sweep, double width,
                   DblInk ink) = 0;
  // Filled with the even-odd rule, so cut-outs stay open.
  virtual void plane(const DblPath& path, DblInk ink) = 0;
  // Text whose baseline starts at `at`, `height` mm high, turned counter-clockwise by
  // `rotation` degrees; mirrored left to right when `mirror`.
  virtual void text(DblPoint at, double height, double rotation, bool mirror, DblInk ink,
                    TextView characters) = 0;
  virtual void via(DblPoint at, double diameter, DblInk ink) = 0;
};

// Draws the drawing: planes first, then lines, arcs, texts and vias, each group in
// file order, leaving out the hidden layers. An arc of negative radius r lies at
// centre + r (cos t, sin t), in a plane as stroked; the canvas gets it with a positive
// radius starting half a turn on.
void RenderDbl(const DblDrawing& drawing, DblCanvas& canvas, const std::set<int>& hidden = {});

// The extent of everything the drawing holds (texts roughly), or empty.
DblBounds DrawingBounds(const DblDrawing& drawing);

}  // namespace pcbprep
