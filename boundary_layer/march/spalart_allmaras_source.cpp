// The Spalart-Allmaras model at a point: the fw table and the start from
// an eddy viscosity.
#include "march/spalart_allmaras_source.h"

#include <cmath>

namespace bl {

namespace sa {

FwValue fw_exact(double r) {
  constexpr double c6 = kCw3 * kCw3 * kCw3 * kCw3 * kCw3 * kCw3;
  const double r5 = r * r * r * r * r;
  const double g = r + kCw2 * (r5 * r - r);
  const double g3 = g * g * g, g6 = g3 * g3;
  const double root = std::pow((1.0 + c6) / (g6 + c6), 1.0 / 6.0);
  return FwValue{g * root, root * c6 / (g6 + c6) * (1.0 + kCw2 * (6.0 * r5 - 1.0))};
}

FwTable::FwTable() {
  for (int i = 0; i <= kIntervals; ++i) node_[static_cast<std::size_t>(i)] = fw_exact(kREnd * i / kIntervals);
}

const FwTable& fw_table() {
  static const FwTable table;
  return table;
}

}  // namespace sa

double sa_chi_of_eddy_viscosity(double b) {
  if (!(b > 0.0)) return 0.0;
  // chi fv1(chi) = b: chi^4 = b (chi^3 + cv1^3), by Newton from above
  // (the function is convex and increasing for chi > 0).
  double chi = b + sa::kCv1;
  for (int k = 0; k < 60; ++k) {
    const double c3 = chi * chi * chi;
    const double g = c3 * chi - b * (c3 + sa::kCv1Cubed);
    const double dg = 4.0 * c3 - 3.0 * b * chi * chi;
    const double step = g / dg;
    chi -= step;
    if (std::fabs(step) <= 1e-14 * chi) break;
  }
  return chi;
}

}  // namespace bl
