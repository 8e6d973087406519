#include "surface_loads.h"

#include <cmath>

#include "constants.h"

namespace aerofoil {

namespace {
using constants::kPi;
}

SectionLoads integratePressure(const std::vector<double>& x, const std::vector<double>& y,
                               const std::vector<double>& v, double alphaDeg, double xRef, double yRef) {
  // Force on a panel: -C_p times its outward normal (dy, -dx) per unit
  // dynamic pressure and chord; anticlockwise, so the outside is on the right.
  double fx = 0.0, fy = 0.0, mz = 0.0;
  for (std::size_t i = 0; i + 1 < x.size(); ++i) {
    const double cp = 1.0 - 0.5 * (v[i] * v[i] + v[i + 1] * v[i + 1]);
    const double dx = x[i + 1] - x[i], dy = y[i + 1] - y[i];
    const double px = -cp * dy, py = cp * dx;
    fx += px;
    fy += py;
    mz += (0.5 * (x[i] + x[i + 1]) - xRef) * py - (0.5 * (y[i] + y[i + 1]) - yRef) * px;
  }
  const double alpha = kPi * alphaDeg / 180.0;
  SectionLoads loads;
  loads.cl = fy * std::cos(alpha) - fx * std::sin(alpha);
  loads.cd = fx * std::cos(alpha) + fy * std::sin(alpha);
  loads.cm = -mz;  // anticlockwise is nose down
  return loads;
}

BareLoads bareLoads(const CirclePlane& cp, double xRef, double yRef) {
  BareLoads b;
  const SectionMap& m = *cp.map;
  b.cl = 8.0 * kPi * cp.r * std::sin(cp.alpha + cp.beta) / cp.len;
  const Complex focus = (m.d0 - m.c1 * std::polar(1.0, cp.beta) / cp.r - m.origin) / cp.len;
  b.xFocus = focus.real();
  b.yFocus = focus.imag();
  b.cmFocus = -4.0 * kPi * (m.c1 * std::polar(1.0, 2.0 * cp.beta)).imag() / (cp.len * cp.len);
  b.cm = b.cmFocus - b.cl * ((b.xFocus - xRef) * std::cos(cp.alpha) + (b.yFocus - yRef) * std::sin(cp.alpha));
  return b;
}

}  // namespace aerofoil
