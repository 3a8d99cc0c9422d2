#include "board/BoardOutline.h"

#include <cmath>

#include "drawing/DrawingLayers.h"
#include "outline/OutlineGenerator.h"

namespace pcbprep {

namespace {

bool IsFullCircle(const DblArc& arc) { return std::abs(arc.sweep) >= 360; }

BoardOutline Rectangle(double width, double height) {
  BoardOutline outline;
  if (width <= 0 || height <= 0) return outline;
  const DblPoint corners[] = {{0, 0}, {width, 0}, {width, height}, {0, height}};
  for (int i = 0; i < 4; ++i) {
    outline.lines.push_back(DblLine{0, 0, corners[i], corners[(i + 1) % 4]});
  }
  return outline;
}

}  // namespace

BoardOutline BoardOutlineOf(const BoardInput& input) {
  if (!input.outline) {
    return Rectangle(input.design ? input.design->BoardSizeX : 0,
                     input.design ? input.design->BoardSizeY : 0);
  }
  BoardOutline outline;
  outline.fromDrawing = true;
  const DblDrawing& drawing = *input.outline;
  for (const DblLine& line : drawing.lines) {
    if (RoleOfLayer(line.layer) == LayerRole::kOutline) outline.lines.push_back(line);
  }
  for (const DblArc& arc : drawing.arcs) {
    const LayerRole role = RoleOfLayer(arc.layer);
    if (role == LayerRole::kOutline) outline.arcs.push_back(arc);
    if (role == LayerRole::kMountingHole && IsFullCircle(arc) && arc.radius > 0) {
      outline.holes.push_back(BoardHole{arc.centre, 2 * arc.radius});
    }
  }
  return outline;
}

DblDrawing OutlineDrawingOf(const OutlineSettings& settings) {
  return ReadDbl(GenerateDbl(settings).text()).drawing;
}

}  // namespace pcbprep
