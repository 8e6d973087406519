// Thicknesses, skin friction and shape factor of a converged station.
#include "march/integral_quantities.h"

#include <cmath>
#include <string>

#include "march/edge_mode.h"
#include "march/pass.h"

namespace bl {

void bl_params(Pass& p, int NX, int K) {
  StationArrays& st = p.st;
  LayerProfiles& lp = p.lp;
  SolverScalars& sd = p.sd;
  MarchState& ms = p.ms;
  const int np = sd.NP;
  const double ue = st.ue(NX);
  const double ro8e = st.roe8(NX);

  // Trapezoidal rule for int rho u^2 deta, from point 1: the wall, where
  // u = 0, or the wake's centre line, where it is not.
  double S = 0.0;
  double g_prev = lp.u(K, 1) * lp.u(K, 1) * lp.ccro(K, 1);
  for (int j = 2; j <= np; ++j) {
    const double g = lp.u(K, j) * lp.u(K, j) * lp.ccro(K, j);
    S = S + lp.aa(j) * (g_prev + g);
    g_prev = g;
  }
  // int rho u deta from the stream function (df/deta = rho u).
  const double L = lp.f(K, np) - lp.f(K, 1);

  st.d2b(NX) = sd.LREF * (L - S / ue) / (ue * ro8e * sd.SQRE);
  st.rtheta(NX) = ue * st.d2b(NX) / st.emue(NX) * st.roe(NX) * sd.U8;
  st.d1_bc(NX) = lp.eta(np) - L / (ue * ro8e);
  st.d1b(NX) = sd.LREF * st.d1_bc(NX) / sd.SQRE;
  st.rdels(NX) = st.roe(NX) * (ue * st.d1b(NX) / st.emue(NX)) * sd.U8;

  // No wall, no wall shear in the wake (its centre line has v = 0).
  const bool wake = wake_station(p, NX);
  st.cf_bc(NX) = wake ? 0.0 : 2.0 * lp.v(K, 1) * lp.ccmu(K, 1);
  st.cfb(NX) = wake ? 0.0 : st.cf_bc(NX) / (ro8e * sd.SQRE * (ue * ue));

  // Growth of the displacement flux rho_e ue delta*: the transpiration
  // velocity an inviscid flow would see at the wall.
  auto Q = [&st](int i) { return st.d1_bc(i) * st.roe8(i) * st.ue(i); };
  st.rv_bc(NX) = ms.w.c1 * Q(NX - 2) + ms.w.c2 * Q(NX - 1) + ms.w.c3 * Q(NX);
  st.rov(NX) = st.roe(NX) * (st.rv_bc(NX) / sd.SQRE) * sd.U8;

  st.h12(NX) = st.d1b(NX) / st.d2b(NX);
  st.vww(NX) = ms.w.c1 * lp.f(1, 1) + ms.w.c2 * lp.f(2, 1) + ms.w.c3 * lp.f(3, 1);
}

}  // namespace bl
