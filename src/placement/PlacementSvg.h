#pragma once

#include <string>

#include "placement/PlacementImage.h"

namespace pcbprep {

// Records the placement image as SVG: what the command line writes and the window
// saves. The drawing keeps its twips as SVG user units
// (viewBox), and the document's width and height give them their size: 1440 twips to
// the inch, so the picture prints and shows at the window's size.
class PlacementSvg final : public PlacementCanvas {
 public:
  void line(double x1, double y1, double x2, double y2, CanvasColor color) override;
  void circle(double x, double y, double radius, CanvasColor color) override;
  void text(double x, double y, TextView text) override;

  // The whole document: a white sheet at least the size of the window's picture,
  // grown to take in everything drawn, with the legend box where the window puts it.
  std::string document(TextView legend) const;

 private:
  void include(double left, double top, double right, double bottom);

  std::string body_;
  // Extent of the drawing; starts as the window's picture box.
  double left_ = 0;
  double top_ = 0;
  double right_ = 16215;
  double bottom_ = 11535;
};

}  // namespace pcbprep
