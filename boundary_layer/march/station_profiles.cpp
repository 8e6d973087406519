// Station profiles: difference weights, start from the similarity profile, edge growth, level shift.
#include "march/station_profiles.h"

#include <cmath>

#include "core/gas.h"
#include "core/layer_gas.h"
#include "march/pass.h"
#include "setup/turbulent_start.h"

namespace bl {

namespace {

// Shear at the outer edge below which the layer counts as closed.
constexpr double kEdgeShear = 0.0001f;

constexpr int kLevels = LayerProfiles::kLevels;

}  // namespace

// Difference weights of dq/dx = c1 q(P-2) + c2 q(P-1) + c3 q(P): two-point
// at the first marched station, three-point (second order on an uneven
// grid) afterwards.
void difference_weights(Pass& p, int P) {
  const StationArrays& st = p.st;
  MarchState& ms = p.ms;
  if (P == 3) {
    ms.w.c3 = 1.0 / (st.x(3) - st.x(2));
    ms.w.c2 = -ms.w.c3;
    ms.w.c1 = 0.0;
    return;
  }
  const double d1 = st.x(P) - st.x(P - 1);
  const double d2 = st.x(P - 1) - st.x(P - 2);
  ms.w.c3 = (2.0 * d1 + d2) / (d1 * (d1 + d2));
  ms.w.c2 = -(d1 + d2) / (d1 * d2);
  ms.w.c1 = d1 / (d2 * (d1 + d2));
}

double edge_pressure_gradient(Pass& p, int P) {
  StationArrays& st = p.st;
  const MarchState& ms = p.ms;
  const double due_dx = ms.w.c3 * st.ue(P) + ms.w.c2 * st.ue(P - 1) + ms.w.c1 * st.ue(P - 2);
  st.dpdx(P) = -st.roe8(P) * st.ue(P) * due_dx;
  return due_dx;
}

void start_prof(Pass& p, int NX, int K) {
  StationArrays& st = p.st;
  LayerProfiles& lp = p.lp;
  SolverScalars& sd = p.sd;
  const StartingProfile& sp = p.sp;
  const double c = std::sqrt(st.x(NX) / st.ue(NX));
  const double ue = st.ue(NX);

  // Gas properties: total enthalpy constant across the layer, so
  // T/Te = 1 + (gamma-1)/2 Me^2 (1 - (u/ue)^2) and rho/rhoe = Te/T.
  for (int j = 1; j <= sd.NP; ++j) {
    const double tau = 1.0 + kHalfGammaMinus1 * (st.eme(NX) * st.eme(NX)) * (1.0 - sp.u_s(j) * sp.u_s(j));
    const double t = tau * st.te(NX);
    lp.tte(j) = tau;
    lp.ccro(K, j) = st.roe8(NX) / tau;
    lp.ccmu(K, j) = sutherland(t) / st.emue(NX) * st.emue8(NX) / st.roe8(NX);
    lp.b(K, j) = 0.0;
  }

  // Normal grid of the march: the similarity grid stretched by c.
  lp.eta(1) = 0.0;
  for (int i = 2; i <= kMaxGridPoints; ++i) {
    lp.deta(i - 1) = c * sp.deta_s(i - 1);
    lp.eta(i) = lp.eta(i - 1) + lp.deta(i - 1);
    lp.aa(i) = 0.5 * lp.deta(i - 1);
  }

  for (int j = 1; j <= sd.NP; ++j) {
    lp.f(K, j) = c * ue * sp.f_s(j);
    lp.u(K, j) = ue * sp.u_s(j);
    lp.v(K, j) = ue * sp.v_s(j) / c;
  }
}

Status start_turbulent_prof(Pass& p) {
  StationArrays& st = p.st;
  LayerProfiles& lp = p.lp;
  SolverScalars& sd = p.sd;
  const LayerStart& given = *p.surface.start;
  const double ue = st.ue(2);
  // Re_theta and the wall unit of the normal coordinate: y+ = eta ypf.
  const double per_length = st.roe(2) * sd.U8 / st.emue(2);  // ue/nu per unit velocity and length
  const double re_theta = ue * given.theta * sd.LREF * per_length;
  CompositeProfile c;
  const Status fitted = composite_profile(re_theta, given.h, c);
  if (!fitted.ok) return fitted;
  const double u_tau = ue / c.ue_plus;
  const double ypf = sd.LREF / sd.SQRE * u_tau * per_length;

  lp.eta(1) = 0.0;
  double step = 0.5 / ypf;
  int np = kMaxGridPoints;
  for (int i = 2; i <= kMaxGridPoints; ++i) {
    lp.deta(i - 1) = step;
    lp.eta(i) = lp.eta(i - 1) + step;
    lp.aa(i) = 0.5 * step;
    step *= sd.VLBL;
    if (np == kMaxGridPoints && lp.eta(i) * ypf >= 1.2 * c.delta_plus) np = i;
  }
  if (np > sd.NP) {
    lp.extend(np);
    p.ca.extend(np);
  }
  sd.NP = np;

  for (int j = 1; j <= np; ++j) {
    const double t = st.te(2);
    lp.tte(j) = 1.0;
    const double yp = lp.eta(j) * ypf;
    for (int k = 1; k <= kLevels; ++k) {
      const double uk = k == 3 ? st.ue(3) : ue;
      lp.ccro(k, j) = st.roe8(2);
      lp.ccmu(k, j) = sutherland(t) / st.emue(2) * st.emue8(2) / st.roe8(2);
      lp.b(k, j) = 0.0;
      lp.u(k, j) = uk * c.u(yp);
      lp.v(k, j) = uk * c.du(yp) * ypf;
      lp.f(k, j) = j == 1 ? 0.0 : lp.f(k, j - 1) + lp.aa(j) * lp.ccro(k, j) * (lp.u(k, j - 1) + lp.u(k, j));
    }
  }

  // Station 2 as given.
  st.d2b(2) = given.theta;
  st.d1b(2) = given.theta * given.h;
  st.h12(2) = given.h;
  st.rtheta(2) = re_theta;
  st.d1_bc(2) = st.d1b(2) * sd.SQRE / sd.LREF;
  st.cfb(2) = 2.0 / (c.ue_plus * c.ue_plus);
  st.cf_bc(2) = st.cfb(2) * st.roe8(2) * sd.SQRE * ue * ue;
  p.ms.turbulent_start = true;
  return Status{};
}

namespace {

// Two more grid points beyond the outer edge at every level: uniform flow
// there, no shear, df/deta = rho u.
void add_edge_points(Pass& p) {
  LayerProfiles& lp = p.lp;
  SolverScalars& sd = p.sd;
  const int n = sd.NP;
  p.lp.extend(n + kEdgeGrowth);
  p.ca.extend(n + kEdgeGrowth);
  for (int k = 1; k <= kLevels; ++k) {
    for (int m = n + 1; m <= n + kEdgeGrowth; ++m) {
      lp.b(k, m) = lp.b(k, n);
      lp.ccro(k, m) = lp.ccro(k, n);
      lp.ccmu(k, m) = lp.ccmu(k, n);
      lp.u(k, m) = lp.u(k, n);
      lp.v(k, m) = 0.0;
      lp.f(k, m) = lp.f(k, n) + lp.u(k, n) * lp.ccro(k, n) * (lp.eta(m) - lp.eta(n));
    }
  }
  for (int m = n + 1; m <= n + kEdgeGrowth; ++m) {
    lp.tte(m) = lp.tte(n);
    lp.bb(m) = lp.bb(n);
  }
  sd.NP = n + kEdgeGrowth;
}

}  // namespace

void grow_edge(Pass& p, int& grown) {
  MarchState& ms = p.ms;
  const int n = p.sd.NP;
  grown = 0;
  if (std::fabs(p.lp.v(3, n)) <= kEdgeShear) return;
  if (n + kEdgeGrowth > kMaxGridPoints) {
    if (ms.edge_limited == 0) ms.edge_limited = ms.NX;
    return;
  }
  grown = 1;
  add_edge_points(p);
}

void widen_grid(Pass& p, int points) {
  while (p.sd.NP < points && p.sd.NP + kEdgeGrowth <= kMaxGridPoints) add_edge_points(p);
}

void shift_levels(Pass& p, int NX) {
  StationArrays& st = p.st;
  LayerProfiles& lp = p.lp;
  SolverScalars& sd = p.sd;
  const int np = sd.NP;
  const auto levels = lp.levels();
  for (int j = 1; j <= np; ++j) {
    for (Alloc2<double>* a : levels) {
      (*a)(1, j) = (*a)(2, j);
      (*a)(2, j) = (*a)(3, j);
    }
  }

  // First guess: the last profile with the new edge velocity (the profile
  // shape changes little from one station to the next).
  const double r = st.ue(NX) / st.ue(NX - 1);
  for (int j = 1; j <= np; ++j) {
    lp.f(3, j) = lp.f(3, j) * r;
    lp.u(3, j) = lp.u(3, j) * r;
    lp.v(3, j) = lp.v(3, j) * r;
  }

  const double ue3 = lp.u(3, np);
  const double mf = kHalfGammaMinus1 * (st.eme(NX) * st.eme(NX));
  SutherlandPower t15;
  for (int j = 1; j <= np; ++j) {
    const double t = layer_state(lp, j, ue3, mf, st.roe8(NX), st.te(NX));
    lp.ccmu(3, j) = sutherland(t, t15) * lp.ccro(3, j) / st.emue(NX);
  }
}

}  // namespace bl
