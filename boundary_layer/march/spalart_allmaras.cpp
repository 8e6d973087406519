// The Spalart-Allmaras transport equation at a station of the march.
#include "march/spalart_allmaras.h"

#include <algorithm>
#include <cmath>

#include "march/eddy_viscosity.h"
#include "march/edge_mode.h"
#include "march/pass.h"

namespace bl {

namespace {

// The published constants (Spalart and Allmaras 1994); the S~ limiter of
// Allmaras, Johnson and Spalart (2012).
constexpr double kCb1 = 0.1355;
constexpr double kSigma = 2.0 / 3.0;
constexpr double kCb2 = 0.622;
constexpr double kKappa = 0.41;
constexpr double kCw1 = kCb1 / (kKappa * kKappa) + (1.0 + kCb2) / kSigma;
constexpr double kCw2 = 0.3;
constexpr double kCw3 = 2.0;
constexpr double kCv1 = 7.1;
constexpr double kCv2 = 0.7;  // S~ limiter
constexpr double kCv3 = 0.9;
constexpr double kRMax = 10.0;

// Free-stream value at the outer edge, in units of nu_m: small against the
// layer's own (hundreds to thousands).
constexpr double kFreeStream = 3.0;

// The share of its step the eddy viscosity takes after each Newton update:
// taken whole, the iterations do not settle (b and the mean flow answer
// each other, and the model's own step swings where b hardly depends on
// nu~).  Measured on the flat plate marched from a laminar start: 0.3,
// 0.4, 0.5 and 0.7 take 9.2, 7.5, 6.4 and 10 iterations a station, 1 does
// not settle; on Wieghardt's plate from its measured state 0.5, 0.6 and
// 0.7 take 5.8, 6.0 and 8.6.  Tried and dropped: Aitken's dynamic
// relaxation (7.5), two or three steps of the model per update (5.8).
constexpr double kRelaxation = 0.5;

// The vorticity term with its modification, kept positive.
double s_tilde(double omega, double sbar) {
  if (sbar >= -kCv2 * omega) return omega + sbar;
  return omega + omega * (kCv2 * kCv2 * omega + kCv3 * sbar) / ((kCv3 - 2.0 * kCv2) * omega - sbar);
}

double sixth(double x) {
  const double x2 = x * x;
  return x2 * x2 * x2;
}

double f_w(double r) {
  const double g = r + kCw2 * (sixth(r) - r);
  const double c6 = sixth(kCw3);
  return g * std::cbrt(std::sqrt((1.0 + c6) / (sixth(g) + c6)));
}

// Production minus destruction at a point, and its derivative with respect
// to n with S~ and fw held (for the implicit part of the step).
struct Source {
  double value = 0;
  double slope = 0;
};

// Near the wall S~ is dominated by its n fv2 / (kappa d)^2 part and r
// depends on n: production and destruction both go as n^2 there, and a
// slope with S~ and fw held would be far off.  The slope follows n through
// fv2, S~ (its unlimited form), r and fw.
Source source(double n, double nu_m, double omega, double d) {
  const double chi = n / nu_m;
  const double c3 = chi * chi * chi, cv3 = kCv1 * kCv1 * kCv1;
  const double fv1 = c3 / (c3 + cv3);
  const double dfv1 = 3.0 * chi * chi * cv3 / ((c3 + cv3) * (c3 + cv3));  // d fv1 / d chi
  const double q = 1.0 + chi * fv1;
  const double fv2 = 1.0 - chi / q;
  const double dfv2 = -(1.0 - chi * chi * dfv1) / (q * q) / nu_m;  // d fv2 / d n
  const double kd2 = kKappa * kKappa * d * d;
  const double sbar = n * fv2 / kd2;
  const double st = s_tilde(omega, sbar);
  const double dst = (fv2 + n * dfv2) / kd2;
  double fw, dfw_dn = 0.0;
  if (st > 0.0 && n < kRMax * st * kd2) {
    const double r_per_n = 1.0 / (st * kd2);
    const double r = n * r_per_n;
    const double r5 = r * r * r * r * r;
    const double g = r + kCw2 * (r5 * r - r);
    const double c6 = sixth(kCw3), g6 = sixth(g);
    const double root = std::cbrt(std::sqrt((1.0 + c6) / (g6 + c6)));  // fw / g, finite as n -> 0
    fw = g * root;
    const double dfw_dg = root * c6 / (g6 + c6);
    const double dg_dr = 1.0 + kCw2 * (6.0 * r5 - 1.0);
    const double dr_dn = r_per_n - r / st * dst;
    dfw_dn = dfw_dg * dg_dr * dr_dn;
  } else {
    fw = f_w(kRMax);
  }
  const double dd = kCw1 / (d * d);
  return Source{kCb1 * st * n - dd * fw * n * n, kCb1 * (st + n * dst) - dd * (2.0 * n * fw + n * n * dfw_dn)};
}

// Thomas algorithm: a_j x_{j-1} + b_j x_j + c_j x_{j+1} = r_j over
// j = lo..hi (vector index), x into r.
void solve_tridiagonal(std::vector<double>& a, std::vector<double>& b, std::vector<double>& c,
                       std::vector<double>& r, int lo, int hi) {
  for (int j = lo + 1; j <= hi; ++j) {
    const double m = a[j] / b[j - 1];
    b[j] -= m * c[j - 1];
    r[j] -= m * r[j - 1];
  }
  r[hi] /= b[hi];
  for (int j = hi - 1; j >= lo; --j) r[j] = (r[j] - c[j] * r[j + 1]) / b[j];
}

}  // namespace

double sa_fv1(double chi) {
  const double c3 = chi * chi * chi;
  return c3 / (c3 + kCv1 * kCv1 * kCv1);
}

double sa_chi_of_eddy_viscosity(double b) {
  if (!(b > 0.0)) return 0.0;
  // chi fv1(chi) = b: chi^4 = b (chi^3 + cv1^3), by Newton from above
  // (the function is convex and increasing for chi > 0).
  const double cv3 = kCv1 * kCv1 * kCv1;
  double chi = b + kCv1;
  for (int k = 0; k < 60; ++k) {
    const double c3 = chi * chi * chi;
    const double g = c3 * chi - b * (c3 + cv3);
    const double dg = 4.0 * c3 - 3.0 * b * chi * chi;
    const double step = g / dg;
    chi -= step;
    if (std::fabs(step) <= 1e-14 * chi) break;
  }
  return chi;
}

void SpalartAllmaras::fit(const Pass& p, int np) {
  const auto size = static_cast<std::size_t>(np);
  for (std::vector<double>& level : n_) {
    const std::size_t had = level.size();
    if (had >= size) continue;
    level.resize(size);
    for (std::size_t j = had; j < size; ++j) level[j] = kFreeStream * p.lp.ccmu(3, static_cast<int>(j) + 1) /
                                                        p.lp.ccro(3, static_cast<int>(j) + 1);
  }
  for (std::vector<double>* v : {&a_, &b_, &c_, &r_})
    if (v->size() < size) v->resize(size);
}

void SpalartAllmaras::eddy_viscosity(Pass& p, double relax) const {
  LayerProfiles& lp = p.lp;
  const DifferenceWeights& w = p.ms.w;
  const std::vector<double>& n = n_[2];
  const int np = p.sd.NP;
  for (int j = 1; j <= np; ++j) {
    const double chi = n[static_cast<std::size_t>(j - 1)] * lp.ccro(3, j) / lp.ccmu(3, j);
    // Outside the layer the model's eddy viscosity falls to the free
    // stream's, and the normal grid's steps grow large there; the box
    // scheme's trapezoidal rule then lets the outward flow -df/dx carry an
    // undamped saw-tooth into u unless the cell Peclet number
    // |df/dx| deta / (2 (1 + b) mu) stays below 1.  The floor acts where
    // the profile is uniform (u = ue) and leaves the layer's integrals as
    // they are.
    const double step = j < np ? std::max(lp.deta(j), j > 1 ? lp.deta(j - 1) : 0.0) : lp.deta(j - 1);
    const double fx = w.c3 * lp.f(3, j) + w.c2 * lp.f(2, j) + w.c1 * lp.f(1, j);
    const double floor = 0.5 * std::fabs(fx) * step / lp.ccmu(3, j) - 1.0;
    const double b = std::max(chi * sa_fv1(chi), floor);
    lp.b(3, j) += relax * (b - lp.b(3, j));
  }
}

void SpalartAllmaras::start_station(Pass& p, int P, bool first) {
  const int np = p.sd.NP;
  if (first) {
    // The algebraic model's eddy viscosity of the station's first guess,
    // nu~ from it through fv1, on every level: the turbulence the model
    // carries on from here.
    for (std::vector<double>& level : n_) level.clear();
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
  eddy_viscosity(p, 1.0);
}

void SpalartAllmaras::advance(Pass& p, int P) {
  if (n_[2].empty()) return;  // still laminar
  n_[0].swap(n_[1]);
  n_[1] = n_[2];
  // First guess of station P: the last two profiles carried on linearly in
  // x (the eddy viscosity's change from the guess is what the iterations
  // relax away), never below zero.
  const double t = (p.st.x(P) - p.st.x(P - 1)) / (p.st.x(P - 1) - p.st.x(P - 2));
  const std::size_t m = std::min(n_[0].size(), n_[2].size());
  for (std::size_t k = 0; k + 1 < m; ++k) n_[2][k] = std::max(0.0, n_[1][k] + t * (n_[1][k] - n_[0][k]));
}

double SpalartAllmaras::after_update(Pass& p, int P) {
  const LayerProfiles& lp = p.lp;
  const DifferenceWeights& w = p.ms.w;
  const int np = p.sd.NP;
  fit(p, np);
  const std::vector<double>& n1 = n_[0];
  const std::vector<double>& n2 = n_[1];
  std::vector<double>& n = n_[2];
  const double sqre = p.sd.SQRE;
  const bool wake = wake_station(p, P);
  // Behind the trailing edge the nearest wall is the edge itself.
  const double behind = wake ? (p.st.x(P) - p.st.x(p.surface.wall_nodes)) * sqre / p.sd.LREF : 0.0;

  // Point j at vector index k = j - 1.  The wall (n = 0) and the outer
  // edge (the free stream) are fixed; on the centre line the profile is
  // mirrored (n(0) = n(2)).
  const int lo = wake ? 0 : 1;
  const int hi = np - 2;
  if (hi < lo) return 0.0;  // no point between the fixed ones
  double largest = 0.0;
  for (int k = lo; k <= hi; ++k) {
    const int j = k + 1;
    const double rho = lp.ccro(3, j);
    const double nu_m = lp.ccmu(3, j) / rho;
    const double u_plus = std::max(lp.u(3, j), 0.0);
    const double v_eta = -(w.c3 * lp.f(3, j) + w.c2 * lp.f(2, j) + w.c1 * lp.f(1, j)) / rho;
    const double eta = lp.eta(j);
    const double d = wake ? std::sqrt(behind * behind + eta * eta) : eta;

    // Neighbours, the centre line's mirrored; face viscosities and steps.
    const double n_m = k > 0 ? n[k - 1] : n[k + 1];
    const double n_p = n[k + 1];
    const double nu_mm = k > 0 ? lp.ccmu(3, j - 1) / lp.ccro(3, j - 1) : lp.ccmu(3, j + 1) / lp.ccro(3, j + 1);
    const double nu_mp = lp.ccmu(3, j + 1) / lp.ccro(3, j + 1);
    const double dp = lp.deta(j);
    const double dm = k > 0 ? lp.deta(j - 1) : dp;
    const double h = 0.5 * (dp + dm);
    const double visc_p = 0.5 * (nu_m + n[k] + nu_mp + n_p) / kSigma;
    const double visc_m = 0.5 * (nu_m + n[k] + nu_mm + n_m) / kSigma;
    const double kp = visc_p / (dp * h), km = visc_m / (dm * h);
    const double slope_c = (n_p - n_m) / (dp + dm);

    // The residual: convection along the surface (three-level backward
    // difference) and across the layer (upwind), the source, the diffusion
    // and the cb2 term (central).
    const double up = v_eta > 0.0 ? (n[k] - n_m) / dm : (n_p - n[k]) / dp;
    const Source s = source(n[k], nu_m, sqre * std::fabs(lp.v(3, j)), d);
    const double residual = u_plus * (w.c3 * n[k] + w.c2 * n2[k] + w.c1 * n1[k]) + v_eta * up - s.value -
                            (kp * (n_p - n[k]) - km * (n[k] - n_m)) - kCb2 / kSigma * slope_c * slope_c;

    // Its Jacobian, the diffusion coefficients held: the source's slope,
    // the upwind convection, the cb2 term's 2 cb2/sigma dn/deta d(dn)/deta.
    double am = -km, bm = u_plus * w.c3 + kp + km - s.slope, cm = -kp;
    if (v_eta > 0.0) {
      am -= v_eta / dm;
      bm += v_eta / dm;
    } else {
      cm += v_eta / dp;
      bm -= v_eta / dp;
    }
    const double g = 2.0 * kCb2 / kSigma * slope_c / (dp + dm);
    am += g;
    cm -= g;
    if (k == 0) {  // the mirror point is point 2
      cm += am;
      am = 0.0;
    }
    a_[k] = am;
    b_[k] = bm;
    c_[k] = cm;
    r_[k] = -residual;
  }
  solve_tridiagonal(a_, b_, c_, r_, lo, hi);
  double change = 0.0;
  for (int k = lo; k <= hi; ++k) {
    const double updated = std::max(n[k] + r_[k], 0.0);
    change = std::max(change, std::fabs(updated - n[k]));
    n[k] = updated;
    largest = std::max(largest, updated);
  }
  eddy_viscosity(p, kRelaxation);
  return largest > 0.0 ? change / largest : 0.0;
}

}  // namespace bl
