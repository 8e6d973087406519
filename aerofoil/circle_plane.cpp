#include "circle_plane.h"

#include <cmath>

#include "constants.h"
#include "joukowski_map.h"

namespace aerofoil {

namespace {
using constants::kPi;
using constants::kTwoPi;
}  // namespace

CirclePlane circlePlane(const Joukowski& af) {
  CirclePlane cp;
  if (af.map) {
    cp.map = af.map;
    cp.phi = af.circleAngle;
  } else {
    // The closed-form Joukowski section keeps no map of its own: an outer
    // flow asks for it far less often than the spinners solve the section.
    const auto joukowski = std::make_shared<JoukowskiMap>(af);
    cp.phi = joukowski->contourAngles(af);
    cp.map = joukowski;
  }
  const SectionMap& m = *cp.map;
  cp.beta = m.beta;
  cp.centre = m.centre;
  cp.r = m.r;
  cp.len = m.len;
  cp.alpha = kPi * af.alphaDeg / 180.0;
  cp.phi.front() = -cp.beta;
  cp.phi.back() = kTwoPi - cp.beta;
  return cp;
}

Complex circlePoint(const CirclePlane& cp, double phi) { return cp.centre + std::polar(cp.r, phi); }

Complex mapDerivative(const CirclePlane& cp, Complex z) { return cp.map->derivative(z); }

double mapModulus(const CirclePlane& cp, double phi) {
  return std::abs(mapDerivative(cp, circlePoint(cp, phi)));
}

Complex toPhysical(const CirclePlane& cp, Complex z) { return cp.map->toChord(z); }

Complex toCircle(const CirclePlane& cp, Complex p) { return cp.map->toCircle(p); }

Complex circleFlowConj(const CirclePlane& cp, Complex z, double gammaA) {
  const Complex rel = z - cp.centre;
  const Complex inv = std::conj(rel) / std::norm(rel);
  return std::polar(1.0, -cp.alpha) - cp.r * cp.r * std::polar(1.0, cp.alpha) * inv * inv +
         Complex(0.0, gammaA / kTwoPi) * inv;
}

double circleStreamFunction(const CirclePlane& cp, Complex z, double gammaA) {
  const Complex rel = z - cp.centre;
  const double rho = std::abs(rel);
  // (rho - r^2/rho) sin(theta - alpha) + gammaA/(2 pi) ln(rho/r)
  const Complex turned = rel * std::polar(1.0, -cp.alpha);
  return turned.imag() * (1.0 - cp.r * cp.r / (rho * rho)) + gammaA / kTwoPi * std::log(rho / cp.r);
}

}  // namespace aerofoil
