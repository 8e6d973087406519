// The state one surface pass of the march works on.
//
// The solver keeps some of its state from pass to pass for the whole life
// of a session (SolverState: the free-stream and run scalars, the driver's
// counters and flags); the starting profile and the working arrays of the
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

// Storage for the working arrays of one pass at a time, and its starting
// profile.  A pass acquires the arrays (zero-filled) at its start and
// releases them at its end; the storage stays, so that a run of passes does
// not return pages to the system and fault them in again.  The starting
// profile is solved anew by every pass.
struct PassArrays {
  WorkArrays wa;
  CoreArrays ca;
  StartingProfile sp;  // stagnation-point profile of the pass

  PassArrays() = default;
  PassArrays(const PassArrays&) = delete;  // a copy would not carry the storage reserved
  PassArrays& operator=(const PassArrays&) = delete;

  // Takes the storage of a pass over n stations now, so that the pass
  // itself allocates nothing (a pass on a thread of its own would otherwise
  // grow that thread's heap page by page).  Storage already taken for as
  // many stations is kept as it is: release never gives it back.
  void reserve(int n) {
    if (n <= reserved_) return;
    wa.allocate(n);
    ca.allocate();
    wa.release();
    ca.release();
    reserved_ = n;
  }

 private:
  int reserved_ = 0;  // stations of the largest reserve so far
};

// What the solver carries from one pass to the next.
struct SolverState {
  SolverScalars sd;  // free stream and run parameters (CFSEP is reported before it is reset)
  MarchState ms;     // driver's counters, flags and per-surface outcomes
};

struct Pass {
  Pass(ExchangeData& exchange, const ComputationParameters& parameters, SolverState& state,
       ReportFiles& report_files, PassArrays& arrays)
      : blx(exchange),
        params(parameters),
        sd(state.sd),
        ms(state.ms),
        reports(report_files),
        sp(arrays.sp),
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
  ReportFiles& reports;

  // The pass's own starting profile and working arrays, the arrays released
  // when it ends
  StartingProfile& sp;
  WorkArrays& wa;  // station, normal-grid and profile-level arrays
  CoreArrays& ca;  // fluxes, Newton system and elimination
  BoxState bx;     // scalars carried from box_fluxes to box_system
};

}  // namespace bl
