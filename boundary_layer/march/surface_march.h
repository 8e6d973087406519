// Marching driver: the boundary layer of one surface, from the stagnation
// node to the trailing edge.
#pragma once

#include <string>

#include "core/status.h"

namespace bl {

struct ExchangeData;
struct SolverState;
class ReportFiles;

// Computes the boundary layer of surface isurf (0 upper, 1 lower) of element
// ielem from the surface tables of the exchange data, writes the reports and
// stores every station's results and the transition and inverse-mode
// positions it used back into the exchange data.  The solver state carries
// what one pass leaves for the next; the pass's own working arrays live
// only inside this call.  A pass that cannot start or that fails at a
// station returns the reason; the stations before the failure keep their
// results.  What a successful pass ran into (stations accepted at the
// iteration limit, an outer edge held at the grid's capacity) is recorded
// in the march state per surface, apart from the status.
Status FOIL_BL2D(ExchangeData& blx, SolverState& state, ReportFiles& reports, int ielem, int isurf);

// The caution for a surface whose outer edge was held at the grid's
// capacity from the given station on.
std::string edge_limit_note(int isurf, int station);

}  // namespace bl
