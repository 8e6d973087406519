#include "displacement_body.h"

#include <algorithm>
#include <cmath>

namespace viscous {

DisplacementBody displacementBody(const std::array<bl::SurfaceValues, 2>& surfaces,
                                  const std::array<bl::SurfaceResult, 2>& results) {
  DisplacementBody body;
  for (std::size_t side = 0; side < 2; ++side) {
    const bl::SurfaceValues& v = surfaces[side];
    const std::vector<double>& d1 = results[side][bl::Column::d1];
    const std::size_t n = std::min({v.x.size(), v.y.size(), d1.size()});
    if (n < 3) continue;
    // The outward normal: to the left of the direction of the march on the
    // upper surface, which runs from the nose over the top to the edge, to
    // the right on the lower one.
    const double turn = side == 0 ? 1.0 : -1.0;
    for (std::size_t j = 0; j < n; ++j) {
      const std::size_t a = j == 0 ? 0 : j - 1, b = j + 1 < n ? j + 1 : n - 1;
      const double tx = v.x[b] - v.x[a], ty = v.y[b] - v.y[a];
      const double len = std::hypot(tx, ty);
      const double d = j < 2 ? d1[2] : d1[j];
      const double nx = len > 0.0 ? -turn * ty / len : 0.0, ny = len > 0.0 ? turn * tx / len : 0.0;
      body.x[side].push_back(v.x[j] + d * nx);
      body.y[side].push_back(v.y[j] + d * ny);
    }
  }
  // The centre line: from the trailing edge (the middle of the two walls'
  // last nodes, which lie on it at a cusp and a contour interval ahead of
  // it at a wedge) along the upper half-wake's nodes, which lie on it.
  const bl::SurfaceValues& up = surfaces[0];
  const bl::SurfaceValues& lo = surfaces[1];
  if (up.wall_nodes < 1 || lo.wall_nodes < 1 || body.empty()) return body;
  const auto lastUp = static_cast<std::size_t>(up.wall_nodes - 1), lastLo = static_cast<std::size_t>(lo.wall_nodes - 1);
  if (lastUp >= up.x.size() || lastLo >= lo.x.size()) return body;
  body.wakeX.push_back(0.5 * (up.x[lastUp] + lo.x[lastLo]));
  body.wakeY.push_back(0.5 * (up.y[lastUp] + lo.y[lastLo]));
  for (std::size_t j = lastUp + 1; j < up.x.size(); ++j) {
    body.wakeX.push_back(up.x[j]);
    body.wakeY.push_back(up.y[j]);
  }
  return body;
}

}  // namespace viscous
