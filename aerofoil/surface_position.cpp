// Chord positions of points given by their arc length from the stagnation point.
#include "surface_position.h"

#include <cmath>
#include <limits>

namespace aerofoil {

namespace {
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
}

double stagnationArc(const Joukowski& af) {
  const std::vector<double>& s = af.s;
  const std::vector<double>& v = af.v;
  for (int i = 0; i < af.currentN; ++i) {
    const std::size_t k = static_cast<std::size_t>(i);
    if (v[k] * v[k + 1] < 0) return s[k] - v[k] * (s[k + 1] - s[k]) / (v[k + 1] - v[k]);
  }
  return kNone;
}

double chordPosition(const Joukowski& af, bool upper, double s) {
  const double stagnation = stagnationArc(af);
  // Contour arc length of the point: back towards index 0 over the upper
  // surface, on towards index N over the lower one.
  const double S = upper ? stagnation - s : stagnation + s;
  const std::vector<double>& arc = af.s;
  if (!(S >= arc.front() && S <= arc.back())) return kNone;
  std::size_t k = 1;
  while (k + 1 < arc.size() && arc[k] < S) ++k;
  const double t = (S - arc[k - 1]) / (arc[k] - arc[k - 1]);
  return af.x[k - 1] + t * (af.x[k] - af.x[k - 1]);
}

}  // namespace aerofoil
