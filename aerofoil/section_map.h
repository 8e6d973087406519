// The conformal map of the outside of a circle onto the outside of a
// section: what the outer flow needs to know of the section.
//
// Circle plane: the circle |z - centre| = r, its point at angle -beta about
// the centre the image of the trailing edge.  Section plane: zeta, in the
// same units, with zeta(z) = z + d0 + c1/(z - centre) + ... far away, so
// that the free stream has the same speed and direction in both planes.
// The section's chord axes (the coordinates every contour is given in) are
// p = (zeta - origin) / len.
//
// The flow past the circle with the Kutta circulation 4 pi r U sin(alpha +
// beta), which puts the rear stagnation point at the trailing edge, carried
// through the map is the exact flow past the section; the velocity there is
// the circle-plane one divided by dzeta/dz.  Far-field coefficients give the
// loads in closed form (Blasius): the lift acts through d0, and about the
// focus d0 - c1 e^{i beta} / r the moment 2 pi rho U^2 Im(c1 e^{2 i beta})
// is the same at every incidence.
#pragma once

#include <complex>
#include <vector>

namespace aerofoil {

using Complex = std::complex<double>;

class SectionMap {
 public:
  virtual ~SectionMap() = default;

  // The circle and the chord axes.
  Complex centre;     // circle centre
  double r = 0.0;     // circle radius
  double beta = 0.0;  // the trailing edge lies at angle -beta about the centre, rad
  double len = 0.0;   // chord, section-plane units
  Complex origin;     // section-plane point of the chord axes' origin
  // Far-field coefficients of zeta(z) = (z - centre) + d0 + c1/(z - centre) + ...
  Complex d0, c1;

  // Section point in chord axes of the circle-plane point z (on or outside
  // the circle).
  virtual Complex toChord(Complex z) const = 0;
  // dzeta/dz at z: zero at the trailing edge, 1 far away.
  virtual Complex derivative(Complex z) const = 0;
  // The circle-plane point (on or outside the circle) of a chord-axes point
  // p on or outside the section.
  virtual Complex toCircle(Complex p) const = 0;
  // The images in chord axes of whole rings about the centre: point j of
  // ring k, centre + rho[k] e^{2 pi i j/m}, at [k m + j] of chord and, when
  // derivative is not null, its dzeta/dz there; every rho[k] >= r.  The
  // same values as toChord and derivative point by point (which is what
  // this does); a map that sums a series may sum it on a whole ring at once.
  virtual void mapRings(const std::vector<double>& rho, int m, std::vector<Complex>& chord,
                        std::vector<Complex>* derivative) const;

  // The trailing edge.  Its interior angle tau: the map behaves as
  // (z - z_te)^(2 - tau/pi) there, so dzeta/dz vanishes as
  // |z - z_te|^(1 - tau/pi) and the surface speed of the flow with the
  // Kutta circulation as |z - z_te|^(tau/pi): zero at a wedge, finite at a
  // cusp.
  virtual double trailingEdgeAngle() const = 0;  // tau, rad
  // Signed surface speed at the trailing edge, approached over the upper
  // surface, of the bare flow at incidence alpha (rad) with the Kutta
  // circulation: its limit, per free-stream speed.
  virtual double trailingEdgeSpeed(double alpha) const = 0;
  // Direction (rad, chord axes) of the bisector of the trailing edge,
  // pointing downstream: where the trailing streamline leaves it.
  virtual double trailingEdgeDirection() const = 0;
  // The circle angle from the trailing edge whose image lies about
  // `spread` chords from the edge.
  virtual double edgeAngle(double spread) const = 0;

  // A source at the section-plane image of zq is, in the circle plane, a
  // source at zq and what is left: the conjugate velocity
  //   dzeta/dz / (zeta(z) - zeta(zq)) - 1/(z - zq),
  // smooth near zq.  Maps whose inverse image of a point is a finite set of
  // points (Joukowski: zq, a^2/zq and the pole 0) say so through
  // sourcePartner, which gives the remainder as a source at `partner` less
  // a sink at `pole`; others return false and give the remainder itself.
  virtual bool sourcePartner(Complex zq, Complex& partner, Complex& pole) const;
  virtual Complex sourceRemainder(Complex z, Complex zq) const;
};

}  // namespace aerofoil
