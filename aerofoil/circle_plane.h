// The circle plane of a solved Joukowski section.
//
// The section is the image of the circle |z - centre| = r under the map
// zeta = z + a^2/z; the circle passes through the critical point z = a,
// which becomes the cusped trailing edge.  Circle-plane lengths are in units
// of a.  The physical plane is taken as the contour is stored: lengths in
// chords len (the x extent of the contour points), x measured from the
// leftmost contour point.  Velocities are per free-stream speed in both
// planes; the physical velocity is the circle-plane one divided by dzeta/dz.
#pragma once

#include <complex>
#include <vector>

#include "joukowski.h"

namespace aerofoil {

using Complex = std::complex<double>;

struct CirclePlane {
  double a = 1.0;           // map constant
  double beta = 0.0;        // atan(h/a), rad; the trailing edge lies at angle -beta about the centre
  Complex centre;           // (-e cos beta, h + e sin beta), units of a
  double r = 0.0;           // radius e + a/cos beta, units of a
  double alpha = 0.0;       // incidence, rad
  double len = 0.0;         // chord: xmax - xmin of the contour points, units of a
  double xmin = 0.0;        // abscissa of the leftmost contour point, units of a
  std::vector<double> phi;  // angle about the centre of contour point i: -beta at i = 0,
                            // rising over the upper surface to 2 pi - beta at i = N
};

// The circle plane of a section solved by solveJoukowski; len and xmin are
// measured from the same points as the solver measured them, to the bit.
CirclePlane circlePlane(const Joukowski& af);

// Circle point at angle phi about the centre, units of a.
Complex circlePoint(const CirclePlane& cp, double phi);

// dzeta/dz = 1 - a^2/z^2 at any circle-plane point z.
Complex mapDerivative(const CirclePlane& cp, Complex z);

// |dzeta/dz| on the circle at angle phi: zero at the trailing edge, where it
// grows as 2 r |phi + beta| / a.
double mapModulus(const CirclePlane& cp, double phi);

// Physical point in chords of the circle-plane point z.
Complex toPhysical(const CirclePlane& cp, Complex z);

// Circle-plane point of a physical point p in chords: of the two roots of
// z^2 - zeta z + a^2 = 0 the one farther from the centre, i.e. the branch
// that maps the outside of the section onto the outside of the circle.
Complex toCircle(const CirclePlane& cp, Complex p);

}  // namespace aerofoil
