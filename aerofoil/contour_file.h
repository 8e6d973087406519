// The section's contour for other programs, in the Selig format that
// aerofoil tools read: a name line, then one "x y" line per point in chord
// fractions, from the trailing edge (x = 1) over the upper surface to the
// leading edge (x = 0) and back along the lower surface.
//
// The points are the solver's own, in the chord axes from which the angle of
// attack is measured (the solver never rotates the section by alpha; the
// incidence enters only the flow), so a program given this file and the same
// alpha sees the same section in the same stream.  The trailing edge is
// written at both ends, as Selig files have it: another program closes the
// contour there, where a last point short of the first would be taken for
// a blunt trailing edge.  Twelve decimals keep apart the points that crowd together
// at the cusped trailing edge, which the result file's six merge; a point
// that would repeat the one before it (one case: the leading edge of a
// zero-thickness arc at odd N) is written once.
#pragma once

#include <string>

#include "joukowski.h"

namespace aerofoil {

// "Joukowski aerofoil alpha=12 e/R1=0.131 h/R1=0 N=256": the inputs in
// their shortest exact decimal form; another section by its name, "NACA
// 4412 alpha=4 N=256".
std::string contourName(const Joukowski& af);

// Name line and points 0..N of a solved section (point N written as point
// 0, the trailing edge), every line ending '\n'.
std::string contourText(const Joukowski& af);

// Writes contourText(af) to path, replacing an existing file only once the
// whole text is written.  On failure returns false with the reason in why.
bool writeContourFile(const Joukowski& af, const std::string& path, std::string& why);

}  // namespace aerofoil
