// One station of the march: separation switch, transition, eddy viscosity,
// Newton iterations (edge velocity prescribed, wall shear prescribed or the
// interaction law), edge growth, integral quantities, row and results.
#include "march/station_march.h"

#include <cmath>
#include <string>

#include "core/box_scheme.h"
#include "march/edge_mode.h"
#include "march/integral_quantities.h"
#include "march/pass.h"
#include "march/station_profiles.h"
#include "march/station_safeguard.h"
#include "march/transition.h"
#include "report/dumps.h"
#include "report/station_rows.h"

namespace bl {

namespace {

constexpr double kConvergence = 1e-6f;       // largest velocity correction accepted
constexpr double kRegimeStart = 0.02f;       // arc length past which the march regime starts
constexpr int kDumpStations[] = {162, 163};  // stations dumped at every iteration

// Converged: the velocity correction, and a transport model's own step.
bool settled(const MarchState& ms) { return ms.DUmax <= kConvergence && ms.model_change <= kTransportConvergence; }

bool dumped(int P) {
  for (int s : kDumpStations)
    if (P == s) return true;
  return false;
}

// One Newton iteration of station P; direct mode, inverse mode or the
// interaction law.
Status newton_iteration(Pass& p, int P) {
  StationArrays& st = p.st;
  LayerProfiles& lp = p.lp;
  CoreArrays& ca = p.ca;
  const DifferenceWeights& w = p.ms.w;
  const int np = p.sd.NP;
  const EdgeMode mode = edge_mode(p, P);
  const bool free_edge = mode != EdgeMode::direct;
  if (free_edge)  // the pressure gradient follows the computed edge velocity
    st.dpdx(P) = -lp.ccro(3, np) * lp.u(3, np) * (w.c3 * lp.u(3, np) + w.c2 * lp.u(2, np) + w.c1 * lp.u(1, np));
  p.ms.kIter = p.ms.kIter + 1;
  StationSystem sys = station_system(p, P);
  box_fluxes(sys);
  box_system(sys);
  // With a free edge velocity the sensitivity to dpdx is a second
  // right-hand side of the same system: its elimination is reused.
  Status s = free_edge ? block_solve_pair(ca, np, P, ca.rvec, ca.xvec, ca.eyvec, ca.yvec)
                       : block_solve(ca, np, P, ca.rvec, ca.xvec);
  if (!s.ok) return s;
  if (mode == EdgeMode::inverse) {
    s = inverse_update(sys, prescribed_wall_shear(lp, st.cf_bc(P)));
    if (!s.ok) return s;
  } else if (mode == EdgeMode::law) {
    s = inverse_update(sys, law_closure(p, P));
    if (!s.ok) return s;
  } else {
    newton_update(sys);
  }
  if (mode == EdgeMode::law)
    st.ue(P) = lp.u(3, np);
  else if (!wake_station(p, P) && st.x(P) >= p.sd.XINV)
    st.ue(P) = 0.5 * (lp.u(3, np - 1) + lp.u(3, np));
  s = conv_max(lp, np, p.ms.DUmax, p.ms.JUmax);
  if (!s.ok) return Status::failure("station " + std::to_string(P) + ": " + s.message);
  // A transport model's step, unless its last step had settled and the
  // mean flow has moved by less than the model's own tolerance since: the
  // step would only repeat it.
  const bool model_settled = p.ms.model_change <= kTransportConvergence && p.ms.DUmax <= kTransportConvergence;
  if (p.ms.ktbl == 2 && !model_settled) p.ms.model_change = p.turbulence->after_update(p, P);
  return Status{};
}

// Both dumps of an iteration of station P.
void dump_iteration(Pass& p, int P) {
  if (!p.reports.enabled()) return;
  flush_start_dumps(p);
  const StationArrays& st = p.st;
  const MarchState& ms = p.ms;
  const DumpHead head{ms.kIter, P, st.x(P), st.ue(P)};
  const ProfileTable profile = profile_table(p.lp, 3, p.sd.NP);
  dump_net(p.reports, head, st.eme(P), profile);
  dump_sys(p.reports, head, st.roe8(P), st.emue8(P), ms.DUmax, ms.JUmax, p.ca, profile);
}

// One attempt at station P: models of the station and the Newton
// iterations up to convergence or the iteration limit.
Status compute_station(Pass& p, int P) {
  StationArrays& st = p.st;
  SolverScalars& sd = p.sd;
  MarchState& ms = p.ms;
  difference_weights(p, P);
  ms.kIter = 0;

  const double G = edge_pressure_gradient(p, P);  // due/dx
  if (edge_mode(p, P) == EdgeMode::law) ms.law_target = law_target(p, P);

  // The wake keeps the regime the layer had at the trailing edge: neither
  // transition nor separation is looked for behind it.  With the
  // interaction law a forecast separation of the turbulent layer changes
  // nothing (the law carries the march through it); a laminar one still
  // forces transition.
  // A coupling may hold the transition where its sweeps found it.
  const bool wake = wake_station(p, P);
  const bool free = !wake && !(p.law && p.law->transition_held);
  if (st.x(P) > kRegimeStart && P > 3) sd.regime = 2;
  if (free && sd.regime == 2 && ms.ninv == 0 && G < 0)
    sep_check(ms.ninv, sd.XINV, sd.XTR, P, sd.NXT, st.x, st.cfb, st.cf_bc, sd.CFSEP, sd.SQRE, p.law == nullptr);
  if (free && st.x(P) < sd.XTR && P > 3) trans_check(p, P - 1);
  if (wake ? ms.ktbl == 2 : st.x(P) >= sd.XTR) {
    const bool first = ms.ktbl == 1;
    if (first) {  // first turbulent station
      ms.ktbl = 2;
      sd.ETAE = p.lp.eta(sd.NP);
      ms.NTR = P - 2;
      sd.VLBL = sd.VTBL;
    }
    p.turbulence->start_station(p, P, first);
  }

  ms.DUmax = 1.0;
  ms.model_change = ms.ktbl == 2 ? 1.0 : 0.0;  // a turbulent station's model has yet to take its step
  while (!settled(ms)) {
    const Status s = newton_iteration(p, P);
    if (!s.ok || ms.kIter > (ms.ktbl == 2 ? p.turbulence->iteration_limit(ms.kIterMax) : ms.kIterMax)) {
      if (s.ok) write_iteration_limit(p.reports, ms.kIter, P, st.x(P), st.ue(P), ms.DUmax);
      // Broken down, or short of the tolerance at the limit: the
      // safeguarded iteration takes over.  What it cannot solve ends the
      // pass (a march coupled by the interaction law carries the station
      // before on instead) or is accepted with its last iterate, as before.
      if ((!s.ok || ms.DUmax > kConvergence) && !safeguard_station(p, P) && !s.ok) {
        if (p.law == nullptr) return s;
        carry_previous_station(p, P);
        ms.DUmax = 1.0;  // not converged
      }
      break;
    }
    if (dumped(P)) dump_iteration(p, P);
  }
  if (edge_mode(p, P) != EdgeMode::direct) st.ue(P) = p.lp.u(3, sd.NP);
  return Status{};
}

// The results of station P into node P, each column of the result from the
// array the march keeps it in.
void store_station(const Pass& p, int P, SurfaceResult& result) {
  const StationArrays& st = p.st;
  const std::size_t k = static_cast<std::size_t>(P - 1);
  result[Column::ue][k] = st.ue(P);
  result[Column::cf][k] = st.cfb(P);
  result[Column::d1][k] = st.d1b(P);
  result[Column::d2][k] = st.d2b(P);
  result[Column::h12][k] = st.h12(P);
  result[Column::rv][k] = st.rov(P);
  if (k < result.grid_points.size()) result.grid_points[k] = p.sd.NP;
}

// Whether every marched quantity of node P is a finite number.
bool node_finite(const SurfaceResult& result, int P) {
  for (const ColumnInfo& c : kColumnInfo)
    if (c.marched && !std::isfinite(result[c.column][static_cast<std::size_t>(P - 1)])) return false;
  return true;
}

// Node P back to the surface as it was before the march: the inviscid edge
// velocity, no marched quantity.
void unmark_node(SurfaceResult& result, int P) {
  const std::size_t k = static_cast<std::size_t>(P - 1);
  for (const ColumnInfo& c : kColumnInfo)
    if (c.marched) result[c.column][k] = 0.0;
  result[Column::ue][k] = result[Column::ue_inv][k];
  if (k < result.grid_points.size()) result.grid_points[k] = 0;
}

}  // namespace

StationSystem station_system(Pass& p, int P) {
  const StationArrays& st = p.st;
  const StationState at{P, st.eme(P), st.roe8(P), st.te(P), st.emue(P), st.dpdx(P), st.ue(P), st.uww(P), st.vww(P)};
  const EdgeCondition edge =
      edge_mode(p, P) == EdgeMode::direct ? EdgeCondition::velocity : EdgeCondition::momentum_balance;
  const InnerCondition inner = wake_station(p, P) ? InnerCondition::centre_line : InnerCondition::wall;
  return StationSystem{p.lp, p.ca, p.bx, p.sd.NP, p.ms.w, at, edge, inner};
}

void flush_start_dumps(Pass& p) {
  StartDumps& held = p.start_dumps;
  if (held.count == 0) return;
  const int iterations = p.state.iterations_before();
  for (int k = 0; k < held.count; ++k) {
    held.head[k].iterations = iterations;
    dump_net(p.reports, held.head[k], held.me[k], held.profile[k]);
  }
  held.count = 0;
}

Status march_station(Pass& p, int P, SurfaceResult& result) {
  StationArrays& st = p.st;
  MarchState& ms = p.ms;
  ms.NX = P;
  if (p.law) {
    // The grid this node had in the sweep before, kept (see
    // InteractionLaw::grid_points_before).
    const int before = p.law->grid_before(P);
    if (before > p.sd.NP) widen_grid(p, before);
  }
  int grown = 1;
  while (grown == 1) {
    const Status s = compute_station(p, P);
    if (!s.ok) return s;
    grow_edge(p, grown);
  }
  if (!settled(ms) && ++result.iteration_limited == 1) result.limited_at = P;
  bl_params(p, P, 3);
  store_station(p, P, result);
  if (!node_finite(result, P)) {
    unmark_node(result, P);
    return Status::failure("station " + std::to_string(P) + ": its integral results are not finite numbers");
  }
  const std::size_t k = static_cast<std::size_t>(P - 1);
  write_station_row(p.reports, StationRow{P, result[Column::s][k], result[Column::ue][k], st.eme(P),
                                          result[Column::d1][k], result[Column::rv][k], result[Column::cf][k],
                                          ms.DUmax, ms.JUmax, ms.kIter, p.sd.NP, ms.ninv, ms.ktbl});
  if (P < p.sd.NXT) {
    // First guess of the edge velocity of a next station where it is free.
    const EdgeMode next = edge_mode(p, P + 1);
    if (next == EdgeMode::inverse) st.ue(P + 1) = st.ue(P);
    if (next == EdgeMode::law) law_first_guess(p, P + 1);
    shift_levels(p, P + 1);
    p.turbulence->advance(p, P + 1);
  }
  return Status{};
}

}  // namespace bl
