// Thicknesses, skin friction and shape factor of a converged station; the convergence measure.
#include "march/integral_quantities.h"

#include <cmath>
#include <string>

#include "march/pass.h"

namespace bl {

void bl_params(Pass& p, int NX, int K) {
  WorkArrays& wa = p.wa;
  SolverScalars& sd = p.sd;
  MarchState& ms = p.ms;
  const int np = sd.NP;
  const double ue = wa.ue(NX);
  const double ro8e = wa.roe8(NX);

  // Trapezoidal rule for int rho u^2 deta; at the wall u = 0.
  double S = 0.0;
  double g_prev = 0.0;
  for (int j = 2; j <= np; ++j) {
    const double g = wa.u(K, j) * wa.u(K, j) * wa.ccro(K, j);
    S = S + wa.aa(j) * (g_prev + g);
    g_prev = g;
  }
  // int rho u deta from the stream function (df/deta = rho u).
  const double L = wa.f(K, np) - wa.f(K, 1);

  wa.d2b(NX) = sd.LREF * (L - S / ue) / (ue * ro8e * sd.SQRE);
  wa.rtheta(NX) = ue * wa.d2b(NX) / wa.emue(NX) * wa.roe(NX) * sd.U8;
  wa.d1_bc(NX) = wa.eta(np) - L / (ue * ro8e);
  wa.d1b(NX) = sd.LREF * wa.d1_bc(NX) / sd.SQRE;
  wa.rdels(NX) = wa.roe(NX) * (ue * wa.d1b(NX) / wa.emue(NX)) * sd.U8;

  wa.cf_bc(NX) = 2.0 * wa.v(K, 1) * wa.ccmu(K, 1);
  wa.cfb(NX) = wa.cf_bc(NX) / (ro8e * sd.SQRE * (ue * ue));

  // Growth of the displacement flux rho_e ue delta*: the transpiration
  // velocity an inviscid flow would see at the wall.
  auto Q = [&wa](int i) { return wa.d1_bc(i) * wa.roe8(i) * wa.ue(i); };
  wa.rv_bc(NX) = ms.c1 * Q(NX - 2) + ms.c2 * Q(NX - 1) + ms.c3 * Q(NX);
  wa.rov(NX) = wa.roe(NX) * (wa.rv_bc(NX) / sd.SQRE) * sd.U8;

  wa.h12(NX) = wa.d1b(NX) / wa.d2b(NX);
  wa.vww(NX) = ms.c1 * wa.f(1, 1) + ms.c2 * wa.f(2, 1) + ms.c3 * wa.f(3, 1);
}

Status conv_max(Pass& p) {
  WorkArrays& wa = p.wa;
  SolverScalars& sd = p.sd;
  MarchState& ms = p.ms;
  ms.DUmax = 0.0;
  if (sd.NP < 1) return Status{};
  int candidate = 0;
  int bad = 0;
  for (int j = 1; j <= sd.NP; ++j) {
    const double d = std::fabs(wa.du(j));
    if (!std::isfinite(d)) {
      if (bad == 0) bad = j;
      continue;
    }
    if (d > ms.DUmax) {
      ms.DUmax = d;
      candidate = j;
    }
  }
  if (candidate != 0) ms.JUmax = candidate;
  if (bad != 0)
    return Status::failure("the velocity correction at grid point " + std::to_string(bad) +
                           " is not a finite number");
  return Status{};
}

}  // namespace bl
