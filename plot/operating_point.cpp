#include "operating_point.h"

#include <algorithm>
#include <cmath>

#include "polar_plot.h"

namespace plot {

bool operatingPointPixel(const PickPoints& pickPoints, const std::vector<polar::Point>& points, double alphaDeg,
                         int& x, int& y) {
  if (!std::isfinite(alphaDeg)) return false;
  // The lift curve's points in the order of their angles.
  const int lift = polarSeries(kLiftCurve, -1, 0);
  std::vector<std::pair<double, const PickPoint*>> curve;
  for (const PickPoint& p : pickPoints)
    if (p.series == lift && p.index >= 0 && static_cast<std::size_t>(p.index) < points.size())
      curve.emplace_back(points[static_cast<std::size_t>(p.index)].alpha, &p);
  std::sort(curve.begin(), curve.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i + 1 < curve.size(); ++i) {
    const double a0 = curve[i].first, a1 = curve[i + 1].first;
    if (alphaDeg < a0 || alphaDeg > a1 || !(a1 > a0)) continue;
    const double t = (alphaDeg - a0) / (a1 - a0);
    const PickPoint &p = *curve[i].second, &q = *curve[i + 1].second;
    x = static_cast<int>(std::lround(p.x + t * (q.x - p.x)));
    y = static_cast<int>(std::lround(p.y + t * (q.y - p.y)));
    return true;
  }
  if (curve.size() == 1 && curve[0].first == alphaDeg) {
    x = curve[0].second->x;
    y = curve[0].second->y;
    return true;
  }
  return false;
}

void drawOperatingPoint(Drawing& d, int x, int y) {
  d.push_back({Primitive::Fill, kOperatingColour, false, x - 3, y - 3, 7, 7, {}});
  d.push_back({Primitive::Ellipse, kOperatingColour, false, x - 7, y - 7, 14, 14, {}});
}

}  // namespace plot
