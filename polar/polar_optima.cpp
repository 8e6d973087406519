// What a viscous polar is read for first, its maximum lift and its best
// lift-to-drag ratio, and how many of its angles can be trusted.  Only
// converged points count: the numbers of a computation that did not settle
// are those of its last sweep, and a maximum among them would be an
// accident of where the iteration stopped.
#include <cmath>

#include "polar.h"

namespace polar {

namespace {

// The converged point of the greatest value(p) among those with one.
template <class Value>
const Point* greatest(const std::vector<Point>& points, Value value) {
  const Point* top = nullptr;
  for (const Point& p : points) {
    if (!converged(p)) continue;
    const double v = value(p);
    if (std::isfinite(v) && (!top || v > value(*top))) top = &p;
  }
  return top;
}

}  // namespace

bool converged(const Point& p) {
  const std::string c = convergence(p);
  return c == "yes" || c == "sep";
}

ConvergenceCount countConvergence(const std::vector<Point>& points) {
  ConvergenceCount c;
  for (const Point& p : points) {
    ++c.angles;
    if (!p.computed)
      ++c.failed;
    else if (!converged(p))
      ++c.unconverged;
  }
  return c;
}

std::string unconvergedNote(const std::vector<Point>& points) {
  const ConvergenceCount c = countConvergence(points);
  if (c.unconverged == 0) return "";
  return std::to_string(c.unconverged) + " of " + std::to_string(c.angles) +
         (c.angles == 1 ? " angle" : " angles") + " did not converge (grey circles)";
}

const Point* maximumLift(const std::vector<Point>& points) {
  return greatest(points, [](const Point& p) { return p.viscous.cl; });
}

const Point* bestLiftToDrag(const std::vector<Point>& points) {
  return greatest(points, [](const Point& p) {
    return p.viscous.cd > 0 ? p.viscous.cl / p.viscous.cd : std::nan("");
  });
}

bool mayLieBeyond(const std::vector<Point>& points, const Point* top) {
  if (!top) return false;
  bool below = false, above = false;
  for (const Point& p : points) {
    if (&p == top || !converged(p)) continue;
    below = below || p.alpha < top->alpha;
    above = above || p.alpha > top->alpha;
  }
  return !(below && above);
}

}  // namespace polar
