// Where a point given by its arc length from the forward stagnation point
// lies along the chord.
#pragma once

#include "joukowski.h"

namespace aerofoil {

// Arc length of the forward stagnation point along the contour (from the
// trailing edge over the upper surface): the first panel over which the
// surface speed changes sign, the zero placed by linear interpolation, as
// the boundary-layer side splits the contour.  NaN when the speed never
// changes sign or is not finite there.
double stagnationArc(const Joukowski& af);

// x/c of the point at arc length s from the stagnation point along the
// upper (upper true) or lower surface, by linear interpolation
// between contour points; NaN when s lies beyond the trailing edge (or is
// not a finite number).
double chordPosition(const Joukowski& af, bool upper, double s);

}  // namespace aerofoil
