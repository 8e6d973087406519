// The circle plane of a solved section: the circle whose outside the
// section's conformal map carries onto the outside of the section, the
// incidence, and the circle angle of every contour point.
//
// Velocities are per free-stream speed in both planes; the section-plane
// velocity is the circle-plane one divided by dzeta/dz.  Physical points are
// taken in the section's chord axes, as the contour is stored.
#pragma once

#include <complex>
#include <memory>
#include <vector>

#include "joukowski.h"
#include "section_map.h"

namespace aerofoil {

struct CirclePlane {
  std::shared_ptr<const SectionMap> map;  // the section's map
  // The map's circle and chord, copied for the formulas that use them.
  double beta = 0.0;        // the trailing edge lies at angle -beta about the centre, rad
  Complex centre;           // circle centre
  double r = 0.0;           // circle radius
  double len = 0.0;         // chord, section-plane units
  double alpha = 0.0;       // incidence, rad
  std::vector<double> phi;  // angle about the centre of contour point i: -beta at i = 0,
                            // rising over the upper surface to 2 pi - beta at i = N
};

// The circle plane of a solved section (its map, af.map).
CirclePlane circlePlane(const Joukowski& af);

// Circle point at angle phi about the centre.
Complex circlePoint(const CirclePlane& cp, double phi);

// dzeta/dz at any circle-plane point z.
Complex mapDerivative(const CirclePlane& cp, Complex z);

// |dzeta/dz| on the circle at angle phi: zero at the trailing edge.
double mapModulus(const CirclePlane& cp, double phi);

// Physical point in chords of the circle-plane point z.
Complex toPhysical(const CirclePlane& cp, Complex z);

// Circle-plane point of a physical point p in chords, on or outside the section.
Complex toCircle(const CirclePlane& cp, Complex p);

// The flow past the circle: free stream at the incidence, its image doublet
// and a circulation gammaA (circle-plane units, clockwise positive), with
// the complex potential
//   W(z) = (z - c) e^{-i alpha} + r^2 e^{i alpha} / (z - c) + i gammaA/(2 pi) ln((z - c)/r).
// Its conjugate velocity dW/dz = u - i v at z, per free-stream speed.
Complex circleFlowConj(const CirclePlane& cp, Complex z, double gammaA);
// Its stream function Im W at z (circle-plane units times the free-stream
// speed): zero on the circle, and, the map being conformal, the stream
// function of the section's flow at the image of z.
double circleStreamFunction(const CirclePlane& cp, Complex z, double gammaA);

}  // namespace aerofoil
