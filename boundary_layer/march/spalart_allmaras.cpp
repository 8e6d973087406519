// The Spalart-Allmaras transport equation at a station of the march.
#include "march/spalart_allmaras.h"

#include <algorithm>
#include <cmath>

#include "march/eddy_viscosity.h"
#include "march/edge_mode.h"
#include "march/pass.h"

namespace bl {

namespace {

using sa::kCb2;
using sa::kCw1;
using sa::kKappa;
using sa::kSigma;

// Free-stream value at the outer edge, in units of nu_m: small against the
// layer's own (hundreds to thousands).
constexpr double kFreeStream = 3.0;

// Outside the layer the model's eddy viscosity falls to the free stream's,
// and the normal grid's steps grow large there; the box scheme's
// trapezoidal rule then lets the outward flow -df/dx carry an undamped
// saw-tooth into u unless the cell Peclet number |df/dx| deta / (2 (1 + b)
// mu) stays below 1.  The eddy viscosity is held at least at the value
// that keeps it there, where the profile is uniform (u above this share of
// ue at the station's first guess, held through its iterations: a floor
// that followed the iterates inside a thin young layer would answer them
// and keep them from settling).
constexpr double kUniform = 0.99;

// The least eddy viscosity across the wake's centre line, as a share of the
// wake's largest (see eddy_viscosity).
constexpr double kWakeCentre = 0.05;

}  // namespace

void SpalartAllmaras::solve_tridiagonal(int lo, int hi) {
  // Eliminated from both ends towards the middle at once: each elimination
  // waits on the division of the row before it, and two chains side by side
  // take half the time of one.  The pivots' reciprocals are kept in b_.
  std::vector<double>&a = a_, &b = b_, &c = c_, &r = r_;
  const auto mid = static_cast<std::size_t>((lo + hi) / 2);
  const auto first = static_cast<std::size_t>(lo), last = static_cast<std::size_t>(hi);
  if (first < mid) b[first] = 1.0 / b[first];
  if (last > mid) b[last] = 1.0 / b[last];
  std::size_t down = first + 1, up = last - 1;  // the next rows of the two chains
  while (down < mid || up > mid) {
    if (down < mid) {
      const double m = a[down] * b[down - 1];
      b[down] = 1.0 / (b[down] - m * c[down - 1]);
      r[down] -= m * r[down - 1];
      ++down;
    }
    if (up > mid) {
      const double m = c[up] * b[up + 1];
      b[up] = 1.0 / (b[up] - m * a[up + 1]);
      r[up] -= m * r[up + 1];
      --up;
    }
  }
  double pivot = b[mid], rhs = r[mid];
  if (mid > first) {
    const double m = a[mid] * b[mid - 1];
    pivot -= m * c[mid - 1];
    rhs -= m * r[mid - 1];
  }
  if (mid < last) {
    const double m = c[mid] * b[mid + 1];
    pivot -= m * a[mid + 1];
    rhs -= m * r[mid + 1];
  }
  r[mid] = rhs / pivot;
  for (std::size_t k = mid; k > first; --k) r[k - 1] = (r[k - 1] - c[k - 1] * r[k]) * b[k - 1];
  for (std::size_t k = mid + 1; k <= last; ++k) r[k] = (r[k] - a[k] * r[k - 1]) * b[k];
}

void SpalartAllmaras::fit(const Pass& p, int np) {
  const LayerProfiles& lp = p.lp;
  const auto size = static_cast<std::size_t>(np);
  for (std::vector<double>& level : n_) {
    const std::size_t had = level.size();
    if (had >= size) continue;
    level.resize(size);
    for (std::size_t k = had; k < size; ++k) {
      const int j = static_cast<int>(k) + 1;
      level[k] = kFreeStream * lp.ccmu(3, j) / lp.ccro(3, j);
    }
  }
  // Point j's steps: the grid does not change within a pass, only grows
  // (the last point's entry, which had no step above it, is made anew).
  const std::size_t had = grid_.empty() ? 0 : grid_.size() - 1;
  grid_.resize(size);
  for (std::size_t k = had; k < size; ++k) {
    const int j = static_cast<int>(k) + 1;
    const double dp = j < np ? lp.deta(j) : lp.deta(j - 1);
    const double dm = j > 1 ? lp.deta(j - 1) : dp;  // the centre line's mirror point lies a step above
    const double h = 0.5 * (dp + dm);
    grid_[k] = Grid{1.0 / dm, 1.0 / dp, 0.5 / (kSigma * dm * h), 0.5 / (kSigma * dp * h), 1.0 / (dp + dm)};
  }
  for (std::vector<double>* v : {&a_, &b_, &c_, &r_})
    if (v->size() < size) v->resize(size);
}

void SpalartAllmaras::prepare(const Pass& p, int P) {
  const LayerProfiles& lp = p.lp;
  const DifferenceWeights& w = p.ms.w;
  const int np = p.sd.NP;
  wake_ = wake_station(p, P);
  // Behind the trailing edge the nearest wall is the edge itself.
  const double behind = wake_ ? (p.st.x(P) - p.st.x(p.surface.wall_nodes)) * p.sd.SQRE / p.sd.LREF : 0.0;
  const double ue = lp.u(3, np);
  local_.resize(static_cast<std::size_t>(np));
  for (int j = 1; j <= np; ++j) {
    Local& at = local_[static_cast<std::size_t>(j - 1)];
    const double rho = lp.ccro(3, j);
    at.nu = lp.ccmu(3, j) / rho;
    at.inv_rho = 1.0 / rho;
    const double eta = lp.eta(j);
    const double d2 = behind * behind + eta * eta;
    at.source = SaPoint{1.0 / at.nu, d2 > 0.0 ? 1.0 / (kKappa * kKappa * d2) : 0.0, d2 > 0.0 ? kCw1 / d2 : 0.0};
    at.floor = 0.0;
    if (lp.u(3, j) >= kUniform * ue) {
      const double step = j < np ? std::max(lp.deta(j), j > 1 ? lp.deta(j - 1) : 0.0) : lp.deta(j - 1);
      const double fx = w.c3 * lp.f(3, j) + w.c2 * lp.f(2, j) + w.c1 * lp.f(1, j);
      at.floor = 0.5 * std::fabs(fx) * step / lp.ccmu(3, j) - 1.0;
    }
  }
}

double SpalartAllmaras::eddy_viscosity(Pass& p, double share) const {
  LayerProfiles& lp = p.lp;
  const std::vector<double>& n = n_[2];
  const int np = p.sd.NP;
  double largest = 0.0, gap = 0.0;
  for (int j = 1; j <= np; ++j) {
    const auto k = static_cast<std::size_t>(j - 1);
    const double chi = n[k] * local_[k].source.inv_nu;
    const double b = chi * sa_fv1(chi);
    const double to = std::max(b, local_[k].floor);
    if (share == 1.0) {
      lp.b(3, j) = to;
    } else {
      lp.b(3, j) += share * (to - lp.b(3, j));
      gap = std::max(gap, std::fabs(to - lp.b(3, j)));
    }
    largest = std::max(largest, b);
  }
  gap = largest > 0.0 ? gap / largest : 0.0;
  if (!wake_) return gap;
  // Just behind the trailing edge the wake's centre line carries the
  // wall's nu~, almost none, and the model keeps it small (its distance to
  // the edge is small): a thin layer with hardly any eddy viscosity, where
  // the rise of the pressure behind the edge meets the centre line's u
  // du/dx alone.  There the march has two solutions, the centre line's
  // fluid carried on or turned back (u du/dx vanishing in reversed flow),
  // and in a sweep of the viscous analysis started from the angle before
  // it can land on the second and stay there (NACA 0012 at 5 and 7
  // degrees, Re 6 million, did not settle).  The eddy viscosity from the
  // centre line out is held at least at a small share of the wake's
  // largest, where the two layers' turbulence has met in the real flow;
  // it moves lift and drag by 1e-5 where both settle.
  const double least = kWakeCentre * largest;
  for (int j = 1; j <= np && lp.b(3, j) < least; ++j) lp.b(3, j) = least;
  return gap;
}

void SpalartAllmaras::start_station(Pass& p, int P, bool first) {
  const int np = p.sd.NP;
  if (first) {
    // The algebraic model's eddy viscosity of the station's first guess,
    // nu~ from it through fv1, on every level: the turbulence the model
    // carries on from here.
    for (std::vector<double>& level : n_) level.clear();
    older_.clear();
    converged_ = 0;
    fit(p, np);
    eddy_visc(p, P);
    for (int j = 1; j <= np; ++j) {
      const double nu_m = p.lp.ccmu(3, j) / p.lp.ccro(3, j);
      const double n = nu_m * sa_chi_of_eddy_viscosity(p.lp.b(3, j));
      for (std::vector<double>& level : n_) level[static_cast<std::size_t>(j - 1)] = n;
    }
    // The outer edge is the free stream's (the outer law's eddy
    // viscosity reaches the edge; the model's falls to its free value).
    for (std::vector<double>& level : n_) level.back() = kFreeStream * p.lp.ccmu(3, np) / p.lp.ccro(3, np);
  }
  fit(p, np);
  prepare(p, P);
  eddy_viscosity(p, 1.0);
  share_ = 1.0;
  steps_ = 0;
}

int SpalartAllmaras::iteration_limit(int mean_flow_limit) const {
  // The first stations behind a trailing edge whose layer was close to
  // separation: the centre line's velocity rises from the wall's zero
  // where the eddy viscosity is still the wall's, almost none, so that
  // u du/dx there nearly balances the pressure gradient alone, a near
  // double root; the Newton iterations then halve their error, and with
  // the model's own step take up to twice the mean flow's limit.
  return 2 * mean_flow_limit;
}

void SpalartAllmaras::advance(Pass& p, int P) {
  if (n_[2].empty()) return;  // still laminar
  // First guess of station P: the parabola through the last three
  // converged profiles carried on in x (the line through two where only
  // two are there), never below zero.  A better guess saves model steps:
  // on Wieghardt's plate the first step changes n by 5e-5 of its largest
  // value after the parabola, 3e-4 after the line.
  older_.swap(n_[0]);
  n_[0].swap(n_[1]);
  n_[1] = n_[2];
  x_[0] = x_[1];
  x_[1] = x_[2];
  x_[2] = p.st.x(P - 1);
  ++converged_;
  const double x = p.st.x(P);
  const std::size_t m = n_[2].size() - 1;  // the outer edge keeps the free stream's value
  if (converged_ >= 3 && older_.size() > m && n_[0].size() > m) {
    const double x0 = x_[0], x1 = x_[1], x2 = x_[2];
    const double l0 = (x - x1) * (x - x2) / ((x0 - x1) * (x0 - x2));
    const double l1 = (x - x0) * (x - x2) / ((x1 - x0) * (x1 - x2));
    const double l2 = (x - x0) * (x - x1) / ((x2 - x0) * (x2 - x1));
    for (std::size_t k = 0; k < m; ++k) n_[2][k] = std::max(0.0, l0 * older_[k] + l1 * n_[0][k] + l2 * n_[1][k]);
    return;
  }
  const double t = (x - p.st.x(P - 1)) / (p.st.x(P - 1) - p.st.x(P - 2));
  const std::size_t shared = std::min(n_[0].size(), n_[2].size());
  for (std::size_t k = 0; k + 1 < shared; ++k) n_[2][k] = std::max(0.0, n_[1][k] + t * (n_[1][k] - n_[0][k]));
}

double SpalartAllmaras::after_update(Pass& p, int P) {
  LayerProfiles& lp = p.lp;
  const DifferenceWeights& w = p.ms.w;
  const int np = p.sd.NP;
  if (local_.size() != static_cast<std::size_t>(np)) {  // the grid grew since the station began
    fit(p, np);
    prepare(p, P);
  }
  const std::vector<double>& n1 = n_[0];
  const std::vector<double>& n2 = n_[1];
  std::vector<double>& n = n_[2];
  const double sqre = p.sd.SQRE;
  const sa::FwTable& fw = sa::fw_table();

  // Point j at vector index k = j - 1.  The wall (n = 0) and the outer
  // edge (the free stream) are fixed; on the centre line the profile is
  // mirrored (n(0) = n(2)).
  const int lo = wake_ ? 0 : 1;
  const int hi = np - 2;
  if (hi < lo) return 0.0;  // no point between the fixed ones
  for (int k = lo; k <= hi; ++k) {
    const int j = k + 1;
    const Grid& g = grid_[static_cast<std::size_t>(k)];
    const Local& at = local_[static_cast<std::size_t>(k)];
    const double u_plus = std::max(lp.u(3, j), 0.0);
    const double v_eta = -(w.c3 * lp.f(3, j) + w.c2 * lp.f(2, j) + w.c1 * lp.f(1, j)) * at.inv_rho;

    // Neighbours, the centre line's mirrored; face diffusivities.
    const std::size_t below = k > 0 ? static_cast<std::size_t>(k - 1) : static_cast<std::size_t>(k + 1);
    const std::size_t above = static_cast<std::size_t>(k + 1);
    const double n_m = n[below], n_p = n[above], n_k = n[static_cast<std::size_t>(k)];
    const double kp = (at.nu + n_k + local_[above].nu + n_p) * g.wp;
    const double km = (at.nu + n_k + local_[below].nu + n_m) * g.wm;
    const double slope_c = (n_p - n_m) * g.inv_span;

    // The source, its slope following the vorticity as the mean flow will
    // answer a change of n: the shear stress (1 + b) mu du/deta changes
    // little from one iteration to the next, the velocity gradient
    // inversely with 1 + b.  With the vorticity held instead, the step and
    // the mean flow answer each other (more n, less shear, less
    // production, less n) and the iterations swing unless b is relaxed.
    const double omega = sqre * std::fabs(lp.v(3, j));
    const SaSource s = sa_source(n_k, omega, 1.0 + lp.b(3, j), at.source, fw);

    // The residual: convection along the surface (three-level backward
    // difference) and across the layer (upwind), the source, the diffusion
    // and the cb2 term (central).
    const double up = v_eta > 0.0 ? (n_k - n_m) * g.inv_dm : (n_p - n_k) * g.inv_dp;
    const double residual = u_plus * (w.c3 * n_k + w.c2 * n2[static_cast<std::size_t>(k)] +
                                      w.c1 * n1[static_cast<std::size_t>(k)]) +
                            v_eta * up - s.value - (kp * (n_p - n_k) - km * (n_k - n_m)) -
                            kCb2 / kSigma * slope_c * slope_c;

    // Its Jacobian, the diffusion coefficients held: the source's slope,
    // the upwind convection, the cb2 term's 2 cb2/sigma dn/deta d(dn)/deta.
    // Where production grows faster with n than destruction (a young
    // layer, chi of a few, where fv2 turns negative) the full slope would
    // shrink the diagonal and the steps swing from one side of the
    // balance to the other: there the source's growth is taken explicitly.
    double am = -km, bm = u_plus * w.c3 + kp + km - std::min(s.slope, 0.0), cm = -kp;
    if (v_eta > 0.0) {
      am -= v_eta * g.inv_dm;
      bm += v_eta * g.inv_dm;
    } else {
      cm += v_eta * g.inv_dp;
      bm -= v_eta * g.inv_dp;
    }
    const double c = 2.0 * kCb2 / kSigma * slope_c * g.inv_span;
    am += c;
    cm -= c;
    if (k == 0) {  // the mirror point is point 2
      cm += am;
      am = 0.0;
    }
    a_[static_cast<std::size_t>(k)] = am;
    b_[static_cast<std::size_t>(k)] = bm;
    c_[static_cast<std::size_t>(k)] = cm;
    r_[static_cast<std::size_t>(k)] = -residual;
  }

  solve_tridiagonal(lo, hi);
  double change = 0.0, largest = 0.0;
  for (int k = lo; k <= hi; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const double step = n[i] + r_[i];
    const double updated = step > 0.0 ? step : 0.0;  // and not a number where the mean flow broke down
    change = std::max(change, std::fabs(updated - n[i]));
    n[i] = updated;
    largest = std::max(largest, updated);
  }
  // On the wall, a step that has not halved the change of the step two
  // before swings with the mean flow (near the wall of a young layer on a
  // coarse grid the shear stress the slope holds is not yet the layer's):
  // from then on b takes half its step, then a quarter.  (Behind the
  // trailing edge the iterations are slow for the mean flow's own sake,
  // see iteration_limit, and relaxing b would only slow them further.)
  const double relative = largest > 0.0 ? change / largest : 0.0;
  if (!wake_ && steps_ >= 2 && relative > 0.5 * changes_[0]) share_ = std::max(0.25, 0.5 * share_);
  changes_[0] = changes_[1];
  changes_[1] = relative;
  ++steps_;
  // Relaxed, b has converged only once it has reached n's.
  return std::max(relative, eddy_viscosity(p, share_));
}

}  // namespace bl
