// Diagnostic dumps of one station: its profile table ("NetFunc.out") and
// its linearised equations with the block system as solved ("Debug.out"),
// printed from the values handed to them.
#pragma once

#include <array>
#include <vector>

#include "core/block_solver.h"
#include "core/layer_profiles.h"
#include "report/report_files.h"

namespace bl {

// What heads the dump of a station: the Newton iteration count, the
// station, its arc length and edge velocity.
struct DumpHead {
  int iterations = 0;
  int station = 0;
  double x = 0, ue = 0;
};

// One level's profile across the layer as the dumps list it: per grid point
// eta, deta, aa, f, u, v, b, ccro and T/Te - 1.
struct ProfileTable {
  std::vector<std::array<double, 9>> rows;
};

// The table of level K of the profiles, points 1..np.
ProfileTable profile_table(const LayerProfiles& lp, int K, int np);

// Appends a profile table to "NetFunc.out", headed by the station and the
// edge Mach number me.
void dump_net(ReportFiles& reports, const DumpHead& head, double me, const ProfileTable& profile);

// Appends to "Debug.out" the state of a Newton iteration: fluxes q, qp, box
// residuals rq and their Jacobians per point and equation; the blocks A, B,
// C, the right-hand side and the pivot determinant of the block system; the
// convergence measure (dumax at jumax); and the profile table with
// T/Te - 1.  roe8 and emue8 are the station's edge density and viscosity
// ratios.  As many points as the table has rows.
void dump_sys(ReportFiles& reports, const DumpHead& head, double roe8, double emue8, double dumax, int jumax,
              const CoreArrays& ca, const ProfileTable& profile);

}  // namespace bl
