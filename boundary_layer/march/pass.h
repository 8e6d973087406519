// The state one surface pass of the march works on.
//
// The solver keeps some of its state from pass to pass for the whole life
// of a session (SolverState: the free-stream and run scalars, the driver's
// counters and flags, the starting profile); the working arrays of the
// march and of the finite-difference core belong to one pass and die with
// it.  Every routine of the march takes the pass it works for.
#pragma once

#include "core/block_solver.h"
#include "core/box_scheme.h"
#include "march/march_state.h"
#include "report/report_files.h"
#include "session/exchange_data.h"
#include "setup/solver_scalars.h"
#include "setup/stagnation_profile.h"
#include "setup/work_arrays.h"

namespace bl {

// What the solver carries from one pass to the next.
struct SolverState {
  SolverScalars sd;    // free stream and run parameters (CFSEP is reported before it is reset)
  MarchState ms;       // driver's counters, flags and per-surface outcomes
  StartingProfile sp;  // stagnation-point profile, solved again by every pass
};

struct Pass {
  Pass(ExchangeData& exchange, SolverState& state, ReportFiles& report_files)
      : blx(exchange), sd(state.sd), ms(state.ms), sp(state.sp), reports(report_files) {}
  Pass(const Pass&) = delete;
  Pass& operator=(const Pass&) = delete;

  // The session's blocks, which outlive the pass
  ExchangeData& blx;
  SolverScalars& sd;
  MarchState& ms;
  StartingProfile& sp;
  ReportFiles& reports;

  // The pass's own working arrays
  WorkArrays wa;  // station, normal-grid and profile-level arrays
  CoreArrays ca;  // fluxes, Newton system and elimination intermediates
  BoxState bx;    // scalars carried from box_fluxes to box_system
};

}  // namespace bl
