// Marching driver of the boundary layer along one surface.
//
// The boundary-layer equations are parabolic in x, so the layer is found
// station by station from the stagnation point to the trailing edge.  At
// every station the box-scheme equations across the layer are solved by
// Newton iteration on the current station's profile (level 3), with the two
// previous stations (levels 2 and 1) entering the backward x-differences.
// Laminar up to XTR, turbulent behind it with the algebraic eddy viscosity;
// where separation is forecast the wall shear is prescribed instead of the
// edge velocity (inverse mode), which carries the march through the
// separated region to the trailing edge.
//
// One pass, in steps:
//   check the surface, prepare the input (Inputi), starting profile
//   (init_2d), core arrays, report header, stations 2 and 3 from the
//   similarity profile, then for P = 3..NXT:
//     difference weights, dpdx, regime, separation switch, transition test,
//     eddy viscosity, Newton iterations, edge growth (recompute the station
//     if the grid grew), integral quantities, report row, storage, first
//     guess of the next station;
//   store XTR and XINV, release the arrays.
#include "march/surface_march.h"

#include <cmath>
#include <string>

#include "setup/pass_input.h"
#include "march/integral_quantities.h"
#include "core/block_solver.h"
#include "core/box_scheme.h"
#include "report/dumps.h"
#include "march/eddy_viscosity.h"
#include "session/exchange_data.h"
#include "report/station_rows.h"
#include "march/march_state.h"
#include "setup/stagnation_profile.h"
#include "session/parameters.h"
#include "report/report_files.h"
#include "setup/solver_scalars.h"
#include "march/station_profiles.h"
#include "march/transition.h"
#include "setup/work_arrays.h"

namespace bl {

namespace {

constexpr int kIterMax = 20;            // Newton iterations past the first
constexpr double kConvergence = 1e-6f;  // largest velocity correction accepted
constexpr double kRegimeStart = 0.02f;  // arc length past which the march regime starts
constexpr int kStartType = 1;           // starting profile: stagnation point
constexpr int kDumpStations[] = {162, 163};  // stations dumped at every iteration

std::string where(int isurf) { return isurf == 0 ? "upper surface" : "lower surface"; }

// The surface must be one the march can start on and march along: the
// stagnation node first, then at least two stations at strictly increasing
// arc length with positive edge velocity.
Status check_surface(int ielem, int isurf) {
  if (ielem < 0 || ielem >= ExchangeData::kElements || isurf < 0 || isurf > 1)
    return Status::failure("boundary layer: there is no surface " + std::to_string(isurf) + " of element " +
                           std::to_string(ielem));
  const Status params = validate_parameters(current_parameters());
  if (!params.ok) return params;

  const int slot = ielem + 5 * isurf;
  const int n = blx.n_bl(slot);
  const std::string surf = where(isurf);
  if (n < 3)
    return Status::failure("the " + surf + " has " + std::to_string(n) +
                           " nodes; the boundary layer needs at least 3");
  if (n > ExchangeData::kMaxNodes || n > blx.n_bl_max)
    return Status::failure("the " + surf + " has " + std::to_string(n) + " nodes, more than the " +
                           std::to_string(std::min(ExchangeData::kMaxNodes, blx.n_bl_max)) +
                           " the surface tables hold");
  for (int i = 1; i <= n; ++i) {
    const double s = blx.s_bl(i, slot), ue = blx.ue_bl(i, slot);
    const std::string node = "node " + std::to_string(i) + " of the " + surf;
    if (!std::isfinite(s) || !std::isfinite(ue)) return Status::failure(node + " is not a finite number");
    if (i == 1 && s < 0) return Status::failure(node + " (the stagnation node) has a negative arc length");
    if (i > 1 && !(s > blx.s_bl(i - 1, slot)))
      return Status::failure(node + ": the arc length does not increase from node " + std::to_string(i - 1));
    if (i > 1 && !(ue > 0)) return Status::failure(node + ": the edge velocity is not positive");
  }
  if (!(blx.ue_bl(1, slot) >= 0 && blx.ue_bl(1, slot) < blx.ue_bl(2, slot)))
    return Status::failure("the " + surf +
                           " does not start at a stagnation point: the edge velocity of node 1 must lie "
                           "between 0 and that of node 2");
  return Status{};
}

// Difference weights of dq/dx = c1 q(P-2) + c2 q(P-1) + c3 q(P): two-point
// at the first marched station, three-point (second order on an uneven
// grid) afterwards.
void difference_weights(int P) {
  if (P == 3) {
    ms.c3 = 1.0 / (wa.x(3) - wa.x(2));
    ms.c2 = -ms.c3;
    ms.c1 = 0.0;
    return;
  }
  const double d1 = wa.x(P) - wa.x(P - 1);
  const double d2 = wa.x(P - 1) - wa.x(P - 2);
  ms.c3 = (2.0 * d1 + d2) / (d1 * (d1 + d2));
  ms.c2 = -(d1 + d2) / (d1 * d2);
  ms.c1 = d1 / (d2 * (d1 + d2));
}

// Normal grid for the pass header: the similarity grid scaled with the
// stagnation-point growth rate sqrt(dx/due) of the first interval.
void header_grid() {
  const double scale = std::sqrt((wa.x(2) - wa.x(1)) / (wa.ue(2) - wa.ue(1)));
  wa.eta(1) = 0.0;
  for (int j = 2; j <= kMaxGridPoints; ++j) {
    wa.eta(j) = scale * sp.eta_s(j);
    wa.deta(j - 1) = wa.eta(j) - wa.eta(j - 1);
    wa.aa(j) = 0.5 * wa.deta(j - 1);
  }
}

bool dumped(int P) {
  for (int s : kDumpStations)
    if (P == s) return true;
  return false;
}

// One Newton iteration of station P; direct or inverse mode.
Status newton_iteration(int P) {
  const int np = sd.NP;
  const bool inverse = wa.x(P) > sd.XINV;
  if (inverse)  // the pressure gradient follows the computed edge velocity
    wa.dpdx(P) = -wa.ccro(3, np) * wa.u(3, np) * (ms.c3 * wa.u(3, np) + ms.c2 * wa.u(2, np) + ms.c1 * wa.u(1, np));
  ms.kIter = ms.kIter + 1;
  box_fluxes(P, wa.dpdx(P));
  box_system(P);
  // In inverse mode the sensitivity to dpdx is a second right-hand side of
  // the same system: its elimination is reused.
  Status s = inverse ? block_solve_pair(P, ca.rvec, ca.xvec, ca.eyvec, ca.yvec)
                     : block_solve(P, ca.rvec, ca.xvec);
  if (!s.ok) return s;
  if (inverse) {
    s = inverse_update(wa.cf_bc(P), ca.xvec, ca.yvec, P);
    if (!s.ok) return s;
  } else {
    newton_update(ca.xvec);
  }
  if (wa.x(P) >= sd.XINV) wa.ue(P) = 0.5 * (wa.u(3, np - 1) + wa.u(3, np));
  s = conv_max();
  if (!s.ok) return Status::failure("station " + std::to_string(P) + ": " + s.message);
  return Status{};
}

// One attempt at station P (steps 14.1 to 14.8): models of the station and
// the Newton iterations up to convergence or the iteration limit.
Status compute_station(int P) {
  difference_weights(P);
  ms.kIter = 0;

  const double G = ms.c3 * wa.ue(P) + ms.c2 * wa.ue(P - 1) + ms.c1 * wa.ue(P - 2);
  wa.dpdx(P) = -wa.roe8(P) * wa.ue(P) * G;  // Bernoulli: -dp/dx = rho ue due/dx
  ms.DUmax = 1.0;

  if (wa.x(P) > kRegimeStart && P > 3) sd.regime = 2;
  if (sd.regime == 2 && ms.ninv == 0 && G < 0)
    sep_check(ms.ninv, sd.XINV, sd.XTR, P, sd.NXT, 0.5, 0.0, wa.x, wa.cfb, wa.cf_bc, sd.CFSEP, sd.SQRE);
  if (wa.x(P) < sd.XTR && P > 3) trans_check(P - 1, 2);
  if (wa.x(P) >= sd.XTR) {
    if (ms.ktbl == 1) {  // first turbulent station
      ms.ktbl = 2;
      sd.ETAE = wa.eta(sd.NP);
      ms.NTR = P - 2;
      sd.VLBL = sd.VTBL;
    }
    eddy_visc(P);
  }

  ms.DUmax = 1.0;
  while (ms.DUmax > kConvergence) {
    const Status s = newton_iteration(P);
    if (!s.ok) return s;
    if (ms.kIter > ms.kIterMax) {  // accepted with its last iterate
      write_iteration_limit(P);
      break;
    }
    if (dumped(P)) {
      dump_net(P, 3);
      dump_sys(P, ms.kIter, 3);
    }
  }
  if (wa.x(P) > sd.XINV) wa.ue(P) = wa.u(3, sd.NP);
  return Status{};
}

bool station_finite(int P) {
  for (double q : {wa.ue(P), wa.cfb(P), wa.d1b(P), wa.d2b(P), wa.rov(P), wa.h12(P)})
    if (!std::isfinite(q)) return false;
  return true;
}

void store_station(int P, int slot) {
  blx.ue_bl(P, slot) = wa.ue(P);
  blx.cf_bl(P, slot) = wa.cfb(P);
  blx.d1_bl(P, slot) = wa.d1b(P);
  blx.d2_bl(P, slot) = wa.d2b(P);
  blx.rv_bl(P, slot) = wa.rov(P);
  blx.h12_bl(P, slot) = wa.h12(P);
}

// Stations from P on have no results of this pass: their result entries
// are cleared and their edge velocity is the inviscid one again.
void clear_stations_from(int P, int slot) {
  for (int i = P; i <= sd.NXT; ++i) {
    blx.ue_bl(i, slot) = blx.ue_inv(i, slot);
    blx.cf_bl(i, slot) = 0.0;
    blx.d1_bl(i, slot) = 0.0;
    blx.d2_bl(i, slot) = 0.0;
    blx.rv_bl(i, slot) = 0.0;
    blx.h12_bl(i, slot) = 0.0;
  }
}

// The first report problem of the pass, if any.
Status reports_of_pass(const Status& dumps) {
  for (Report r : {Report::CalcBl, Report::InputBl, Report::Init2d}) {
    const Status s = report_status(r);
    if (!s.ok) return s;
  }
  return dumps;
}

}  // namespace

Status FOIL_BL2D(int& ielem, int& isurf) {
  const Status input = check_surface(ielem, isurf);
  if (!input.ok) return input;
  const int k = ielem;
  const int slot = k + 5 * isurf;

  // Reports of the run (opened at the first pass, continued afterwards).
  report(Report::CalcBl);
  report(Report::InputBl);

  Inputi(k, isurf);  // a report it could not write is picked up at the end
  calc_note("  Start  of b.l. computation 0");
  if (isurf == 0) {
    open_dump_reports();
    ms.dumps_open = true;
  }
  calc_surface_line(isurf, k);

  ms.kIterMax = kIterMax;
  sd.regime = 0;
  ms.ninv = 0;
  ms.ktbl = 1;
  ms.edge_limited = 0;
  ms.iteration_limited[isurf] = 0;
  sd.XINV = wa.x(sd.NXT);

  calc_note("  Start  of b.l. computation 1");
  const Status start = init_2d(sd.NP, sd.VLBL, sd.ETAE, kStartType);
  calc_note("  Start  of b.l. computation 2");
  solver_alloc();
  calc_note("  Start  of b.l. computation 3");

  Status failure;
  int failed_at = 0;
  if (!start.ok && report_status(Report::Init2d).ok) {  // refused, not a report problem
    failure = start;
    failed_at = 2;
  }

  if (failure.ok) {
    header_grid();
    write_pass_header();
    write_start_diagnostics();
    for (int s = 2; s <= 3; ++s) {
      start_prof(s, s, kStartType);
      dump_net(s, s);
      write_start_station(s, s);
    }
    sd.ETAE = wa.eta(sd.NP);
    ms.ktbl = 1;
  }

  for (int P = 3; failure.ok && P <= sd.NXT; ++P) {
    ms.NX = P;
    int grown = 1;
    while (grown == 1) {  // again after every growth of the grid
      failure = compute_station(P);
      if (!failure.ok) break;
      grow_edge(grown);
    }
    if (failure.ok && ms.kIter > ms.kIterMax) ++ms.iteration_limited[isurf];
    if (failure.ok) {
      bl_params(P, 3);
      if (!station_finite(P))
        failure = Status::failure("station " + std::to_string(P) + ": its integral results are not finite numbers");
    }
    if (!failure.ok) {
      failed_at = P;
      break;
    }
    write_station_row(P);
    store_station(P, slot);
    if (P < sd.NXT) {
      if (wa.x(P + 1) > sd.XINV) wa.ue(P + 1) = wa.ue(P);  // first guess of the next inverse station
      shift_levels(P + 1);
    }
  }

  if (!failure.ok) {
    write_pass_stop(failed_at, failure.message);
    clear_stations_from(failed_at, slot);
  }
  if (ms.edge_limited != 0) write_edge_limited(ms.edge_limited);
  ms.edge_limited_at[isurf] = ms.edge_limited;

  blx.xinv_surf(isurf) = sd.XINV;
  blx.xtr_surf(isurf) = sd.XTR;
  calc_note(" The end of b.l. computation");

  dealloc_bl();
  solver_free();

  Status dumps;
  if (isurf == 1 && ms.dumps_open) {
    dumps = close_dump_reports();
    ms.dumps_open = false;
  } else if (ms.dumps_open) {
    dumps = report_status(Report::NetFunc);
    if (dumps.ok) dumps = report_status(Report::Debug);
  }

  const Status reports = reports_of_pass(dumps);  // flushes the reports, in every case
  if (!failure.ok)
    return Status::failure(where(isurf) + ": " + failure.message + "; the results end at station " +
                           std::to_string(failed_at - 1));
  if (!reports.ok)
    return Status::failure(where(isurf) + ": the boundary layer was computed, but " + reports.message);
  if (ms.edge_limited != 0)
    return Status{true, where(isurf) + ": the normal grid reached its " + std::to_string(kMaxGridPoints) +
                            " points at station " + std::to_string(ms.edge_limited) +
                            "; from there on the outer edge was held and the layer may be cut off"};
  return Status{};
}

}  // namespace bl
