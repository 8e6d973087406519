// The boundary-layer equations at one station, discretised by the box
// scheme, and one Newton iteration on them (box_fluxes, box_system,
// newton_update, inverse_update and conv_max keep the names of the
// scheme's steps, so that the equations below can be followed in them).
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
// The system has the interior box rows and two boundaries, each written by
// a routine of its own:
//   inner boundary (point 1)   the wall: df/dx = -rho vw, u = uw; or in the
//                              wake the centre line, a symmetry line:
//                              f = 0, v = du/deta = 0, u free
//   outer boundary (point NP)  the edge velocity prescribed (direct mode),
//                              or the momentum balance of the edge with the
//                              pressure gradient free (inverse mode)
// and in the inverse mode one scalar closing condition (ClosingCondition:
// a prescribed wall shear, or the interaction law that ties the edge
// velocity to the displacement) fixes the pressure-gradient change of the
// step.
//
// One iteration at a station, direct mode:
//   box_fluxes, box_system, block_solve(rvec -> xvec), newton_update
// inverse mode:
//   box_fluxes, box_system, block_solve(rvec -> xvec, eyvec -> yvec),
//   inverse_update
// then conv_max measures the corrections.
#pragma once

#include "core/block_solver.h"
#include "core/layer_profiles.h"
#include "core/status.h"

namespace bl {

// Streamwise backward difference at the station P being computed:
//   dq/dx = c1 q(P-2) + c2 q(P-1) + c3 q(P)
// (levels 1, 2, 3 of the profiles).  Unit: 1/length.
struct DifferenceWeights {
  double c1 = 0;  // weight of station P-2
  double c2 = 0;  // weight of station P-1
  double c3 = 0;  // weight of station P; non-zero for increasing x
};

// The outer boundary condition of the system.
enum class EdgeCondition {
  velocity,          // u(NP) = ue: the edge velocity is prescribed
  momentum_balance,  // rho ue due/dx + dpdx = 0 at the edge, dpdx free
};

// The inner boundary condition of the system.
enum class InnerCondition {
  wall,         // df/dx = -rho vw (transpiration), u = uw (no slip)
  centre_line,  // f = 0 (no flux across it), v = du/deta = 0, u free: the wake's symmetry line
};

// The state of the station the system is solved at, as the scheme reads it.
struct StationState {
  int station = 0;  // its index along the surface, for messages
  double eme = 0;   // edge Mach number
  double roe8 = 1;  // edge / free-stream density
  double te = 0;    // edge temperature, K
  double emue = 1;  // edge viscosity, the divisor of the viscosity ratio
  double dpdx = 0;  // pressure-gradient term of the momentum equation
  double ue = 0;    // edge velocity prescribed in the direct mode
  double uww = 0;   // wall velocity
  double vww = 0;   // wall transpiration term
};

// Scalars carried from box_fluxes to box_system within one iteration.
struct BoxState {
  double fx_wall = 0;    // df/dx at the wall
  double res_edge = 0;   // residual of the momentum balance at the edge (no shear)
  double dres_edge = 0;  // its derivative with respect to the edge velocity
};

// One station's system: what the Newton iteration works on and nothing
// else.  The profiles and the core's arrays are the pass's; np of their
// points are in use.
struct StationSystem {
  LayerProfiles& lp;
  CoreArrays& ca;
  BoxState& bx;
  int np = 0;
  DifferenceWeights w;
  StationState at;
  EdgeCondition edge = EdgeCondition::velocity;
  InnerCondition inner = InnerCondition::wall;
};

// Gas properties, fluxes, Jacobians and box residuals from the current
// level-3 profiles (levels 1 and 2 enter the x-differences).  Writes
// lp.tte, lp.bb, level 3 of lp.ccro and lp.ccmu, ca.q, ca.qp, ca.dqdx,
// ca.dqpdx, ca.rq(., 2..np) and bx.
void box_fluxes(StationSystem& s);

// Assembles the Newton system A_j d(j-1) + B_j d(j) + C_j d(j+1) = r(j)
// into ca.amat, ca.bmat, ca.cmat, ca.rvec (every entry of points 1..np),
// with the momentum-balance edge also the sensitivity right-hand side
// ca.eyvec.  On the centre line the shear and momentum boxes of the first
// interval trade places (row 2 of block 2, row 3 of block 1), so that
// block 1 holds the free centre-line velocity.  Requires box_fluxes of the
// same iteration.
void box_system(StationSystem& s);

// Direct mode: the corrections are the solution ca.xvec.  Writes lp.df,
// lp.du, lp.dv and adds them to level 3 of f, u, v.  No relaxation, no
// limit.
void newton_update(StationSystem& s);

// The condition that closes a step of the inverse mode: a linear
// combination of the corrections of a few unknowns,
//   sum_k weight_k d(var_k)(point_k) = target,
// var 1 f, 2 u, 3 v at grid point `point`.  With the correction
// xvec + lambda yvec this fixes the pressure-gradient change lambda of the
// step.
struct ClosingTerm {
  int var = 3;
  int point = 1;
  double weight = 1.0;
};

struct ClosingCondition {
  static constexpr int kMaxTerms = 3;
  ClosingTerm term[kMaxTerms];
  int terms = 1;  // in use, from the first
  double target = 0;
  const char* what = "";  // what it meets, for the message when no lambda does

  // The correction of one unknown prescribed.
  static ClosingCondition single(int var, int point, double target, const char* what) {
    ClosingCondition c;
    c.term[0] = ClosingTerm{var, point, 1.0};
    c.target = target;
    c.what = what;
    return c;
  }
};

// The inverse mode's condition: the wall shear after the update meets the
// prescribed skin friction, ccmu(3,1) v(3,1) = cf_bc / 2.
ClosingCondition prescribed_wall_shear(const LayerProfiles& lp, double cf_bc);

// The interaction law ue - k m = T after the update (see interaction_law.h),
// with ue = u(NP) and the mass defect in the scheme's variables,
//   m = u(NP) eta(NP) - (f(NP) - f(1)) / rho_e
// (ue times the displacement thickness eta(NP) - (f(NP) - f(1))/(rho_e ue)
// of the integral quantities); k is the law's own coefficient c(P, P) times
// the length scale of m (LREF / sqrt(Re)).  Linear in the corrections:
//   (1 - k eta(NP)) du(NP) + (k/rho_e) df(NP) - (k/rho_e) df(1) = T - (u - k m).
ClosingCondition interaction_law(const LayerProfiles& lp, int np, double rho_e, double k, double T);

// How far the current profile misses the law: u(NP) - k m - T.
double interaction_law_miss(const LayerProfiles& lp, int np, double rho_e, double k, double T);

// The pressure-gradient change lambda that meets the closing condition with
// the corrections xvec + lambda yvec of the last block solve; not a finite
// number when the condition does not respond to lambda.
double closing_lambda(const CoreArrays& ca, const ClosingCondition& c);

// Inverse mode: the corrections ca.xvec + lambda ca.yvec with lambda from
// the closing condition.  Writes lp.df, lp.du, lp.dv and updates level 3 of
// f, u, v.  When the condition does not respond to lambda (its combination
// of yvec is 0) no finite lambda exists: the profiles are left unchanged
// and the returned status names the station.
Status inverse_update(StationSystem& s, const ClosingCondition& c);

// Largest velocity correction of the last update: dumax = max |du(j)| over
// j = 1..np (0 when np < 1) and jumax its first grid point; jumax keeps its
// value when every correction is zero.
//
// A correction that is not a finite number would never exceed dumax and so
// would pass for convergence: it is a failure instead, and the returned
// status names the grid point.  dumax and jumax are then those of the
// finite corrections.
Status conv_max(const LayerProfiles& lp, int np, double& dumax, int& jumax);

}  // namespace bl
