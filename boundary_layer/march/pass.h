// The state one surface pass of the march works on, and what lasts from one
// pass to the next.
//
// A pass takes a surface and the parameters, prepares its input, solves the
// starting profile and marches the stations; its working arrays belong to
// it and die with it.  What lasts beyond it is small (SolverState): the few
// numbers the next pass's reports print before that pass sets its own.
// The Pass below is the march's own; the layers beneath it (core, report,
// setup) are handed the parts they work on, never the Pass.
#pragma once

#include <future>
#include <memory>

#include "core/block_solver.h"
#include "core/box_scheme.h"
#include "core/interaction_law.h"
#include "core/layer_profiles.h"
#include "core/parameters.h"
#include "core/surface.h"
#include "core/surface_result.h"
#include "march/march_state.h"
#include "march/turbulence_model.h"
#include "report/dumps.h"
#include "report/report_files.h"
#include "setup/solver_scalars.h"
#include "setup/stagnation_profile.h"
#include "setup/station_arrays.h"

namespace bl {

// Storage for the working arrays of one pass at a time, and its starting
// profile.  A pass acquires the arrays (zero-filled) at its start and
// releases them at its end; the storage stays, so that a run of passes does
// not return pages to the system and fault them in again.  The starting
// profile is solved anew by every pass.
struct PassArrays {
  StationArrays st;
  LayerProfiles lp;
  CoreArrays ca;
  StartingProfile sp;  // stagnation-point profile of the pass

  PassArrays() = default;
  PassArrays(const PassArrays&) = delete;  // a copy would not carry the storage reserved
  PassArrays& operator=(const PassArrays&) = delete;

  // Takes the storage of a pass over n stations and np grid points now, so
  // that the pass itself allocates little (a pass on a thread of its own
  // would otherwise grow that thread's heap page by page).  Storage already
  // taken is kept as it is: release never gives it back.
  void reserve(int n, int np) {
    if (n <= reserved_ && np <= reserved_points_) return;
    st.allocate(n);
    lp.allocate(np);
    ca.allocate(np);
    sp.allocate(np);
    release();
    reserved_ = n;
    reserved_points_ = np;
  }
  void release() {
    st.release();
    lp.release();
    ca.release();
  }

 private:
  int reserved_ = 0;         // stations of the largest reserve so far
  int reserved_points_ = 0;  // grid points of the largest reserve so far
};

// What a pass leaves for the next pass of the session.  The next pass's
// reports print these before it sets its own: the input report the
// inverse-mode skin friction, the first dumps the iteration count (and a
// station whose corrections are all exactly zero the grid point of the
// last largest one).
struct SolverState {
  double cfsep = 0;        // Cf sqrt(Re) of the inverse mode of the last pass (0 before any)
  int iterations = 0;      // Newton iterations of its last station
  int ju_max = 0;          // grid point of its last largest velocity correction
  bool dumps_open = false;  // "NetFunc.out" and "Debug.out" opened by an upper pass
                            // of the current computation and not yet closed

  // A pass that runs beside the one before it does not know that pass's
  // iteration count when it starts: it is handed over here when that pass
  // ends, and the pass waits for it where its reports print it.
  std::shared_future<int> iterations_to_come;

  // The iteration count of the pass before, waiting for it if it is still
  // to come.
  int iterations_before() const { return iterations_to_come.valid() ? iterations_to_come.get() : iterations; }
};

// The starting profiles of stations 2 and 3, dumped to "NetFunc.out" with
// the iteration count of the pass before, which may not be known yet when
// they are computed: they wait here until it is, or until the pass writes
// its next dump.
struct StartDumps {
  int count = 0;
  DumpHead head[2];
  double me[2] = {0, 0};
  ProfileTable profile[2];
};

struct Pass {
  Pass(const SurfaceValues& values, Surface which_surface, const ComputationParameters& parameters,
       SolverState& solver_state, ReportFiles& report_files, PassArrays& arrays,
       const InteractionLaw* interaction = nullptr, const TurbulenceInput* turbulence_input = nullptr)
      : surface(values),
        which(which_surface),
        params(parameters),
        law(interaction != nullptr && !interaction->empty() ? interaction : nullptr),
        turbulence(make_turbulence_model(parameters.turbulence, turbulence_input)),
        state(solver_state),
        reports(report_files),
        st(arrays.st),
        lp(arrays.lp),
        ca(arrays.ca),
        sp(arrays.sp) {}
  ~Pass() {
    st.release();
    lp.release();
    ca.release();
  }
  Pass(const Pass&) = delete;
  Pass& operator=(const Pass&) = delete;

  const SurfaceValues& surface;         // the surface marched
  const Surface which;                  // upper or lower
  const ComputationParameters& params;  // the parameters of the pass, unchanged while it runs
  const InteractionLaw* const law;      // ties ue to the displacement from law->first_node on; or none
  const std::unique_ptr<TurbulenceModel> turbulence;  // the closure of the turbulent stations
  SolverState& state;                   // what the pass before left, and what this one leaves
  ReportFiles& reports;

  // The pass's own scalars, working arrays and starting profile, the
  // arrays released when it ends
  SolverScalars sd;  // free stream and run parameters
  MarchState ms;     // the driver's counters and flags
  StationArrays& st;  // per station along the surface
  LayerProfiles& lp;  // across the layer, three station levels
  CoreArrays& ca;     // fluxes and the Newton system
  StartingProfile& sp;
  BoxState bx;        // scalars carried from box_fluxes to box_system
  StartDumps start_dumps;
  const CancelFlag* cancel = nullptr;  // raised: stop before the next station or stretch
};

}  // namespace bl
