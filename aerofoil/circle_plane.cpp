#include "circle_plane.h"

#include <cmath>

#include "joukowski_map.h"

namespace aerofoil {

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
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

}  // namespace aerofoil
