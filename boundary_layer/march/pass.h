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

// Storage for the working arrays of one pass at a time.  A pass acquires
// them (zero-filled) at its start and releases them at its end; the
// storage stays, so that a run of passes does not return pages to the
// system and fault them in again.
struct PassArrays {
  WorkArrays wa;
  CoreArrays ca;

  // Takes the storage of a pass over n stations now, so that the pass
  // itself allocates nothing (a pass on a thread of its own would otherwise
  // grow that thread's heap page by page).
  void reserve(int n) {
    wa.allocate(n);
    ca.allocate();
    wa.release();
    ca.release();
  }
};

// What the solver carries from one pass to the next.
struct SolverState {
  SolverScalars sd;    // free stream and run parameters (CFSEP is reported before it is reset)
  MarchState ms;       // driver's counters, flags and per-surface outcomes
  StartingProfile sp;  // stagnation-point profile, solved again by every pass
};

struct Pass {
  Pass(ExchangeData& exchange, const ComputationParameters& parameters, SolverState& state,
       ReportFiles& report_files, PassArrays& arrays)
      : blx(exchange),
        params(parameters),
        sd(state.sd),
        ms(state.ms),
        sp(state.sp),
        reports(report_files),
        wa(arrays.wa),
        ca(arrays.ca) {}
  ~Pass() {
    wa.release();
    ca.release();
  }
  Pass(const Pass&) = delete;
  Pass& operator=(const Pass&) = delete;

  // The session's blocks, which outlive the pass
  ExchangeData& blx;  // the pass reads and writes its own surface slot only
  const ComputationParameters& params;  // the parameters of the pass, unchanged while it runs
  SolverScalars& sd;
  MarchState& ms;
  StartingProfile& sp;
  ReportFiles& reports;

  // The pass's own working arrays, released when it ends
  WorkArrays& wa;  // station, normal-grid and profile-level arrays
  CoreArrays& ca;  // fluxes, Newton system and elimination
  BoxState bx;     // scalars carried from box_fluxes to box_system
};

}  // namespace bl
