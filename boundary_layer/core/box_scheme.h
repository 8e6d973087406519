// The boundary-layer equations at one station, discretised by the box
// scheme, and one Newton iteration on them.
//
// Across the layer the momentum equation is written as a first-order system
// in the normal coordinate eta, three unknowns per grid point:
//   df/deta        = rho u
//   du/deta        = v
//   d(bb v)/deta   = rho u+ du/dx - v df/dx + dpdx
// with rho the density ratio ccro, bb the effective viscosity (molecular
// times 1 + eddy-viscosity ratio), u+ = max(u, 0) (no upstream convection in
// reversed flow) and du/dx, df/dx three-level backward differences in x.
// Between neighbouring points the system is integrated by the trapezoidal
// rule (box scheme); the Newton corrections (df, du, dv) of all points form
// a block-tridiagonal system solved by block_solve.
//
// One iteration at station P, direct mode (x(P) <= XINV, edge velocity
// prescribed):
//   box_fluxes, box_system, block_solve(rvec -> xvec), newton_update
// inverse mode (x(P) > XINV, wall shear prescribed, edge velocity free):
//   box_fluxes, box_system, block_solve(rvec -> xvec),
//   block_solve(eyvec -> yvec), inverse_update
#pragma once

#include "core/farray.h"
#include "core/status.h"

namespace bl {

// Scalars carried from box_fluxes to box_system within one iteration.
struct Pass;

struct BoxState {
  double fx_wall = 0;    // df/dx at the wall
  double res_edge = 0;   // residual of the momentum balance at the edge (no shear)
  double dres_edge = 0;  // its derivative with respect to the edge velocity
};

// Gas properties, fluxes, Jacobians and box residuals of station P from the
// current level-3 profiles (levels 1 and 2 enter the x-differences).
// Reads wa.f, wa.u (levels 1..3), wa.v, wa.b (level 3), the grid wa.deta,
// wa.aa, the station values eme, roe8, te, emue of P, the weights ms.c1..c3,
// sd.NP and the pressure-gradient term dpdx of the station.
// Writes wa.tte, wa.bb, level 3 of wa.ccro and wa.ccmu, ca.q,
// ca.qp, ca.dqdx, ca.dqpdx, ca.rq(., 2..NP) and bx.
void box_fluxes(Pass& p, int P, double dpdx);

// Assembles the Newton system A_j d(j-1) + B_j d(j) + C_j d(j+1) = r(j) of
// station P into ca.amat, ca.bmat, ca.cmat, ca.rvec (every entry of points
// 1..NP), and in the inverse mode (wa.x(P) > sd.XINV) the sensitivity
// right-hand side ca.eyvec.  Requires box_fluxes of the same iteration.
void box_system(Pass& p, int P);

// Direct mode: the corrections are the solution xvec.  Writes wa.df, wa.du,
// wa.dv and adds them to level 3 of f, u, v.  No relaxation, no limit.
void newton_update(Pass& p, const Alloc2<double>& xvec);

// Inverse mode: the corrections xvec + lambda * yvec, with lambda the change
// of the pressure-gradient term for which the wall shear after the update
// meets the prescribed skin friction, ccmu(3,1) v(3,1) = cf_bc / 2.
// Writes wa.df, wa.du, wa.dv and updates level 3 of f, u, v.
// When the wall shear does not respond to the pressure gradient
// (yvec(3,1) = 0) no finite lambda exists: the profiles are left unchanged
// and the returned status names station P.
Status inverse_update(Pass& p, double cf_bc, const Alloc2<double>& xvec, const Alloc2<double>& yvec,
                      int P);

}  // namespace bl
