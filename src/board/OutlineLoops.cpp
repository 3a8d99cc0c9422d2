#include "board/OutlineLoops.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace pcbprep {

namespace {

constexpr double kMeet = 1e-3;  // mm

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

DblPoint OnArc(const DblArc& arc, double degrees) {
  return {arc.centre.x + arc.radius * std::cos(Radians(degrees)),
          arc.centre.y + arc.radius * std::sin(Radians(degrees))};
}

bool Meet(DblPoint a, DblPoint b) { return std::hypot(a.x - b.x, a.y - b.y) < kMeet; }

// An edge as a step from one point to another, with its included angle.
struct Step {
  DblPoint from;
  DblPoint to;
  double angle = 0;
};

std::optional<Step> StepOf(const DblEdge& edge) {
  const auto [from, to] = EdgeEnds(edge);
  const auto* arc = std::get_if<DblArc>(&edge);
  if (arc ? arc->radius < kMeet || arc->sweep == 0 : Meet(from, to)) return std::nullopt;
  return Step{from, to, arc ? arc->sweep : 0};
}

OutlineLoop CircleLoop(const DblArc& arc) {
  return {{{arc.centre, 0}, {{arc.centre.x + arc.radius, arc.centre.y}, 360}}, true};
}

}  // namespace

std::array<DblPoint, 2> EdgeEnds(const DblEdge& edge) {
  if (const auto* line = std::get_if<DblLine>(&edge)) return {line->from, line->to};
  const DblArc& arc = std::get<DblArc>(edge);
  return {OnArc(arc, arc.start), OnArc(arc, arc.start + arc.sweep)};
}

double LoopArea(const OutlineLoop& loop) {
  if (loop.circle) {
    const DblPoint c = loop.points[0].at;
    const DblPoint p = loop.points[1].at;
    return std::numbers::pi * ((p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y));
  }
  double area = 0;
  for (std::size_t i = 1; i < loop.points.size(); ++i) {
    const DblPoint a = loop.points[i - 1].at;
    const DblPoint b = loop.points[i].at;
    area += (a.x * b.y - b.x * a.y) / 2;
    // The circular segment between the chord and the arc.
    const double angle = Radians(loop.points[i].angle);
    if (angle != 0) {
      const double chord = std::hypot(b.x - a.x, b.y - a.y);
      const double radius = chord / (2 * std::sin(std::abs(angle) / 2));
      area += radius * radius / 2 * (angle - std::sin(angle));
    }
  }
  return area;
}

OutlineLoop Reversed(const OutlineLoop& loop) {
  if (loop.circle) return loop;
  OutlineLoop reversed;
  const std::size_t n = loop.points.size();
  for (std::size_t j = 0; j < n; ++j) {
    reversed.points.push_back({loop.points[n - 1 - j].at, j == 0 ? 0 : -loop.points[n - j].angle});
  }
  return reversed;
}

LoopResult OrderOutlineLoops(std::span<const DblEdge> edges) {
  LoopResult result;
  std::vector<Step> steps;
  std::vector<OutlineLoop> loops;
  for (const DblEdge& edge : edges) {
    const auto* arc = std::get_if<DblArc>(&edge);
    if (arc && std::abs(arc->sweep) >= 360 && arc->radius >= kMeet) {
      loops.push_back(CircleLoop(*arc));
    } else if (const std::optional<Step> step = StepOf(edge)) {
      steps.push_back(*step);
    }
  }
  std::vector<bool> used(steps.size(), false);
  for (std::size_t first = 0; first < steps.size(); ++first) {
    if (used[first]) continue;
    used[first] = true;
    OutlineLoop loop;
    loop.points = {{steps[first].from, 0}, {steps[first].to, steps[first].angle}};
    while (!Meet(loop.points.back().at, loop.points.front().at)) {
      const DblPoint end = loop.points.back().at;
      bool found = false;
      for (std::size_t k = first + 1; k < steps.size() && !found; ++k) {
        if (used[k]) continue;
        if (Meet(steps[k].from, end)) {
          loop.points.push_back({steps[k].to, steps[k].angle});
        } else if (Meet(steps[k].to, end)) {
          loop.points.push_back({steps[k].from, -steps[k].angle});
        } else {
          continue;
        }
        used[k] = found = true;
      }
      if (!found) {
        result.open = end;
        return result;
      }
    }
    loop.points.back().at = loop.points.front().at;  // closed exactly
    loops.push_back(std::move(loop));
  }
  std::size_t outer = 0;
  for (std::size_t i = 1; i < loops.size(); ++i) {
    if (std::abs(LoopArea(loops[i])) > std::abs(LoopArea(loops[outer]))) outer = i;
  }
  for (std::size_t i = 0; i < loops.size(); ++i) {
    if (loops[i].circle) continue;
    const bool counterClockwise = LoopArea(loops[i]) > 0;
    if (counterClockwise != (i == outer)) loops[i] = Reversed(loops[i]);
  }
  if (!loops.empty()) std::rotate(loops.begin(), loops.begin() + outer, loops.begin() + outer + 1);
  result.loops = std::move(loops);
  return result;
}

}  // namespace pcbprep
