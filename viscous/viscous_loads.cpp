// Squire-Young drag at the end of a wake; friction drag along a wall.
#include "viscous_loads.h"

#include <cmath>

#include "constants.h"

namespace viscous {

namespace {
using constants::kPi;
}

double squire_young(double theta, double ue, double h) { return 2.0 * theta * std::pow(ue, 0.5 * (h + 5.0)); }

double wake_drag(const bl::SurfaceResult& r) {
  const int last = r.nodes() - 1;
  if (last < 0) return 0.0;
  const auto k = static_cast<std::size_t>(last);
  return squire_young(r[bl::Column::d2][k], r[bl::Column::ue][k], r[bl::Column::h12][k]);
}

double friction_drag(const bl::SurfaceValues& v, const bl::SurfaceResult& r, double alphaDeg) {
  const double a = alphaDeg * kPi / 180.0;
  const double ex = std::cos(a), ey = std::sin(a);
  const std::vector<double>& cf = r[bl::Column::cf];
  const std::vector<double>& ue = r[bl::Column::ue];
  double sum = 0.0;
  for (int j = 1; j < v.wall_nodes; ++j) {
    const auto i = static_cast<std::size_t>(j), h = i - 1;
    const double ds = v.s[i] - v.s[h];
    if (!(ds > 0)) continue;
    // The flow runs from node j-1 to node j.
    const double cosine = ((v.x[i] - v.x[h]) * ex + (v.y[i] - v.y[h]) * ey) / ds;
    const double tau = 0.5 * (cf[i] * ue[i] * ue[i] + cf[h] * ue[h] * ue[h]);
    sum += tau * cosine * ds;
  }
  return sum;
}

}  // namespace viscous
