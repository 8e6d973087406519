// Station profiles: difference weights, start from the similarity profile, edge growth, level shift.
#include "march/station_profiles.h"

#include <cmath>

#include "setup/gas.h"
#include "setup/layer_gas.h"
#include "march/pass.h"

namespace bl {

namespace {

// Shear at the outer edge below which the layer counts as closed.
constexpr double kEdgeShear = 0.0001f;

constexpr int kLevels = 3;

}  // namespace

// Difference weights of dq/dx = c1 q(P-2) + c2 q(P-1) + c3 q(P): two-point
// at the first marched station, three-point (second order on an uneven
// grid) afterwards.
void difference_weights(Pass& p, int P) {
  const WorkArrays& wa = p.wa;
  MarchState& ms = p.ms;
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

double edge_pressure_gradient(Pass& p, int P) {
  WorkArrays& wa = p.wa;
  const MarchState& ms = p.ms;
  const double due_dx = ms.c3 * wa.ue(P) + ms.c2 * wa.ue(P - 1) + ms.c1 * wa.ue(P - 2);
  wa.dpdx(P) = -wa.roe8(P) * wa.ue(P) * due_dx;
  return due_dx;
}

void start_prof(Pass& p, int NX, int K) {
  WorkArrays& wa = p.wa;
  SolverScalars& sd = p.sd;
  const StartingProfile& sp = p.sp;
  const double c = std::sqrt(wa.x(NX) / wa.ue(NX));
  const double ue = wa.ue(NX);

  // Gas properties: total enthalpy constant across the layer, so
  // T/Te = 1 + (gamma-1)/2 Me^2 (1 - (u/ue)^2) and rho/rhoe = Te/T.
  for (int j = 1; j <= sd.NP; ++j) {
    const double tau = 1.0 + kHalfGammaMinus1 * (wa.eme(NX) * wa.eme(NX)) * (1.0 - sp.u_s(j) * sp.u_s(j));
    const double t = tau * wa.te(NX);
    wa.tte(j) = tau;
    wa.ccro(K, j) = wa.roe8(NX) / tau;
    wa.ccmu(K, j) = sutherland(t) / wa.emue(NX) * wa.emue8(NX) / wa.roe8(NX);
    wa.b(K, j) = 0.0;
  }

  // Normal grid of the march: the similarity grid stretched by c.
  wa.eta(1) = 0.0;
  for (int i = 2; i <= kMaxGridPoints; ++i) {
    wa.deta(i - 1) = c * sp.deta_s(i - 1);
    wa.eta(i) = wa.eta(i - 1) + wa.deta(i - 1);
    wa.aa(i) = 0.5 * wa.deta(i - 1);
  }

  for (int j = 1; j <= sd.NP; ++j) {
    wa.f(K, j) = c * ue * sp.f_s(j);
    wa.u(K, j) = ue * sp.u_s(j);
    wa.v(K, j) = ue * sp.v_s(j) / c;
  }
}

void grow_edge(Pass& p, int& grown) {
  WorkArrays& wa = p.wa;
  SolverScalars& sd = p.sd;
  MarchState& ms = p.ms;
  grown = 0;
  const int n = sd.NP;
  if (std::fabs(wa.v(3, n)) <= kEdgeShear) return;
  if (n + 2 > kMaxGridPoints) {
    if (ms.edge_limited == 0) ms.edge_limited = ms.NX;
    return;
  }
  grown = 1;
  for (int k = 1; k <= kLevels; ++k) {
    for (int m = n + 1; m <= n + 2; ++m) {
      // Outside the layer: uniform flow, no shear, df/deta = rho u.
      wa.b(k, m) = wa.b(k, n);
      wa.ccro(k, m) = wa.ccro(k, n);
      wa.ccmu(k, m) = wa.ccmu(k, n);
      wa.u(k, m) = wa.u(k, n);
      wa.v(k, m) = 0.0;
      wa.f(k, m) = wa.f(k, n) + wa.u(k, n) * wa.ccro(k, n) * (wa.eta(m) - wa.eta(n));
    }
  }
  for (int m = n + 1; m <= n + 2; ++m) {
    wa.tte(m) = wa.tte(n);
    wa.bb(m) = wa.bb(n);
  }
  sd.NP = n + 2;
}

void shift_levels(Pass& p, int NX) {
  WorkArrays& wa = p.wa;
  SolverScalars& sd = p.sd;
  const int np = sd.NP;
  Alloc2<double>* const levels[] = {&wa.f, &wa.u, &wa.v, &wa.b, &wa.ccro, &wa.ccmu};
  for (int j = 1; j <= np; ++j) {
    for (Alloc2<double>* a : levels) {
      (*a)(1, j) = (*a)(2, j);
      (*a)(2, j) = (*a)(3, j);
    }
  }

  // First guess: the last profile with the new edge velocity (the profile
  // shape changes little from one station to the next).
  const double r = wa.ue(NX) / wa.ue(NX - 1);
  for (int j = 1; j <= np; ++j) {
    wa.f(3, j) = wa.f(3, j) * r;
    wa.u(3, j) = wa.u(3, j) * r;
    wa.v(3, j) = wa.v(3, j) * r;
  }

  const double ue3 = wa.u(3, np);
  const double mf = kHalfGammaMinus1 * (wa.eme(NX) * wa.eme(NX));
  SutherlandPower t15;
  for (int j = 1; j <= np; ++j) {
    const double t = layer_state(wa, NX, j, ue3, mf);
    wa.ccmu(3, j) = sutherland(t, t15) * wa.ccro(3, j) / wa.emue(NX);
  }
}

}  // namespace bl
