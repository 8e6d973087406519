// Lift and moment of a section: integrated from the surface pressure, and
// in closed form for the bare section.
#pragma once

#include <vector>

#include "circle_plane.h"

namespace aerofoil {

// Force and moment coefficients in wind axes: lift normal to the free
// stream, drag along it, moment about a reference point positive nose up.
struct SectionLoads {
  double cl = 0.0;
  double cd = 0.0;
  double cm = 0.0;
};

// Integrates C_p = 1 - v^2 around the contour points (x, y) in chords,
// index rising anticlockwise (over the upper surface from the trailing
// edge), each panel carrying the mean C_p of its ends; the free stream at
// alphaDeg to the x axis; the moment about (xRef, yRef).
SectionLoads integratePressure(const std::vector<double>& x, const std::vector<double>& y,
                               const std::vector<double>& v, double alphaDeg, double xRef = 0.25,
                               double yRef = 0.0);

// The bare section's loads in closed form, on the chord len.  Blasius'
// theorem for the map zeta = (z - centre) + d0 + c1/(z - centre) + ... (see
// section_map.h) gives the moment about the section-plane origin
//   M_0 = 2 pi rho U^2 Im(c1 e^{-2 i alpha}) + rho U Gamma Re(d0 e^{-i alpha})
// (anticlockwise), which is the same at every incidence about the focus
//   zeta_F = d0 - c1 e^{i beta} / r,   M_F = 2 pi rho U^2 Im(c1 e^{2 i beta}) (nose down),
// so C_m,F = -4 pi Im(c1 e^{2 i beta}) / len^2 nose up (for Joukowski's map,
// c1 = a^2: the section's cmFocus is the same on its symmetric-section chord,
// nose down), C_l = 2 Gamma / (U len), and about any point
// C_m = C_m,F - C_l [(x_F - x) cos alpha + (y_F - y) sin alpha].
struct BareLoads {
  double cl = 0.0;
  double xFocus = 0.0, yFocus = 0.0;  // chords, as the contour
  double cmFocus = 0.0;               // nose up
  double cm = 0.0;                    // about the reference point, nose up
};
BareLoads bareLoads(const CirclePlane& cp, double xRef = 0.25, double yRef = 0.0);

}  // namespace aerofoil
