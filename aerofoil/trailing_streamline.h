// The streamline that leaves the trailing edge: where the wake lies.
#pragma once

#include <string>
#include <vector>

#include "outer_flow.h"

namespace aerofoil {

// Points along the line at arc lengths 0, h, h + g h, ... (chords) up to
// the length; a last step shorter than a third of the one before is joined
// to it.
struct StreamlineSpacing {
  double length = 3.0;       // chords, from the trailing edge
  double firstStep = 0.002;  // chords
  double growth = 1.1;       // ratio of successive steps, at least 1
};

struct Streamline {
  std::vector<double> x, y;  // points in chords, as the contour; point 0 the trailing edge
  std::vector<double> s;     // arc length from the trailing edge, chords
  std::vector<double> q;     // speed / U there
};

// Traces the trailing streamline of the flow `state` (its circulation, and
// its transpiration if it has one; its own wake sources are left out, the
// near part of the sheet being symmetric about the line it lies on).
// From the cusp the line leaves along the bisector of the edge; as the map
// squares distances there, the line is smooth in t = sqrt(s), and classical
// fourth-order Runge-Kutta runs in t on dX/dt = 2 t u/|u|, `substeps` steps
// per interval.  The speed at the edge is extrapolated along the line
// (quadratic in t).  The circulation must be the one that makes the edge a
// stagnation point of the circle (the Kutta circulation of the flow).
// Returns an empty string, or what is wrong with the spacing.
std::string trailingStreamline(const OuterFlow& flow, const OuterSolution& state,
                               const StreamlineSpacing& spacing, Streamline& out, int substeps = 1);

}  // namespace aerofoil
