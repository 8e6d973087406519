// Split of a section's contour at the forward stagnation point into the two
// surfaces the boundary layer grows along.
#pragma once

#include <vector>

#include "core/status.h"
#include "core/surface.h"
#include "report/report_files.h"

namespace bl {

// Contour points a split takes at most (N <= 1199 intervals).
constexpr int kMaxContourPoints = 1200;

// The contour as the aerofoil solution lists it: points 0..n from the
// trailing edge over the upper side to the leading edge and back along the
// lower side, with the arc length s and the signed surface speed v (positive
// on the upper side ahead of the stagnation point, negative behind it), and
// the chord-axis coordinates x, y of each point (or none).
struct Contour {
  int n = 0;  // intervals; n + 1 points
  std::vector<double> s, v, x, y;
};

// The two surfaces of a split, both from the stagnation point.
struct SplitSurfaces {
  SurfaceValues upper;  // back along the contour to point 0
  SurfaceValues lower;  // forward along the contour to point n
};

// Splits the contour at the stagnation point into `surfaces`.
//
// The stagnation point is placed by linear interpolation inside the first
// panel over which the speed changes sign strictly.  contour.s is re-based
// in place so that it has arc length 0 there; a second split of the same
// contour therefore finds the same surfaces.  A contour point closer to the
// stagnation point than a quarter of that panel is dropped, since the
// stagnation node takes its place.  The stagnation node's place on the
// section is interpolated in the panel like its arc length.  Every other
// node names the contour point it came from (contour_point, counted from 0
// as the contour's points are); the stagnation node names none (-1).
//
// Writes the report "sxr_ue.out".  Refuses (and changes nothing, neither the
// contour, the surfaces nor the report) when the contour has fewer than 2
// or more than kMaxContourPoints points, a point's arc length or speed is
// not a finite number, the speed never changes sign, a surface would exceed
// kMaxSurfaceNodes nodes, or the report cannot be written.
Status split_at_stagnation(Contour& contour, ReportFiles& reports, SplitSurfaces& surfaces);

}  // namespace bl
