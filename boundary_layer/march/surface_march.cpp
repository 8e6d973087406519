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
// One pass, in four steps:
//   prepare the pass     check the surface; the input (Inputi), the
//                        stagnation-point profile (init_2d), the core arrays
//   start the stations   report header; stations 2 and 3 from the
//                        similarity profile
//   march one station    for P = 3..NXT: difference weights, dpdx, regime,
//                        separation switch, transition test, eddy viscosity,
//                        Newton iterations, edge growth (the station again
//                        if the grid grew), integral quantities, report row,
//                        storage, first guess of the next station
//   finish the pass      store XTR and XINV, close the dumps after the lower
//                        pass, check every report
#include "march/surface_march.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/block_solver.h"
#include "core/box_scheme.h"
#include "march/eddy_viscosity.h"
#include "march/integral_quantities.h"
#include "march/pass.h"
#include "march/station_profiles.h"
#include "march/station_safeguard.h"
#include "march/transition.h"
#include "report/dumps.h"
#include "report/station_rows.h"
#include "setup/pass_input.h"
#include "setup/stagnation_profile.h"

namespace bl {

namespace {

constexpr int kIterMax = 20;            // Newton iterations past the first
constexpr double kConvergence = 1e-6f;  // largest velocity correction accepted
constexpr double kRegimeStart = 0.02f;  // arc length past which the march regime starts
constexpr int kStartType = 1;           // starting profile: stagnation point
constexpr int kDumpStations[] = {162, 163};  // stations dumped at every iteration

std::string where(int isurf) { return isurf == 0 ? "upper surface" : "lower surface"; }

// Why a pass stopped early, and at which station (0 while it goes on).
struct Stop {
  Status status;
  int station = 0;
  bool ok() const { return status.ok; }
};

// The surface must be one the march can start on and march along: the
// stagnation node first, then at least two stations at strictly increasing
// arc length with positive edge velocity.
Status check_surface(const ExchangeData& blx, const ComputationParameters& parameters, int ielem, int isurf) {
  if (ielem < 0 || ielem >= ExchangeData::kElements || isurf < 0 || isurf > 1)
    return Status::failure("boundary layer: there is no surface " + std::to_string(isurf) + " of element " +
                           std::to_string(ielem));
  const Status params = validate_parameters(parameters);
  if (!params.ok) return params;

  const int slot = ExchangeData::slot(ielem, isurf);
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

// Normal grid for the pass header: the similarity grid scaled with the
// stagnation-point growth rate sqrt(dx/due) of the first interval.
void header_grid(Pass& p) {
  WorkArrays& wa = p.wa;
  const double scale = std::sqrt((wa.x(2) - wa.x(1)) / (wa.ue(2) - wa.ue(1)));
  wa.eta(1) = 0.0;
  for (int j = 2; j <= kMaxGridPoints; ++j) {
    wa.eta(j) = scale * p.sp.eta_s(j);
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
Status newton_iteration(Pass& p, int P) {
  WorkArrays& wa = p.wa;
  CoreArrays& ca = p.ca;
  const int np = p.sd.NP;
  const bool inverse = wa.x(P) > p.sd.XINV;
  if (inverse)  // the pressure gradient follows the computed edge velocity
    wa.dpdx(P) = -wa.ccro(3, np) * wa.u(3, np) *
                 (p.ms.c3 * wa.u(3, np) + p.ms.c2 * wa.u(2, np) + p.ms.c1 * wa.u(1, np));
  p.ms.kIter = p.ms.kIter + 1;
  box_fluxes(p, P, wa.dpdx(P));
  box_system(p, P);
  // In inverse mode the sensitivity to dpdx is a second right-hand side of
  // the same system: its elimination is reused.
  Status s = inverse ? block_solve_pair(ca, np, P, ca.rvec, ca.xvec, ca.eyvec, ca.yvec)
                     : block_solve(ca, np, P, ca.rvec, ca.xvec);
  if (!s.ok) return s;
  if (inverse) {
    s = inverse_update(p, wa.cf_bc(P), ca.xvec, ca.yvec, P);
    if (!s.ok) return s;
  } else {
    newton_update(p, ca.xvec);
  }
  if (wa.x(P) >= p.sd.XINV) wa.ue(P) = 0.5 * (wa.u(3, np - 1) + wa.u(3, np));
  s = conv_max(p);
  if (!s.ok) return Status::failure("station " + std::to_string(P) + ": " + s.message);
  return Status{};
}

// One attempt at station P: models of the station and the Newton
// iterations up to convergence or the iteration limit.
Status compute_station(Pass& p, int P) {
  WorkArrays& wa = p.wa;
  SolverScalars& sd = p.sd;
  MarchState& ms = p.ms;
  difference_weights(p, P);
  ms.kIter = 0;

  const double G = edge_pressure_gradient(p, P);  // due/dx

  if (wa.x(P) > kRegimeStart && P > 3) sd.regime = 2;
  if (sd.regime == 2 && ms.ninv == 0 && G < 0)
    sep_check(ms.ninv, sd.XINV, sd.XTR, P, sd.NXT, wa.x, wa.cfb, wa.cf_bc, sd.CFSEP, sd.SQRE);
  if (wa.x(P) < sd.XTR && P > 3) trans_check(p, P - 1);
  if (wa.x(P) >= sd.XTR) {
    if (ms.ktbl == 1) {  // first turbulent station
      ms.ktbl = 2;
      sd.ETAE = wa.eta(sd.NP);
      ms.NTR = P - 2;
      sd.VLBL = sd.VTBL;
    }
    eddy_visc(p, P);
  }

  ms.DUmax = 1.0;
  while (ms.DUmax > kConvergence) {
    const Status s = newton_iteration(p, P);
    if (!s.ok || ms.kIter > ms.kIterMax) {
      if (s.ok) write_iteration_limit(p, P);
      // Broken down, or short of the tolerance at the limit: the
      // safeguarded iteration takes over.  What it cannot solve ends the
      // pass or is accepted with its last iterate, as before.
      if ((!s.ok || ms.DUmax > kConvergence) && !safeguard_station(p, P) && !s.ok) return s;
      break;
    }
    if (dumped(P)) {
      dump_net(p, P, 3);
      dump_sys(p, P, ms.kIter, 3);
    }
  }
  if (wa.x(P) > sd.XINV) wa.ue(P) = wa.u(3, sd.NP);
  return Status{};
}

bool station_finite(const WorkArrays& wa, int P) {
  for (double q : {wa.ue(P), wa.cfb(P), wa.d1b(P), wa.d2b(P), wa.rov(P), wa.h12(P)})
    if (!std::isfinite(q)) return false;
  return true;
}

void store_station(Pass& p, int P, int slot) {
  const WorkArrays& wa = p.wa;
  ExchangeData& blx = p.blx;
  blx.ue_bl(P, slot) = wa.ue(P);
  blx.cf_bl(P, slot) = wa.cfb(P);
  blx.d1_bl(P, slot) = wa.d1b(P);
  blx.d2_bl(P, slot) = wa.d2b(P);
  blx.rv_bl(P, slot) = wa.rov(P);
  blx.h12_bl(P, slot) = wa.h12(P);
}

// Stations from P on have no results of this pass: their result entries
// are cleared and their edge velocity is the inviscid one again.
void clear_stations_from(Pass& p, int P, int slot) {
  ExchangeData& blx = p.blx;
  for (int i = P; i <= p.sd.NXT; ++i) {
    blx.ue_bl(i, slot) = blx.ue_inv(i, slot);
    blx.cf_bl(i, slot) = 0.0;
    blx.d1_bl(i, slot) = 0.0;
    blx.d2_bl(i, slot) = 0.0;
    blx.rv_bl(i, slot) = 0.0;
    blx.h12_bl(i, slot) = 0.0;
  }
}

// Prepare the pass: the run-long reports, the input (Inputi), the dump
// reports of the computation at the upper pass, the driver's flags, the
// stagnation-point profile (init_2d) with the core's arrays.
Stop prepare_pass(Pass& p, int k, int isurf) {
  ReportFiles& reports = p.reports;
  SolverScalars& sd = p.sd;
  MarchState& ms = p.ms;
  // Reports of the session (opened at the first pass, continued afterwards).
  reports.stream(Report::CalcBl);
  reports.stream(Report::InputBl);

  // The surface and the parameters were checked; a report that could not
  // be written is picked up when the pass ends.
  Inputi(p, k, isurf);
  calc_note(p, "  Start  of b.l. computation 0");
  if (isurf == 0) {
    static_cast<void>(reports.open_dumps());  // their state is looked at when the pass ends
    ms.dumps_open = true;
  }
  calc_surface_line(p, isurf, k);

  ms.kIterMax = kIterMax;
  sd.regime = 0;
  ms.ninv = 0;
  ms.ktbl = 1;
  ms.edge_limited = 0;
  ms.outcome[isurf] = MarchState::SurfaceOutcome{};
  sd.XINV = p.wa.x(sd.NXT);

  calc_note(p, "  Start  of b.l. computation 1");
  // The core arrays init_2d acquires are those of the march.
  const Status start = init_2d(p.sp, reports, p.ca, sd.NP, sd.VLBL, sd.ETAE, kStartType);
  calc_note(p, "  Start  of b.l. computation 2");
  calc_note(p, "  Start  of b.l. computation 3");

  if (!start.ok) return Stop{start, 2};  // no starting profile, nothing to march from
  return Stop{};
}

// Stations 2 and 3 from the similarity profile, with the pass header.
void start_stations(Pass& p) {
  header_grid(p);
  write_pass_header(p);
  write_start_diagnostics(p);
  for (int s = 2; s <= 3; ++s) {
    start_prof(p, s, s);
    dump_net(p, s, s);
    write_start_station(p, s, s);
  }
  p.sd.ETAE = p.wa.eta(p.sd.NP);
  p.ms.ktbl = 1;
}

// Station P: the Newton iterations, again after every growth of the grid,
// then the integral quantities, the report row, the results into the
// exchange data and the first guess of the next station.
Stop march_station(Pass& p, int P, int isurf, int slot) {
  WorkArrays& wa = p.wa;
  MarchState& ms = p.ms;
  ms.NX = P;
  int grown = 1;
  while (grown == 1) {
    const Status s = compute_station(p, P);
    if (!s.ok) return Stop{s, P};
    grow_edge(p, grown);
  }
  if (ms.DUmax > kConvergence && ++ms.outcome[isurf].iteration_limited == 1) ms.outcome[isurf].limited_at = P;
  bl_params(p, P, 3);
  if (!station_finite(wa, P))
    return Stop{Status::failure("station " + std::to_string(P) + ": its integral results are not finite numbers"), P};
  write_station_row(p, P);
  store_station(p, P, slot);
  if (P < p.sd.NXT) {
    if (wa.x(P + 1) > p.sd.XINV) wa.ue(P + 1) = wa.ue(P);  // first guess of the next inverse station
    shift_levels(p, P + 1);
  }
  return Stop{};
}


// Finish the pass: say where it stopped, store the transition and
// inverse-mode positions it used back into the exchange data, close the
// dumps after the lower pass and check every report.
Status finish_pass(Pass& p, int isurf, int slot, const Stop& stop) {
  MarchState& ms = p.ms;
  ReportFiles& reports = p.reports;
  if (!stop.ok()) {
    write_pass_stop(p, stop.station, stop.status.message);
    clear_stations_from(p, stop.station, slot);
  }
  if (ms.edge_limited != 0) write_edge_limited(p, ms.edge_limited);
  ms.outcome[isurf].edge_limited_at = ms.edge_limited;
  ms.outcome[isurf].transition_at = ms.ktbl == 2 ? ms.NTR + 2 : 0;
  ms.outcome[isurf].inverse_at = ms.ninv;

  p.blx.params.xinv_surf[isurf] = p.sd.XINV;
  p.blx.params.xtr_surf[isurf] = p.sd.XTR;
  calc_note(p, " The end of b.l. computation");

  const Status written = close_pass_reports(reports, ms, isurf);  // flushes the reports, in every case
  if (!stop.ok())
    return Status::failure(where(isurf) + ": " + stop.status.message + "; the results end at station " +
                           std::to_string(stop.station - 1));
  return reports_failure(isurf, written);
}

}  // namespace

Status close_pass_reports(ReportFiles& reports, MarchState& ms, int isurf) {
  Status dumps;
  if (isurf == 1 && ms.dumps_open) {
    dumps = reports.close_dumps();
    ms.dumps_open = false;
  } else if (ms.dumps_open) {
    dumps = reports.status(Report::NetFunc);
    if (dumps.ok) dumps = reports.status(Report::Debug);
  }
  // The first report problem of the pass, if any.
  for (Report r : {Report::CalcBl, Report::InputBl, Report::Init2d}) {
    const Status s = reports.status(r);
    if (!s.ok) return s;
  }
  return dumps;
}

Status reports_failure(int isurf, const Status& written) {
  if (written.ok) return written;
  return Status::failure(where(isurf) + ": the boundary layer was computed, but " + written.message);
}

std::string edge_limit_note(int isurf, int station) {
  return where(isurf) + ": the normal grid reached its " + std::to_string(kMaxGridPoints) + " points at station " +
         std::to_string(station) + "; from there on the outer edge was held and the layer may be cut off";
}

std::string iteration_limit_note(int isurf, int station, int count) {
  std::string note = where(isurf) + ": station " + std::to_string(station) + " accepted at the iteration limit";
  if (count > 1) note += " (and " + std::to_string(count - 1) + " more after it)";
  return note;
}

Status FOIL_BL2D(ExchangeData& blx, const ComputationParameters& params, SolverState& state,
                 ReportFiles& reports, PassArrays& arrays, int ielem, int isurf) {
  const Status input = check_surface(blx, params, ielem, isurf);
  if (!input.ok) return input;
  const int slot = ExchangeData::slot(ielem, isurf);

  Pass p(blx, params, state, reports, arrays);  // its working arrays live until the pass ends
  Stop stop = prepare_pass(p, ielem, isurf);
  if (stop.ok()) start_stations(p);
  for (int P = 3; stop.ok() && P <= p.sd.NXT; ++P) stop = march_station(p, P, isurf, slot);
  return finish_pass(p, isurf, slot, stop);
}

}  // namespace bl
