#include "pick.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace plot {

Mark nearestPoint(const PickPoints& points, int x, int y) {
  Mark best;
  long long bestDistance = 0;
  for (const PickPoint& p : points) {
    const long long dx = p.x - x, dy = p.y - y, d = dx * dx + dy * dy;
    if (!best.valid() || d < bestDistance) {
      best = {p.series, p.index};
      bestDistance = d;
    }
  }
  return best;
}

bool markedPixel(const PickPoints& points, const Mark& mark, int& x, int& y) {
  if (!mark.valid()) return false;
  for (const PickPoint& p : points)
    if (p.series == mark.series && p.index == mark.index) {
      x = p.x;
      y = p.y;
      return true;
    }
  return false;
}

void drawMark(Drawing& d, int x, int y) {
  constexpr int kRadius = 6, kArm = 9;
  d.push_back({Primitive::Ellipse, kMarkColour, false, x - kRadius, y - kRadius, 2 * kRadius, 2 * kRadius, {}});
  line(d, kMarkColour, false, x - kArm, y, x + kArm, y);
  line(d, kMarkColour, false, x, y - kArm, x, y + kArm);
}

std::string cellText(double v) {
  if (!std::isfinite(v)) return "";
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string tabRow(const std::vector<std::string>& cells) {
  std::string row;
  for (std::size_t i = 0; i < cells.size(); ++i) row += (i ? "\t" : "") + cells[i];
  return row + "\n";
}

std::string valueText(const char* format, double v) {
  char buf[48];
  std::snprintf(buf, sizeof buf, format, v);
  return buf;
}

}  // namespace plot
