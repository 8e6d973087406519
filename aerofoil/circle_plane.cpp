#include "circle_plane.h"

#include <cmath>

namespace aerofoil {

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
}  // namespace

CirclePlane circlePlane(const Joukowski& af) {
  CirclePlane cp;
  const double a = af.mapConstant, h = af.hR1, e = af.eR1;
  cp.a = a;
  cp.beta = std::atan(h / a);
  cp.centre = Complex(-e * std::cos(cp.beta), h + e * std::sin(cp.beta));
  cp.r = e + a / std::cos(cp.beta);
  cp.alpha = kPi * af.alphaDeg / 180.0;

  // The chord as the solver measured it: the same products of the same
  // stored radii and angles, so len and xmin agree to the last bit.
  const int n = af.currentN;
  double xmin = 100.0, xmax = -100.0;
  cp.phi.assign(static_cast<std::size_t>(n) + 1, 0.0);
  for (int i = 0; i <= n; ++i) {
    const std::size_t k = static_cast<std::size_t>(i);
    const double th = af.theta[k];
    const double ratio = a / af.radius[k];
    const double x = af.radius[k] * std::cos(th) * (1.0 + ratio * ratio);
    if (x < xmin) xmin = x;
    if (x > xmax) xmax = x;
    // Angle about the centre, carried into (-beta, 2 pi - beta).
    const Complex z = std::polar(af.radius[k], th) - cp.centre;
    double phi = std::atan2(z.imag(), z.real());
    if (phi <= -cp.beta) phi += kTwoPi;
    cp.phi[k] = phi;
  }
  cp.phi.front() = -cp.beta;
  cp.phi.back() = kTwoPi - cp.beta;
  cp.len = xmax - xmin;
  cp.xmin = xmin;
  return cp;
}

Complex circlePoint(const CirclePlane& cp, double phi) { return cp.centre + std::polar(cp.r, phi); }

Complex mapDerivative(const CirclePlane& cp, Complex z) {
  const Complex q = cp.a / z;
  return 1.0 - q * q;
}

double mapModulus(const CirclePlane& cp, double phi) {
  return std::abs(mapDerivative(cp, circlePoint(cp, phi)));
}

Complex toPhysical(const CirclePlane& cp, Complex z) {
  const Complex zeta = z + cp.a * cp.a / z;
  return Complex((zeta.real() - cp.xmin) / cp.len, zeta.imag() / cp.len);
}

Complex toCircle(const CirclePlane& cp, Complex p) {
  const Complex zeta(p.real() * cp.len + cp.xmin, p.imag() * cp.len);
  // zeta^2 - 4 a^2 as a product, so that no digits are lost near the edge.
  const Complex root = std::sqrt((zeta - 2.0 * cp.a) * (zeta + 2.0 * cp.a));
  const Complex z1 = 0.5 * (zeta + root), z2 = 0.5 * (zeta - root);
  return std::abs(z1 - cp.centre) >= std::abs(z2 - cp.centre) ? z1 : z2;
}

}  // namespace aerofoil
