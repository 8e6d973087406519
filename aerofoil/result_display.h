// What the aerofoil window's result fields show of an exact result.
#pragma once

#include <cmath>

namespace aerofoil {

// The result fields show six significant digits of values of order one:
// the lift coefficient (up to about 7), the moment coefficient, the focus
// position, thickness and camber ratios, angles of a few degrees.  For such
// a value the sixth digit is the fifth decimal ("1.23456"), so a magnitude
// under half a unit of it, 5e-6, is zero at the fields' precision.  Below it
// lie only residues that read as faults: the -0 of -atan(0), the 1e-17 left
// by sin(2 beta) after the camber spinner steps back to h = 0, the -1e-6
// constant of the thickness fit at e = 0.  Real small results stay above
// it: Yfocus of the default section at h/R1 = 0.001, the camber spinner's
// finest step, is 6.09e-5, twelve times the limit.
constexpr double kShownZero = 5e-6;

// The value a result field shows: 0 for a magnitude under kShownZero (and
// for -0), else the value itself.  The solution keeps the exact number.
inline double shownResult(double v) { return std::fabs(v) < kShownZero ? 0.0 : v; }

}  // namespace aerofoil
