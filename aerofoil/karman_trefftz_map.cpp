#include "karman_trefftz_map.h"

#include <cmath>

#include "constants.h"

namespace aerofoil {

namespace {
using constants::kPi;
using constants::kTwoPi;

double arg(Complex z) { return std::atan2(z.imag(), z.real()); }
// Logarithm on the branch whose arguments lie within pi of `centre`.
Complex logAbout(Complex z, double centre) {
  return Complex(std::log(std::abs(z)), centre + arg(z * std::polar(1.0, -centre)));
}
}  // namespace

KarmanTrefftzMap::KarmanTrefftzMap(double e, double h, double tau) : tau_(tau) {
  k_ = 2.0 - tau / kPi;
  beta = std::atan(h / a_);
  centre = Complex(-e * std::cos(beta), h + e * std::sin(beta));
  r = e + a_ / std::cos(beta);
  d0 = centre;
  c1 = (k_ * k_ - 1.0) * a_ * a_ / 3.0;
  // The leftmost point of the section: the minimum of Re zeta over the
  // circle, by golden-section search about the point opposite the edge.
  double lo = kPi - beta - 1.5, hi = kPi - beta + 1.5;
  const double g = 0.5 * (std::sqrt(5.0) - 1.0);
  auto x = [&](double phi) { return zeta(centre + std::polar(r, phi)).real(); };
  for (int it = 0; it < 120; ++it) {
    const double p1 = hi - g * (hi - lo), p2 = lo + g * (hi - lo);
    (x(p1) < x(p2) ? hi : lo) = x(p1) < x(p2) ? p2 : p1;
  }
  const double xmin = x(0.5 * (lo + hi));
  origin = xmin;
  len = k_ * a_ - xmin;  // the trailing edge zeta = k a is the rightmost point
}

Complex KarmanTrefftzMap::zeta(Complex z) const {
  // ((z - a)/(z + a))^k on the branch about the direction -beta in which the
  // outside of the circle leaves z = a.
  const Complex w = (z - a_) / (z + a_);
  if (std::abs(w) == 0.0) return k_ * a_;
  const Complex q = std::exp(k_ * logAbout(w, -beta));
  return k_ * a_ * (1.0 + q) / (1.0 - q);
}

Complex KarmanTrefftzMap::toChord(Complex z) const { return (zeta(z) - origin) / len; }

Complex KarmanTrefftzMap::derivative(Complex z) const {
  // dzeta/dz = 4 k^2 a^2 q / ((1 - q)^2 (z^2 - a^2)), q = w^k; at z = a it
  // vanishes as |z - a|^(k - 1).
  const Complex w = (z - a_) / (z + a_);
  if (std::abs(w) == 0.0) return 0.0;
  const Complex lw = logAbout(w, -beta);
  const Complex q = std::exp(k_ * lw);
  const Complex wk1 = std::exp((k_ - 1.0) * lw);  // q / w, without dividing by zero
  return 2.0 * k_ * k_ * a_ * wk1 / ((1.0 - q) * (1.0 - q)) * (2.0 * a_ / ((z + a_) * (z + a_)));
}

Complex KarmanTrefftzMap::toCircle(Complex p) const {
  const Complex zt = p * len + origin;
  const Complex q = (zt - k_ * a_) / (zt + k_ * a_);
  if (std::abs(q) == 0.0) return a_;
  const Complex w = std::exp(logAbout(q, -k_ * beta) / k_);
  return a_ * (1.0 + w) / (1.0 - w);
}

double KarmanTrefftzMap::trailingEdgeSpeed(double alpha) const {
  if (tau_ > 0.0) return 0.0;  // a wedge: the edge is a stagnation point
  return a_ * std::cos(alpha + beta) / r;
}

double KarmanTrefftzMap::trailingEdgeDirection() const {
  // The bisector leaves z = a along the circle's outward normal -beta;
  // the map multiplies angles there by k about the edge.
  return -k_ * beta;
}

double KarmanTrefftzMap::edgeAngle(double spread) const {
  double lo = 0.0, hi = kPi;
  const Complex te = toChord(a_);
  for (int it = 0; it < 60; ++it) {
    const double mid = 0.5 * (lo + hi);
    const double d = std::abs(toChord(centre + std::polar(r, -beta + mid)) - te);
    (d < spread ? lo : hi) = mid;
  }
  return 0.5 * (lo + hi);
}

}  // namespace aerofoil
