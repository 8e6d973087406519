#include "edge_terms.h"

#include <cmath>

#include "constants.h"

namespace aerofoil {

namespace {
using constants::kPi;
}

std::complex<double> edgeCorner(std::complex<double> w) {
  const std::complex<double> u = 1.0 - w;
  if (u == 0.0) return 0.0;
  return w * u * std::log(u);
}

double edgeCornerPrimitive(double x) {
  // d/dx g(exp(-i x)) = F for g = i (u^2/4 - u^2 ln(u)/2), u = 1 - w.
  const std::complex<double> u = 1.0 - std::polar(1.0, -x);
  if (u == 0.0) return 0.0;
  const std::complex<double> g = u * u * (0.25 - 0.5 * std::log(u));
  return -g.imag();
}

double edgeStepPrimitive(double x) { return x * (0.25 * x - 0.5 * kPi); }

std::complex<double> edgeStepSpread(std::complex<double> w, double rho) {
  return std::complex<double>(0.0, 1.0) * std::log(1.0 - w / rho);
}

}  // namespace aerofoil
