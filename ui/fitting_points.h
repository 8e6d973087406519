// The contour-interval count N a section can be handed to the
// boundary-layer side with.  The split at the stagnation point gives each
// surface the contour points on its side (about N times the share of the
// circle that side covers), and a surface holds at most 600 nodes, so a
// large N is refused on a section whose stagnation point lies far from the
// middle of the contour (at incidence, or with camber).
#pragma once

#include <string>

#include "joukowski.h"

// The largest N below af.currentN whose contour of the same section (the
// same alpha, e/R1 and h/R1) the split takes, found by trying each N
// downwards on a scratch session that writes no report; 0 when none does.
int largestFittingN(const aerofoil::Joukowski& af);

// What a refusal of the split adds for the user: when the refusal is the
// node count of a surface, the N that does fit; otherwise "".
std::string fittingNNote(const aerofoil::Joukowski& af, const std::string& refusal);
