#include "trailing_streamline.h"

#include <cmath>

namespace aerofoil {

namespace {
constexpr int kMaxLinePoints = 100000;
}

std::string trailingStreamline(const OuterFlow& flow, const OuterSolution& state,
                               const StreamlineSpacing& spacing, Streamline& out, int substeps) {
  if (!(spacing.length > 0.0 && spacing.length < 1e3))
    return "the streamline length must lie in (0, 1000) chords";
  if (!(spacing.firstStep > 0.0)) return "the first step must be positive";
  if (!(spacing.growth >= 1.0 && spacing.growth < 10.0)) return "the step growth must lie in [1, 10)";
  if (substeps < 1) return "at least one Runge-Kutta step per interval";

  // Arc lengths of the points.
  std::vector<double> arc{0.0};
  double step = spacing.firstStep;
  while (arc.back() + step < spacing.length) {
    arc.push_back(arc.back() + step);
    step *= spacing.growth;
    if (static_cast<int>(arc.size()) > kMaxLinePoints) return "the spacing gives too many points";
  }
  if (arc.size() > 1 && spacing.length - arc.back() < (arc.back() - arc[arc.size() - 2]) / 3.0)
    arc.pop_back();
  arc.push_back(spacing.length);

  const CirclePlane& cp = flow.plane();
  const Complex edge = flow.te();
  const Complex bisector = std::polar(1.0, cp.map->trailingEdgeDirection());
  auto direction = [&](Complex p) {
    if (p == edge) return bisector;
    const Complex u = flow.velocity(state, p, false);
    return u / std::abs(u);
  };

  Streamline line;
  Complex p = edge;
  line.x.push_back(p.real());
  line.y.push_back(p.imag());
  line.s.push_back(0.0);
  line.q.push_back(0.0);
  for (std::size_t k = 1; k < arc.size(); ++k) {
    const double t0 = std::sqrt(arc[k - 1]), t1 = std::sqrt(arc[k]);
    const double h = (t1 - t0) / substeps;
    for (int sub = 0; sub < substeps; ++sub) {
      const double ta = t0 + sub * h, tm = ta + 0.5 * h, tb = ta + h;
      const Complex k1 = 2.0 * ta * direction(p);
      const Complex k2 = 2.0 * tm * direction(p + 0.5 * h * k1);
      const Complex k3 = 2.0 * tm * direction(p + 0.5 * h * k2);
      const Complex k4 = 2.0 * tb * direction(p + h * k3);
      p += h / 6.0 * (k1 + 2.0 * k2 + 2.0 * k3 + k4);
    }
    line.x.push_back(p.real());
    line.y.push_back(p.imag());
    line.s.push_back(arc[k]);
    line.q.push_back(std::abs(flow.velocity(state, p, false)));
  }
  // Speed at the edge: the parabola in t through the next three points.
  const std::size_t n = line.s.size();
  if (n >= 4) {
    const double t[3] = {std::sqrt(line.s[1]), std::sqrt(line.s[2]), std::sqrt(line.s[3])};
    double q0 = 0.0;
    for (int i = 0; i < 3; ++i) {
      double w = 1.0;
      for (int j = 0; j < 3; ++j)
        if (j != i) w *= -t[j] / (t[i] - t[j]);
      q0 += w * line.q[static_cast<std::size_t>(i) + 1];
    }
    line.q[0] = q0;
  } else {
    line.q[0] = line.q[1];
  }
  out = std::move(line);
  return {};
}

}  // namespace aerofoil
