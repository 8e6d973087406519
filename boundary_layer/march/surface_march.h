// Marching driver: the boundary layer of one surface, from the stagnation
// node to the end of the surface.
#pragma once

#include <string>

#include "core/interaction_law.h"
#include "core/parameters.h"
#include "core/status.h"
#include "core/surface.h"
#include "core/surface_result.h"
#include "core/turbulence_input.h"
#include "report/report_files.h"

namespace bl {

struct PassArrays;
struct SolverState;

// Computes the boundary layer along `surface` (the upper or the lower one,
// `which`, whose transition and inverse-mode positions it takes from
// params) and writes the reports.  Nodes beyond the surface's wall nodes
// are its half of the wake: the layer goes on there with the centre line
// as a symmetry line, no wall shear, the outer eddy viscosity alone, and
// the regime it had at the trailing edge.
//
// With an interaction law (not null, not empty), every station from the
// law's first node on has its edge velocity tied to its displacement by
// the law (see interaction_law.h) instead of prescribed, and the march
// never switches to the inverse mode: the law carries it through
// separation.  Without one the edge velocity is prescribed, and the wall
// shear instead behind a forecast separation on the wall.  The closure of
// the turbulent layer is the one params.turbulence names; `turbulence`
// (may be null) is what it takes from outside the pass (in a coupled
// wake, the other half-wake).  The solver state holds what the pass
// before left and takes what this one leaves; the pass's working arrays, in
// the storage `arrays`, are acquired and released inside this call.
//
// Returns every node's results with the transition and inverse-mode
// positions the march used and what it ran into (stations accepted at the
// iteration limit, an outer edge held at the grid's capacity).  A surface
// or parameters the march cannot start on are refused before anything is
// written; a pass that fails at a station says why in the result's status,
// the stations before it keeping their results and those from it on none.
//
// A raised cancel flag stops the pass before its next station (and a
// station's safeguarded iteration before its next stretch): the result then
// says so in its status (Status::cancelled), like a pass that failed there.
SurfaceResult march_surface(const SurfaceValues& surface, Surface which, const ComputationParameters& params,
                            SolverState& state, ReportFiles& reports, PassArrays& arrays,
                            const InteractionLaw* law = nullptr, const TurbulenceInput* turbulence = nullptr,
                            const CancelFlag* cancel = nullptr);

// The end of a pass's reports: after the lower pass the dumps of the
// computation are closed; every report is flushed; the first that could
// not be written, if any.
Status close_pass_reports(ReportFiles& reports, SolverState& state, Surface which);

// What a pass that computed everything says when its reports failed.
Status reports_failure(Surface which, const Status& written);

}  // namespace bl
