// The safeguarded iteration of a station: continuation from the previous
// station's profile with damped Newton steps, and the inverse mode where
// the layer separates in the direct mode.
#include "march/station_safeguard.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/block_solver.h"
#include "core/box_scheme.h"
#include "march/edge_mode.h"
#include "march/pass.h"
#include "march/station_march.h"
#include "report/station_rows.h"

namespace bl {

namespace {

constexpr double kTolerance = 1e-6f;  // largest velocity correction of a converged station
constexpr int kSteps = 40;            // damped Newton steps at most
constexpr double kLargestChange = 0.1;  // of one step, in edge velocities
constexpr int kHalvings = 30;           // of a step that does not reduce the residual
constexpr double kDecrease = 1e-4;      // the reduction asked for, per unit step
constexpr double kLargestGrowth = 2.0;  // of the displacement thickness from one station to the next
// Continuation: the first stretch of the homotopy parameter, the longest
// and shortest; a stretch short of the end is solved to a looser
// tolerance in fewer steps.
constexpr double kFirstStretch = 0.25, kLongestStretch = 0.5, kShortestStretch = 1.0 / 256;
constexpr double kStretchTolerance = 1e-4;
constexpr int kStretchSteps = 10;

bool inverse_mode(const Pass& p, int P) { return edge_mode(p, P) == EdgeMode::inverse; }
bool law_mode(const Pass& p, int P) { return edge_mode(p, P) == EdgeMode::law; }

// From the start of the inverse mode on, at the last station of a surface
// and where the interaction law holds, the edge velocity follows the
// profile instead of being given; in the wake without the law it is given.
bool free_edge(const Pass& p, int P) {
  if (law_mode(p, P)) return true;
  return !wake_station(p, P) && p.st.x(P) >= p.sd.XINV;
}

void follow_edge(Pass& p, int P) {
  const int np = p.sd.NP;
  if (law_mode(p, P))
    p.st.ue(P) = p.lp.u(3, np);
  else if (free_edge(p, P))
    p.st.ue(P) = 0.5 * (p.lp.u(3, np - 1) + p.lp.u(3, np));
}

// The first guess of station P: the converged profile of P-1 (level 2),
// scaled to the edge velocity of P where that is given and as it is where
// the edge velocity follows the profile (it starts from that of P-1).
void restart(Pass& p, int P) {
  StationArrays& st = p.st;
  LayerProfiles& lp = p.lp;
  if (free_edge(p, P)) st.ue(P) = st.ue(P - 1);
  const double r = st.ue(P) / st.ue(P - 1);
  for (int j = 1; j <= p.sd.NP; ++j) {
    lp.f(3, j) = lp.f(2, j) * r;
    lp.u(3, j) = lp.u(2, j) * r;
    lp.v(3, j) = lp.v(2, j) * r;
  }
}

// The equations of station P at a profile: the right-hand side of its
// Newton system (the box equations, the wall and edge rows) and the
// condition that closes a free edge velocity: the miss of the prescribed
// wall shear ccmu v - cf/2 in the inverse mode, the miss of the interaction
// law, the edge shear u(NP) - u(NP-1) at the last station of a direct
// march.
struct Equations {
  std::vector<double> rhs;  // rvec(r, j) at 3 (j - 1) + r - 1
  double closure = 0.0;
};

// Assembles the Newton system of the homotopy E(profile) - (1 - s) E0
// at the current profile, E0 the equations at the first guess: at s = 0
// the first guess solves it, at s = 1 it is the station's own.  Returns
// the size of its residual; e receives the station's own equations.
double residual(Pass& p, int P, double s, const Equations& e0, Equations& e) {
  StationArrays& st = p.st;
  const LayerProfiles& lp = p.lp;
  CoreArrays& ca = p.ca;
  const DifferenceWeights& w = p.ms.w;
  const int np = p.sd.NP;
  if (inverse_mode(p, P) || law_mode(p, P))  // the pressure gradient follows the edge velocity
    st.dpdx(P) = -lp.ccro(3, np) * lp.u(3, np) * (w.c3 * lp.u(3, np) + w.c2 * lp.u(2, np) + w.c1 * lp.u(1, np));
  StationSystem sys = station_system(p, P);  // with the edge velocity and pressure gradient just set
  box_fluxes(sys);
  box_system(sys);
  e.rhs.resize(3 * static_cast<std::size_t>(np));
  double sum = 0.0;
  for (int j = 1; j <= np; ++j)
    for (int r = 1; r <= 3; ++r) {
      const std::size_t k = 3 * static_cast<std::size_t>(j - 1) + static_cast<std::size_t>(r - 1);
      e.rhs[k] = ca.rvec(r, j);
      if (!e0.rhs.empty()) ca.rvec(r, j) -= (1.0 - s) * e0.rhs[k];
      sum += ca.rvec(r, j) * ca.rvec(r, j);
    }
  double miss = 0.0;
  if (inverse_mode(p, P)) {
    e.closure = lp.ccmu(3, 1) * lp.v(3, 1) - st.cf_bc(P) * 0.5;
    miss = (e.closure - (1.0 - s) * e0.closure) / lp.ccmu(3, 1);
  } else if (law_mode(p, P)) {
    e.closure = law_miss(p, P);
    miss = e.closure - (1.0 - s) * e0.closure;
  } else if (free_edge(p, P)) {
    e.closure = lp.u(3, np) - lp.u(3, np - 1);
    miss = e.closure - (1.0 - s) * e0.closure;
  }
  const double size = std::sqrt(sum + miss * miss);
  return std::isfinite(size) ? size : HUGE_VAL;
}

// The full Newton correction of the assembled system, (df, du, dv) of
// point j at step[3 (j - 1)].  A free edge velocity is one more unknown:
// the correction is x + w y, x the solution for the residual, y that for
// the unknown's own column, w such that the closing condition holds after
// the step.  False when the system cannot be solved.
bool newton_correction(Pass& p, int P, double s, const Equations& e0, std::vector<double>& step) {
  const LayerProfiles& lp = p.lp;
  CoreArrays& ca = p.ca;
  const int np = p.sd.NP;
  double w = 0.0;
  if (inverse_mode(p, P)) {  // y: sensitivity to the pressure gradient
    if (!block_solve_pair(ca, np, P, ca.rvec, ca.xvec, ca.eyvec, ca.yvec).ok) return false;
    // The inverse mode's closing condition, the wall shear of the
    // homotopy's stage s: ccmu (v + dv(1)) = cf/2 + (1 - s) E0.
    const double wall = (p.st.cf_bc(P) * 0.5 + (1.0 - s) * e0.closure) / lp.ccmu(3, 1);
    w = closing_lambda(ca, ClosingCondition::single(3, 1, wall - lp.v(3, 1), "the prescribed skin friction"));
  } else if (law_mode(p, P)) {  // y: sensitivity to the pressure gradient
    if (!block_solve_pair(ca, np, P, ca.rvec, ca.xvec, ca.eyvec, ca.yvec).ok) return false;
    // The law at the homotopy's stage s: ue - k m - T = (1 - s) E0.
    w = closing_lambda(ca, law_closure(p, P, (1.0 - s) * e0.closure));
  } else if (free_edge(p, P)) {  // y: sensitivity to the edge velocity of the edge row
    for (int j = 1; j <= np; ++j)
      for (int r = 1; r <= 3; ++r) ca.eyvec(r, j) = 0.0;
    ca.eyvec(3, np) = -1.0;
    if (!block_solve_pair(ca, np, P, ca.rvec, ca.xvec, ca.eyvec, ca.yvec).ok) return false;
    w = ((1.0 - s) * e0.closure - (lp.u(3, np) - lp.u(3, np - 1) + ca.xvec(2, np) - ca.xvec(2, np - 1))) /
        (ca.yvec(2, np) - ca.yvec(2, np - 1));
  } else if (!block_solve(ca, np, P, ca.rvec, ca.xvec).ok) {
    return false;
  }
  for (int j = 1; j <= np; ++j)
    for (int c = 1; c <= 3; ++c) {
      const double d = ca.xvec(c, j) + (w != 0.0 ? w * ca.yvec(c, j) : 0.0);
      if (!std::isfinite(d)) return false;
      step[3 * static_cast<std::size_t>(j - 1) + static_cast<std::size_t>(c - 1)] = d;
    }
  return true;
}

// Level 3 of f, u, v = base + t step; the corrections into df, du, dv.
void take_step(Pass& p, int P, const std::vector<double>& base, const std::vector<double>& step, double t) {
  LayerProfiles& lp = p.lp;
  for (int j = 1; j <= p.sd.NP; ++j) {
    const std::size_t k = 3 * static_cast<std::size_t>(j - 1);
    lp.df(j) = t * step[k];
    lp.du(j) = t * step[k + 1];
    lp.dv(j) = t * step[k + 2];
    lp.f(3, j) = base[k] + lp.df(j);
    lp.u(3, j) = base[k + 1] + lp.du(j);
    lp.v(3, j) = base[k + 2] + lp.dv(j);
  }
  follow_edge(p, P);
}

// Damped Newton iteration on the homotopy at s from the current profile,
// at most `steps` of them.  ms.DUmax is the last full correction, ms.JUmax
// its grid point; true when it reached tol.
bool damped_newton(Pass& p, int P, double s, const Equations& e0, double tol, int steps) {
  const LayerProfiles& lp = p.lp;
  MarchState& ms = p.ms;
  const int np = p.sd.NP;
  std::vector<double> base(3 * static_cast<std::size_t>(np)), step(base.size());
  Equations e;
  ms.DUmax = 1.0;
  follow_edge(p, P);
  double size = residual(p, P, s, e0, e);
  for (int k = 0; k < steps; ++k) {
    if (!newton_correction(p, P, s, e0, step)) return false;
    ++ms.kIter;
    double du_max = 0.0;
    for (int j = 1; j <= np; ++j) {
      const double du = std::fabs(step[3 * static_cast<std::size_t>(j - 1) + 1]);
      if (du > du_max) du_max = du, ms.JUmax = j;
    }
    ms.DUmax = du_max;
    for (int j = 1; j <= np; ++j) {
      const std::size_t i = 3 * static_cast<std::size_t>(j - 1);
      base[i] = lp.f(3, j), base[i + 1] = lp.u(3, j), base[i + 2] = lp.v(3, j);
    }
    if (du_max <= tol) {  // converged: the full correction, as plain Newton iteration ends
      take_step(p, P, base, step, 1.0);
      return true;
    }
    // Backtracking until the residual falls enough; the shortest step is
    // taken when none does, so that the next correction is computed at a
    // new profile.
    double t = std::min(1.0, kLargestChange * std::fabs(lp.u(3, np)) / du_max);
    for (int h = 0; h < kHalvings; ++h, t *= 0.5) {
      take_step(p, P, base, step, t);
      const double trial = residual(p, P, s, e0, e);
      if (trial < (1.0 - kDecrease * t) * size) {
        size = trial;
        break;
      }
    }
  }
  return false;
}

// What an iteration at station P changes, kept and put back: level 3 of
// the profiles and of the gas properties, the properties and corrections
// across the layer, the edge velocity and pressure gradient of P, the
// convergence measure and the iteration count.
struct Kept {
  std::vector<double> across;  // per point: f, u, v, ccro, ccmu (level 3), tte, bb, df, du, dv
  double ue = 0.0, dpdx = 0.0, DUmax = 0.0;
  int JUmax = 0, kIter = 0;

  template <class Visit>
  static void each(Pass& p, Visit visit) {
    LayerProfiles& lp = p.lp;
    for (int j = 1; j <= p.sd.NP; ++j)
      for (auto* q : {&lp.f(3, j), &lp.u(3, j), &lp.v(3, j), &lp.ccro(3, j), &lp.ccmu(3, j), &lp.tte(j), &lp.bb(j),
                      &lp.df(j), &lp.du(j), &lp.dv(j)})
        visit(*q);
  }
  void keep(Pass& p, int P) {
    across.clear();
    each(p, [this](double& q) { across.push_back(q); });
    ue = p.st.ue(P), dpdx = p.st.dpdx(P), DUmax = p.ms.DUmax, JUmax = p.ms.JUmax, kIter = p.ms.kIter;
  }
  void put_back(Pass& p, int P) const {
    std::size_t k = 0;  // in the order keep() took them
    each(p, [&](double& q) { q = across[k++]; });
    p.st.ue(P) = ue, p.st.dpdx(P) = dpdx, p.ms.DUmax = DUmax, p.ms.JUmax = JUmax, p.ms.kIter = kIter;
  }
};

// From the first guess along the homotopy to s = 1: each stretch of s
// solved by damped Newton iteration from the solution before it, halved
// where that does not converge.  The solution reached is the one joined
// to the first guess, not any that a long step from it might land on.
bool continuation(Pass& p, int P) {
  Equations none, e0;
  follow_edge(p, P);
  residual(p, P, 1.0, none, e0);
  Kept last;
  double s = 0.0, ds = kFirstStretch;
  while (s < 1.0) {
    if (raised(p.cancel)) return false;  // the pass stops at its next station
    const double next = std::min(1.0, s + ds);
    last.keep(p, P);
    const bool end = next >= 1.0;
    if (damped_newton(p, P, next, e0, end ? kTolerance : kStretchTolerance, end ? kSteps : kStretchSteps)) {
      s = next;
      ds = std::min(kLongestStretch, 2.0 * ds);
    } else {
      const int steps_so_far = p.ms.kIter;
      last.put_back(p, P);
      p.ms.kIter = steps_so_far;
      ds *= 0.5;
      if (ds < kShortestStretch) return false;
    }
  }
  return true;
}

// The inverse mode from station P on, the wall shear prescribed there and
// at every station after it; and the direct mode back.
struct InverseMode {
  double XINV = 0.0;
  int ninv = 0;
  std::vector<double> cf_bc;  // of P..NXT

  void start(Pass& p, int P) {
    SolverScalars& sd = p.sd;
    XINV = sd.XINV, ninv = p.ms.ninv;
    cf_bc.clear();
    for (int i = P; i <= sd.NXT; ++i) {
      cf_bc.push_back(p.st.cf_bc(i));
      p.st.cf_bc(i) = sd.CFSEP;
    }
    sd.XINV = p.st.x(P - 1);
    p.ms.ninv = P;
  }
  void undo(Pass& p, int P) const {
    p.sd.XINV = XINV, p.ms.ninv = ninv;
    for (std::size_t k = 0; k < cf_bc.size(); ++k) p.st.cf_bc(P + static_cast<int>(k)) = cf_bc[k];
  }
};

// A root of the station's discrete equations is the boundary layer that
// follows the previous station only if its edge velocity is positive and
// its displacement thickness is at most twice the previous station's: over
// one step of the march a layer does not double, but far from the previous
// profile the equations have other roots (an edge velocity near zero, or a
// displacement of many chords on a grid grown to match), which the
// continuation can still reach where the layer is about to separate.
bool is_a_layer(const Pass& p, int P) {
  const LayerProfiles& lp = p.lp;
  const int np = p.sd.NP;
  const double ue = lp.u(3, np);
  if (!(ue > 0)) return false;
  const double d1 = lp.eta(np) - (lp.f(3, np) - lp.f(3, 1)) / (ue * p.st.roe8(P));  // grid units
  const double before = p.st.d1_bc(P - 1);
  return d1 >= 0 && (!(before > 0) || d1 <= kLargestGrowth * before);
}

}  // namespace

bool safeguard_station(Pass& p, int P) {
  const SolverScalars& sd = p.sd;
  // A direct-mode station of the turbulent layer on the wall before the
  // inverse mode has started may be one past separation (with the
  // interaction law there is no inverse mode to start).
  const bool may_separate = p.law == nullptr && !wake_station(p, P) && !inverse_mode(p, P) && sd.regime == 2 &&
                            p.ms.ninv == 0 && p.st.x(P) >= sd.XTR;
  Kept plain;
  plain.keep(p, P);
  restart(p, P);
  bool converged = continuation(p, P) && is_a_layer(p, P);
  InverseMode inverse;
  if (!converged && may_separate) {
    inverse.start(p, P);
    restart(p, P);
    converged = continuation(p, P) && is_a_layer(p, P);
    if (converged) write_station_note(p.reports, "The inverse mode starts at station", P);
    else inverse.undo(p, P);
  }
  if (converged) {
    write_station_note(p.reports, "Safeguarded iteration converged at station", P);
    return true;
  }
  // Nothing better found: the station stays as plain Newton iteration left it.
  plain.put_back(p, P);
  write_station_note(p.reports, "Safeguarded iteration did not converge at station", P);
  return false;
}

void carry_previous_station(Pass& p, int P) {
  restart(p, P);
  write_station_note(p.reports, "Station not solved; the layer of the station before carried on to station", P);
}

}  // namespace bl
