// The Joukowski map zeta = z + a^2/z of a circle through the critical point
// z = a onto a section with a cusped trailing edge, in closed form.
#pragma once

#include <memory>
#include <vector>

#include "joukowski.h"
#include "section_map.h"

namespace aerofoil {

class JoukowskiMap final : public SectionMap {
 public:
  // The map of a section solved by solveJoukowski: circle and chord as the
  // solver took them (the chord, the x extent of the contour points, and its
  // leftmost abscissa from the same products of the same stored radii and
  // angles, so that they agree to the last bit).
  explicit JoukowskiMap(const Joukowski& af);

  Complex toChord(Complex z) const override;
  Complex derivative(Complex z) const override;
  // Of the two roots of z^2 - zeta z + a^2 = 0 the one farther from the
  // centre: the branch that maps the outside of the section onto the
  // outside of the circle.
  Complex toCircle(Complex p) const override;
  double trailingEdgeAngle() const override { return 0.0; }
  // The limit of 2 [sin(phi - alpha) + sin(alpha + beta)] / |dzeta/dz| with
  // |dzeta/dz| ~ 2 r |phi + beta| / a at the cusp: a cos(alpha + beta) / r.
  double trailingEdgeSpeed(double alpha) const override;
  double trailingEdgeDirection() const override { return -2.0 * beta; }
  // |zeta - 2a| ~ |z - a|^2 / a near the edge.
  double edgeAngle(double spread) const override;
  // Angle about the centre of each contour point of af, in (-beta, 2 pi - beta].
  std::vector<double> contourAngles(const Joukowski& af) const;

  bool sourcePartner(Complex zq, Complex& partner, Complex& pole) const override;
  Complex sourceRemainder(Complex z, Complex zq) const override;

  double a = 1.0;  // the map constant
};

}  // namespace aerofoil
