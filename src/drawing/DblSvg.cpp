#include "drawing/DblSvg.h"

#include <cmath>
#include <map>

#include "design/SvgText.h"

namespace pcbprep {

namespace {

constexpr double kSheetMargin = 5;  // mm of white around the drawing
constexpr double kPlaneOpacity = 0.35;

std::string N(double value) { return SvgNumber(value, 4); }

std::string Point(DblPoint p) { return N(p.x) + " " + N(p.y); }

// SVG arcs go from point to point; large-arc and sweep flags pick one of four.
std::string ArcTo(double radius, double sweep, DblPoint to) {
  const bool large = std::fabs(sweep) > 180;
  const bool positive = sweep > 0;  // counter-clockwise, as Y points up here
  return "A " + N(radius) + " " + N(radius) + " 0 " + (large ? "1 " : "0 ") +
         (positive ? "1 " : "0 ") + Point(to);
}

// A full circle as two half arcs, since one SVG arc cannot close on itself.
std::string CircleArcs(DblPoint centre, double radius, double start, double sweep) {
  const double half = sweep > 0 ? 180 : -180;
  return ArcTo(radius, half, ArcPoint(centre, radius, start + half)) + " " +
         ArcTo(radius, half, ArcPoint(centre, radius, start));
}

// Collects the elements of each layer, to write them as one group per layer.
class SvgDblCanvas final : public DblCanvas {
 public:
  void line(DblPoint from, DblPoint to, double width, DblInk ink) override {
    layer(ink) += "<line x1=\"" + N(from.x) + "\" y1=\"" + N(from.y) + "\" x2=\"" + N(to.x) +
                  "\" y2=\"" + N(to.y) + "\" stroke-width=\"" + N(width) + "\"/>\n";
  }
  void arc(DblPoint centre, double radius, double start, double sweep, double width,
           DblInk ink) override {
    const double r = std::fabs(radius);
    if (std::fabs(sweep) >= 360) {
      layer(ink) += "<circle cx=\"" + N(centre.x) + "\" cy=\"" + N(centre.y) + "\" r=\"" + N(r) +
                    "\" stroke-width=\"" + N(width) + "\"/>\n";
      return;
    }
    layer(ink) += "<path d=\"M " + Point(ArcPoint(centre, r, start)) + " " +
                  ArcTo(r, sweep, ArcPoint(centre, r, start + sweep)) + "\" stroke-width=\"" +
                  N(width) + "\"/>\n";
  }
  void plane(const DblPath& path, DblInk ink) override {
    std::string d;
    for (const DblPathStep& step : path) {
      if (!d.empty()) d += ' ';
      switch (step.kind) {
        case DblPathStep::Kind::kMove:
          if (!d.empty()) d += "Z ";
          d += "M " + Point(step.to);
          break;
        case DblPathStep::Kind::kLine:
          d += "L " + Point(step.to);
          break;
        case DblPathStep::Kind::kArc:
          d += std::fabs(step.sweep) >= 360
                   ? CircleArcs(step.centre, std::fabs(step.radius), step.start, step.sweep)
                   : ArcTo(std::fabs(step.radius), step.sweep, step.to);
          break;
      }
    }
    if (!d.empty()) d += " Z";
    layer(ink) += "<path d=\"" + d + "\" fill=\"" + SvgColor(ink.color) + "\" fill-opacity=\"" +
                  N(kPlaneOpacity) + "\" fill-rule=\"evenodd\" stroke=\"none\"/>\n";
  }
  void text(DblPoint at, double height, double rotation, bool mirror, DblInk ink,
            TextView characters) override {
    // The text is set upright again inside the flipped drawing; its blanks are kept,
    // as a viewer would fold "ABC-01  L1" into one blank.
    layer(ink) += "<text xml:space=\"preserve\" transform=\"translate(" + Point(at) + ") rotate(" +
                  N(rotation) + ") scale(" + (mirror ? "-1" : "1") + " -1)\" font-size=\"" +
                  N(height) + "\" fill=\"" + SvgColor(ink.color) + "\" stroke=\"none\">" +
                  XmlEscaped(characters) + "</text>\n";
  }
  void via(DblPoint at, double diameter, DblInk ink) override {
    layer(ink) += "<circle cx=\"" + N(at.x) + "\" cy=\"" + N(at.y) + "\" r=\"" + N(diameter / 2) +
                  "\" fill=\"" + SvgColor(ink.color) +
                  "\" fill-opacity=\"0.5\" stroke=\"none\"/>\n";
  }

  const std::map<int, std::string>& layers() const { return layers_; }

 private:
  std::string& layer(DblInk ink) { return layers_[ink.layer]; }
  std::map<int, std::string> layers_;
};

}  // namespace

std::string DblSvgDocument(const DblDrawing& drawing, TextView title, const std::set<int>& hidden) {
  SvgDblCanvas canvas;
  RenderDbl(drawing, canvas, hidden);

  DblBounds b = DrawingBounds(drawing);
  if (b.empty) b.include({0, 0});
  const double left = b.left - kSheetMargin;
  const double top = b.top + kSheetMargin;
  const double width = b.right - b.left + 2 * kSheetMargin;
  const double height = b.top - b.bottom + 2 * kSheetMargin;

  // The viewBox is in flipped coordinates: its top is at -top.
  std::string svg = SvgDocumentStart({.left = N(left),
                                      .top = N(-top),
                                      .width = N(width),
                                      .height = N(height),
                                      .widthMm = N(width),
                                      .heightMm = N(height)},
                                     title);
  svg +=
      "<g id=\"drawing\" transform=\"scale(1 -1)\" fill=\"none\" stroke-linecap=\"round\" "
      "font-family=\"IPAGothic, sans-serif\">\n";
  // Vias come last, over everything they pierce.
  std::vector<std::pair<int, const std::string*>> groups;
  for (const auto& [layer, elements] : canvas.layers()) {
    if (layer != kViaLayer) groups.emplace_back(layer, &elements);
  }
  if (const auto vias = canvas.layers().find(kViaLayer); vias != canvas.layers().end()) {
    groups.emplace_back(kViaLayer, &vias->second);
  }
  for (const auto& [layer, elements] : groups) {
    const Text name = DblLayerName(layer);
    svg += "<g id=\"layer-" + std::to_string(layer) + "\" stroke=\"" +
           SvgColor(DblLayerColor(layer)) + "\">\n";
    svg += "<title>" + std::to_string(layer) + (name.empty() ? "" : " " + XmlEscaped(name)) +
           "</title>\n";
    svg += *elements;
    svg += "</g>\n";
  }
  svg += "</g>\n</svg>\n";
  return svg;
}

}  // namespace pcbprep
