// The Karman-Trefftz map of a circle through z = a onto a section with a
// trailing edge of interior angle tau, in closed form:
//     (zeta - k a) / (zeta + k a) = ((z - a) / (z + a))^k,   k = 2 - tau/pi.
// For tau = 0 it is Joukowski's map zeta = z + a^2/z.  Far away
// zeta = z + (k^2 - 1) a^2 / (3 z) + ...; the circle is the Joukowski
// section's (centre (-e cos beta, h + e sin beta), radius e + a/cos beta,
// beta = atan(h/a)).  As for the Joukowski section the chord axes take x
// from the leftmost point of the section and the chord as its x extent.
#pragma once

#include <memory>
#include <string>

#include "section_map.h"

namespace aerofoil {

class KarmanTrefftzMap final : public SectionMap {
 public:
  // e/R1, h/R1 as for the Joukowski section (a = 1), tau in rad, 0 <= tau < pi/2.
  KarmanTrefftzMap(double e, double h, double tau);

  Complex toChord(Complex z) const override;
  Complex derivative(Complex z) const override;
  Complex toCircle(Complex p) const override;
  double trailingEdgeAngle() const override { return tau_; }
  double trailingEdgeSpeed(double alpha) const override;
  double trailingEdgeDirection() const override;
  double edgeAngle(double spread) const override;

 private:
  Complex zeta(Complex z) const;
  double a_ = 1.0, k_ = 2.0, tau_ = 0.0;
};

}  // namespace aerofoil
