// Integral quantities of a converged station.
#pragma once

namespace bl {

struct Pass;

// Integral results of station NX from its converged profile at level K
// (the driver passes 3).  With ue = ue(NX), rho8e = roe8(NX) and the
// computational coordinate eta (dy = deta / sqrt(Re) in units of LREF):
//   S = int rho u^2 deta,  L = f(NP) - f(1) = int rho u deta
//   (from the wall, or in the wake from the centre line, where u(1) is not 0)
//   momentum thickness      d2b = LREF (L - S/ue) / (ue rho8e sqrt(Re))
//   displacement thickness  d1_bc = eta(NP) - L/(ue rho8e),  d1b = LREF d1_bc / sqrt(Re)
//   wall shear parameter    cf_bc = 2 v(1) ccmu(1),  cfb = cf_bc / (rho8e sqrt(Re) ue^2)
//                           (both 0 in the wake)
//   transpiration quantity  rv_bc = d(d1_bc roe8 ue)/dx,  rov = roe rv_bc / sqrt(Re) U8
//   shape factor h12, Reynolds numbers rtheta and rdels, and vww = d f(wall)/dx.
// The x-derivatives use the difference weights c1, c2, c3 of the station.
// Writes d1_bc, d1b, d2b, h12, rtheta, rdels, cf_bc, cfb, rv_bc, rov, vww
// of station NX.
void bl_params(Pass& p, int NX, int K);

}  // namespace bl
