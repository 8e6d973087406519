// The exact potential flow about a solved section, anywhere in the field.
//
// The flow lives in the circle plane: free stream at the incidence, its
// image doublet and the Kutta circulation 4 pi r U sin(alpha + beta), which
// puts the rear stagnation point at the trailing edge's image -beta (the
// same map and circulation as the surface numbers).  A field point is taken
// to the circle plane by the map's inverse; there the velocity is closed
// form, divided by dzeta/dz for the section's, and the stream function is
// the circle plane's (the map is conformal).
//
// On the circle the tangential velocity is -2 U [sin(theta - alpha) +
// sin(alpha + beta)]: zero at the trailing edge and at the front
// stagnation point theta = pi + 2 alpha + beta.  On the ring |z - c| = rho
// the stream function is (rho - r^2/rho) sin(theta - alpha) + Gamma/(2 pi)
// ln(rho/r), so the dividing streamline psi = 0 crosses every ring where
//   sin(theta - alpha) = -Gamma ln(rho/r) / (2 pi (rho - r^2/rho)),
// in closed form: theta = alpha + asin(s) runs downstream (to theta = alpha
// far away), theta = alpha + pi - asin(s) upstream; each starts at the
// stagnation point the flow leaves by or arrives at.
//
// Units: points in chord axes (x/c, y/c, the frame of the contour table),
// the free stream at the angle of attack; velocities per free-stream speed
// U; the stream function per U times the chord, zero on the section and
// rising to the left of the flow (y/c - x/c tan(alpha) far upstream, times
// cos(alpha)).  Circle-plane points are given about the circle's centre in
// chords: (z - c) / len.
#pragma once

#include <vector>

#include "circle_plane.h"
#include "joukowski.h"

namespace aerofoil {

// The flow's values at one point.
struct FieldValue {
  bool inside = false;  // the point lies inside the section: no flow there, the rest NaN
  double u = 0, v = 0;  // velocity in chord axes / U
  double speed = 0;     // |V| / U
  double cp = 0;        // pressure coefficient 1 - |V/U|^2
  double psi = 0;       // stream function / (U c)
};

class FlowField {
 public:
  // The flow of the section as solved: its map (af.map, or the closed-form
  // Joukowski section's) and the Kutta circulation at af.alphaDeg.
  explicit FlowField(const Joukowski& af);

  const CirclePlane& plane() const { return cp_; }
  // Circulation per U c, clockwise (lifting) positive: half the lift coefficient.
  double gamma() const { return gammaA_ / cp_.len; }
  // Circle radius in chords.
  double radius() const { return cp_.r / cp_.len; }

  // Circle plane (points about the centre, chords) <-> chord axes.
  Complex toChord(Complex circle) const;
  // The circle-plane point of a chord-axes point on or outside the section;
  // for a point inside, a point on or inside the circle (see inside).
  Complex toCircle(Complex p) const;
  // Whether p lies inside the section (not on its contour): its inverse
  // image falls inside the circle, or does not map back to p.
  bool inside(Complex p) const;

  // The flow at a chord-axes point; inside the section, inside = true.
  FieldValue at(Complex p) const;
  // The flow at the image of a circle-plane point (about the centre,
  // chords) on or outside the circle: no inverse map needed.
  FieldValue atCircle(Complex circle) const;
  // The circle flow itself at that circle-plane point: velocity of the
  // circle plane, its stream function.
  FieldValue circleFlow(Complex circle) const;

  // Stagnation points: circle angles about the centre, and their images.
  double rearStagnationAngle() const { return -cp_.beta; }
  double frontStagnationAngle() const;
  Complex rearStagnation() const;   // the trailing edge, chord axes
  Complex frontStagnation() const;  // chord axes

  // The dividing streamline psi = 0 off the section: the circle angle of
  // its downstream and its upstream branch on the ring of radius rho
  // (chords, >= radius()).
  void dividingAngles(double rho, double& downstream, double& upstream) const;
  // Both branches as points, from their stagnation points out to the ring
  // of radius reach (chords), on rings whose radii grow by the factor
  // `growth`: in the circle plane (about the centre, chords) and, mapped,
  // in chord axes.
  struct Branches {
    std::vector<Complex> downstream, upstream;
  };
  void dividingStreamline(double reach, double growth, Branches& circle, Branches& chord) const;

 private:
  FieldValue valueAt(Complex z, Complex derivative) const;

  CirclePlane cp_;
  double gammaA_ = 0.0;  // circulation, circle-plane units, clockwise positive
  Complex te_;           // the trailing edge, chord axes
};

}  // namespace aerofoil
