// The contour-interval count N a section can be handed to the
// boundary-layer side with.  The split at the stagnation point gives each
// surface the contour points on its side (about N times the share of the
// circle that side covers), and a surface holds at most 600 nodes, so a
// large N is refused on a section whose stagnation point lies far from the
// middle of the contour (at incidence, or with camber).
#pragma once

#include <string>
#include <vector>

#include "joukowski.h"
#include "section_model.h"
#include "polar.h"

// Whether a refusal of the split is the node count of a surface.
bool isCapacityRefusal(const std::string& refusal);

// The largest N below n whose contour of the section the split takes at
// every one of the angles, found by trying each N downwards on a scratch
// session that writes no report; 0 when none does.
int largestFittingN(const aerofoil::SectionModel& section, int n, const std::vector<double>& angles);

// What a refusal of the split of af, a solution of `section`, adds for the
// user: when the refusal is the node count of a surface, the N that does
// fit; otherwise "".
std::string fittingNNote(const aerofoil::SectionModel& section, const aerofoil::Joukowski& af,
                         const std::string& refusal);

// What a finished polar says of its failed angles, or "" when none failed:
// when every angle failed for the same reason (the same words, whatever
// the numbers in them), that reason once, with the N that fits every angle
// when the reason is the node count; else how many failed.
std::string polarFailureSummary(const std::vector<polar::Point>& points, const aerofoil::SectionModel& section);
