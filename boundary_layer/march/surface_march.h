// Marching driver: the boundary layer of one surface, from the stagnation
// node to the trailing edge.
#pragma once

#include <string>

#include "core/status.h"

namespace bl {

struct ComputationParameters;
struct ExchangeData;
struct MarchState;
struct PassArrays;
struct SolverState;
class ReportFiles;

// Computes the boundary layer of surface isurf (0 upper, 1 lower) of element
// ielem from the surface tables of the exchange data with the computation
// parameters params (taken whole at the start: the pass reads nothing else
// of the exchange data's parameters), writes the reports and stores every
// station's results and the transition and inverse-mode positions it used
// back into the exchange data (surface slot and positions of isurf only).  The solver state carries
// what one pass leaves for the next; the pass's working arrays, in the
// storage `arrays`, are acquired and released inside this call.  A pass that cannot start or that fails at a
// station returns the reason; the stations before the failure keep their
// results.  What a successful pass ran into (stations accepted at the
// iteration limit, an outer edge held at the grid's capacity) is recorded
// in the march state per surface, apart from the status.
Status FOIL_BL2D(ExchangeData& blx, const ComputationParameters& params, SolverState& state,
                 ReportFiles& reports, PassArrays& arrays, int ielem, int isurf);

// The end of a pass's reports: after the lower pass the dumps are closed;
// every report is flushed; the first that could not be written, if any.
Status close_pass_reports(ReportFiles& reports, MarchState& ms, int isurf);

// What a pass that computed everything says when its reports failed.
Status reports_failure(int isurf, const Status& written);

// The caution for a surface whose outer edge was held at the grid's
// capacity from the given station on.
std::string edge_limit_note(int isurf, int station);

// The caution for a surface with `count` stations accepted at the Newton
// iteration limit, the first at `station`.
std::string iteration_limit_note(int isurf, int station, int count);

}  // namespace bl
