// Profiles of the three station levels around the Newton iterations of the
// march: start from the stagnation-point similarity solution, growth of the
// normal grid when the layer reaches its outer edge, and the advance of the
// levels from one station to the next.
//
// Level 3 holds the station being computed, level 2 the previous converged
// station, level 1 the one before it.
#pragma once

#include "core/status.h"

namespace bl {

struct Pass;

// Weights of the streamwise backward difference at station P,
//   dq/dx = c1 q(P-2) + c2 q(P-1) + c3 q(P)   (ms.w):
// two-point at the first marched station (P = 3, c1 = 0), three-point,
// second order on an uneven grid, afterwards.
void difference_weights(Pass& p, int P);

// The pressure gradient the edge velocity imposes at station P (direct
// mode): with due/dx = c1 ue(P-2) + c2 ue(P-1) + c3 ue(P) from the weights
// of difference_weights, Bernoulli's -dp/dx = rho_e ue due/dx into
// st.dpdx(P).  Returns due/dx, whose sign tells an adverse gradient.
double edge_pressure_gradient(Pass& p, int P);

// Scales the stagnation-point profile into level K (2 or 3) of station NX.
// Near the stagnation point ue = a x and the layer grows like sqrt(x/ue),
// so with c = sqrt(x(NX)/ue(NX)):
//   eta = c eta_s,  f = c ue f_s,  u = ue u_s,  v = ue v_s / c.
// Writes level K of f, u, v, b (= 0), ccro, ccmu for points 1..NP, tte(1..NP)
// and the whole normal grid eta, deta, aa (all 821 points) with the scale
// of this station.  (The stagnation point is the only start there is.)
void start_prof(Pass& p, int NX, int K);

// Stations 2 and 3 from the turbulent layer surface.start gives at node 2:
// Coles's composite profile with its momentum thickness and shape factor
// (setup/turbulent_start.h) on a grid from y+ = 0.5 at the wall, steps
// growing by Kv, out to 1.2 layer thicknesses; level 2 (and 1) station 2,
// level 3 the first guess of station 3 (the profile scaled by the edge
// velocity).  Station 2's thicknesses, Reynolds number and skin friction
// are those given.  A layer no profile fits is refused.
Status start_turbulent_prof(Pass& p);

// Edge check of the converged station: if the shear v(3, NP) at the outer
// edge still exceeds 1e-4 in magnitude, the layer has not closed inside the
// grid and two points are added on every level (zero shear, the edge
// velocity and properties of the old edge, the stream function continued
// linearly).  grown = 1 and NP += 2 when the grid was extended, else 0.
//
// The grid holds at most 821 points.  When two more points would not fit,
// the grid is left as it is (grown = 0) and ms.edge_limited records the
// first station at which this happened, so the pass can say so.
void grow_edge(Pass& p, int& grown);

// Points grow_edge adds at a time.
constexpr int kEdgeGrowth = 2;

// Widens the grid, kEdgeGrowth points at a time as grow_edge does, until it
// holds at least `points` (or the grid's capacity).
void widen_grid(Pass& p, int points);

// Advances the levels before station NX is computed: level 1 <- 2 <- 3 for
// f, u, v, b, ccro, ccmu, then the first guess of level 3 is the last
// profile scaled by ue(NX)/ue(NX-1), with the gas properties (tte, ccro,
// ccmu level 3) of that guess.  b(3, .) keeps the last eddy viscosity.
void shift_levels(Pass& p, int NX);

}  // namespace bl
