#include "joukowski_map.h"

#include <cmath>

#include "constants.h"

namespace aerofoil {

JoukowskiMap::JoukowskiMap(const Joukowski& af) {
  a = af.mapConstant;
  const double h = af.hR1, e = af.eR1;
  beta = std::atan(h / a);
  centre = Complex(-e * std::cos(beta), h + e * std::sin(beta));
  r = e + a / std::cos(beta);
  d0 = centre;
  c1 = a * a;

  const int n = af.currentN;
  double xmin = 100.0, xmax = -100.0;
  for (int i = 0; i <= n; ++i) {
    const std::size_t k = static_cast<std::size_t>(i);
    const double ratio = a / af.radius[k];
    const double x = af.radius[k] * std::cos(af.theta[k]) * (1.0 + ratio * ratio);
    if (x < xmin) xmin = x;
    if (x > xmax) xmax = x;
  }
  len = xmax - xmin;
  origin = xmin;
}

Complex JoukowskiMap::toChord(Complex z) const {
  const Complex zeta = z + a * a / z;
  return Complex((zeta.real() - origin.real()) / len, zeta.imag() / len);
}

Complex JoukowskiMap::derivative(Complex z) const {
  const Complex q = a / z;
  return 1.0 - q * q;
}

Complex JoukowskiMap::toCircle(Complex p) const {
  const Complex zeta(p.real() * len + origin.real(), p.imag() * len);
  // zeta^2 - 4 a^2 as a product, so that no digits are lost near the edge.
  const Complex root = std::sqrt((zeta - 2.0 * a) * (zeta + 2.0 * a));
  const Complex z1 = 0.5 * (zeta + root), z2 = 0.5 * (zeta - root);
  return std::abs(z1 - centre) >= std::abs(z2 - centre) ? z1 : z2;
}

std::vector<double> JoukowskiMap::contourAngles(const Joukowski& af) const {
  using constants::kTwoPi;
  std::vector<double> phi(static_cast<std::size_t>(af.currentN) + 1);
  for (std::size_t k = 0; k < phi.size(); ++k) {
    const Complex z = std::polar(af.radius[k], af.theta[k]) - centre;
    phi[k] = std::atan2(z.imag(), z.real());
    if (phi[k] <= -beta) phi[k] += kTwoPi;
  }
  return phi;
}

double JoukowskiMap::trailingEdgeSpeed(double alpha) const { return a * std::cos(alpha + beta) / r; }

double JoukowskiMap::edgeAngle(double spread) const { return std::sqrt(spread * len * a) / r; }

bool JoukowskiMap::sourcePartner(Complex zq, Complex& partner, Complex& pole) const {
  // zeta(z) - zeta(zq) = (z - zq)(z - a^2/zq)/z.
  partner = a * a / zq;
  pole = 0.0;
  return true;
}

Complex JoukowskiMap::sourceRemainder(Complex z, Complex zq) const {
  return 1.0 / (z - a * a / zq) - 1.0 / z;
}

}  // namespace aerofoil
