#include "clip.h"

#include <algorithm>
#include <cmath>

namespace plot {

bool clipSegment(int& x1, int& y1, int& x2, int& y2, const PixelBox& box) {
  if (box.contains(x1, y1) && box.contains(x2, y2)) return true;
  // The segment as P(t) = P1 + t (P2 - P1), 0 <= t <= 1; each edge bounds t
  // from below where the segment enters the box and from above where it
  // leaves.
  const double dx = x2 - x1, dy = y2 - y1;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {double(x1 - box.left), double(box.right - x1), double(y1 - box.top),
                       double(box.bottom - y1)};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) return false;  // parallel to this edge and outside it
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const int ax = static_cast<int>(std::lround(x1 + t0 * dx)), ay = static_cast<int>(std::lround(y1 + t0 * dy));
  const int bx = static_cast<int>(std::lround(x1 + t1 * dx)), by = static_cast<int>(std::lround(y1 + t1 * dy));
  x1 = ax;
  y1 = ay;
  x2 = bx;
  y2 = by;
  return true;
}

void clipToBox(Drawing& d, std::size_t first, const PixelBox& box) {
  std::size_t out = first;
  for (std::size_t i = first; i < d.size(); ++i) {
    Primitive& p = d[i];
    bool keep = true;
    if (p.kind == Primitive::Line)
      keep = clipSegment(p.x1, p.y1, p.x2, p.y2, box);
    else if (p.kind == Primitive::Ellipse)
      keep = box.contains(p.x1 + p.x2 / 2, p.y1 + p.y2 / 2);
    if (keep) {
      if (out != i) d[out] = std::move(p);
      ++out;
    }
  }
  d.resize(out);
}

}  // namespace plot
