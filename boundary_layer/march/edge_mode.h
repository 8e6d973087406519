// How the edge of a station is closed (edge velocity prescribed, wall shear
// prescribed, or the interaction law), whether the station lies in the
// wake, and the interaction law at a station.
#pragma once

#include "core/box_scheme.h"

namespace bl {

struct Pass;

enum class EdgeMode {
  direct,   // the edge velocity prescribed
  inverse,  // the edge velocity free, the wall shear prescribed (past the forecast separation)
  law,      // the edge velocity free, tied to the displacement by the interaction law
};

// The mode of station P.  With an interaction law, every station from the
// law's first node on is closed by the law and the stations before it are
// direct.  Without one, stations behind XINV are in the inverse mode and
// the others direct; but in the wake, where there is no wall shear to
// prescribe, the edge velocity stays prescribed.
EdgeMode edge_mode(const Pass& p, int P);

// Whether station P lies in the wake, behind the trailing edge.
bool wake_station(const Pass& p, int P);

// The right-hand side of the law at station P (see interaction_law.h),
//   T_P = ueE_P - c(P, P) m_before_P + sum_{j < P} c(P, j) (m_j - m_before_j),
// with the mass defect m_j = ue_j d1_j this march computed at the stations
// before P.  Nodes 1 and 2 carry the starting profile, for which the march
// computes no displacement: their mass defect counts as unchanged.
double law_target(const Pass& p, int P);

// The law as the closing condition of station P with the target ms.law_target
// (moved by `shift`, the safeguarded iteration's homotopy term), and how far
// the current profile misses it.
ClosingCondition law_closure(const Pass& p, int P, double shift = 0.0);
double law_miss(const Pass& p, int P);

// First guess of the edge velocity of law station P: the ratio of the
// edge velocity computed at P-1 to the outer flow's carried on to P.
void law_first_guess(Pass& p, int P);

}  // namespace bl
