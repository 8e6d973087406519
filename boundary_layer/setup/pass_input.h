// Input preparation of one surface pass: free stream, station arrays, wall
// conditions and run parameters, with the input report "InputBl.out".
#pragma once

#include "core/parameters.h"
#include "core/surface.h"
#include "report/report_files.h"
#include "setup/solver_scalars.h"
#include "setup/station_arrays.h"

namespace bl {

// Prepares the pass over `surface` (the upper or the lower one, `which`)
// with the parameters of that surface.  Allocates the station arrays (one
// per node); overwrites every scalar of sd; fills x, ue, eme, the edge
// state, rx and the wall arrays uww, vww, tww, cf_bc, d1_bc, rv_bc for
// stations 1..NXT.  Appends the input report to "InputBl.out" and its
// closing lines to standard output; the report prints cfsep_before, the
// inverse-mode skin friction of the pass before, ahead of the one this
// pass takes.
//
// The surface and the parameters must have passed the march's checks; nothing
// here can then fail.  Whether the report reached its file is for
// reports.status(Report::InputBl) to say.
void prepare_pass_input(const SurfaceValues& surface, Surface which, const ComputationParameters& params,
                        double cfsep_before, SolverScalars& sd, StationArrays& st, ReportFiles& reports);

// Edge state of station i from ue(i) and the free stream: te, roe, emue and
// the ratios roe8, emue8, enue8, te8.  The edge temperature is the
// stagnation temperature (edge Mach number 0), so every ratio is 1.
void edge_state(const SolverScalars& sd, StationArrays& st, int i);

}  // namespace bl
