// Box-scheme residuals, Jacobians, Newton system and profile updates.
#include "core/box_scheme.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/block_solver.h"
#include "core/block_view.h"
#include "setup/gas.h"
#include "setup/layer_gas.h"
#include "march/pass.h"

namespace bl {

namespace {

// Gas properties across the layer at station P, then the effective
// viscosity bb.  At a zero edge Mach number the temperature is the edge
// temperature at every grid point (T/Te = 1 exactly), so density and
// viscosity ratios are those of the edge, formed once.
void update_properties(Pass& p, int P) {
  WorkArrays& wa = p.wa;
  const int np = p.sd.NP;
  const double ue3 = wa.u(3, np);
  const double m2 = kHalfGammaMinus1 * (wa.eme(P) * wa.eme(P));
  SutherlandPower t15;
  if (m2 == 0.0) {
    const double t = wa.te(P), rho = wa.roe8(P);
    const double mu = rho * kSutherlandC * t15(t) / (t + kSutherlandS) / wa.emue(P);
    for (int j = 1; j <= np; ++j) {
      wa.tte(j) = 1.0;
      wa.ccro(3, j) = rho;
      wa.ccmu(3, j) = mu;
      wa.bb(j) = (1.0 + wa.b(3, j)) * mu;
    }
    return;
  }
  for (int j = 1; j <= np; ++j) {
    const double t = layer_state(wa, P, j, ue3, m2);
    wa.ccmu(3, j) = wa.ccro(3, j) * kSutherlandC * t15(t) / (t + kSutherlandS) / wa.emue(P);
    wa.bb(j) = (1.0 + wa.b(3, j)) * wa.ccmu(3, j);
  }
}

inline void zero_row(BlockView<double> b, int r) {
  for (int c = 1; c <= kNeq; ++c) b(r, c) = 0.0;
}

// A row that fixes one variable: -d(var) = rhs.
void pin_row(CoreArrays& ca, int r, int var, int j, double diag, double rhs) {
  zero_row(block(ca.amat, j), r);
  zero_row(block(ca.bmat, j), r);
  zero_row(block(ca.cmat, j), r);
  ca.bmat(r, var, j) = diag;
  ca.rvec(r, j) = rhs;
}

// Adds the corrections to the current-station profiles.
void apply_corrections(Pass& p) {
  WorkArrays& wa = p.wa;
  SolverScalars& sd = p.sd;
  for (int j = 1; j <= sd.NP; ++j) {
    wa.f(3, j) = wa.f(3, j) + wa.df(j);
    wa.u(3, j) = wa.u(3, j) + wa.du(j);
    wa.v(3, j) = wa.v(3, j) + wa.dv(j);
  }
}

}  // namespace

void box_fluxes(Pass& p, int P, double dpdx) {
  WorkArrays& wa = p.wa;
  CoreArrays& ca = p.ca;
  SolverScalars& sd = p.sd;
  MarchState& ms = p.ms;
  BoxState& bx = p.bx;
  const int np = sd.NP;
  const double c1 = ms.c1, c2 = ms.c2, c3 = ms.c3;

  // Properties are refreshed once per iteration and then held fixed: they
  // do not enter the Jacobians.
  update_properties(p, P);

  const Blocks DQ(ca.dqdx), DQP(ca.dqpdx);
  const Vectors Q(ca.q), QP(ca.qp), RQ(ca.rq);
  double dudx = 0.0, rho = 0.0;
  for (int j = 1; j <= np; ++j) {
    const double f1 = wa.f(1, j), f2 = wa.f(2, j), f3 = wa.f(3, j);
    const double u1 = wa.u(1, j), u2 = wa.u(2, j), u3 = wa.u(3, j);
    const double vc = wa.v(3, j);
    rho = wa.ccro(3, j);

    // In reversed flow the convective term loses its current-station
    // velocity (u+ = 0) in both factors; the continuity flux keeps u3.
    const double u_plus = std::max(u3, 0.0);
    dudx = c3 * u_plus + c2 * u2 + c1 * u1;
    const double fx = c3 * f3 + c2 * f2 + c1 * f1;

    const auto q = Q[j], qp = QP[j];
    q(1) = f3;
    q(2) = u3;
    q(3) = wa.bb(j) * vc;
    qp(1) = rho * u3;
    qp(2) = vc;
    qp(3) = dudx * rho * u_plus - fx * vc + dpdx;

    // Jacobians
    //   dq  = [1 0 0; 0 1 0; 0 0 bb],
    //   dqp = [0 rho 0; 0 0 1; -c3 v  rho (du/dx + c3 u+)  -df/dx].
    // Their zeros are those the arrays were acquired with (nothing else
    // writes them); the rest is written at every iteration.
    const auto dq = DQ[j], dqp = DQP[j];
    dq(1, 1) = 1.0, dq(2, 2) = 1.0, dq(3, 3) = wa.bb(j);
    dqp(1, 2) = rho, dqp(2, 3) = 1.0;
    dqp(3, 1) = -c3 * vc;
    dqp(3, 2) = rho * (dudx + c3 * u_plus);  // rho dudx in reversed flow, not 0
    dqp(3, 3) = -fx;

    if (j == 1) bx.fx_wall = fx;
  }

  // Box residuals: trapezoidal rule for dq/deta = qp over (j-1, j).
  for (int j = 2; j <= np; ++j) {
    const auto q1 = Q[j], q0 = Q[j - 1], qp1 = QP[j], qp0 = QP[j - 1], rq = RQ[j];
    for (int r = 1; r <= 3; ++r) rq(r) = -(q1(r) - q0(r) - wa.aa(j) * (qp1(r) + qp0(r)));
  }

  // Momentum balance at the edge, where the shear has vanished:
  // rho ue due/dx + dpdx = 0, with the unclipped edge velocity.
  const double ue3 = wa.u(3, np);
  bx.res_edge = -(dudx * rho * ue3 + dpdx);
  bx.dres_edge = rho * (dudx + c3 * ue3);
}

void box_system(Pass& p, int P) {
  WorkArrays& wa = p.wa;
  CoreArrays& ca = p.ca;
  SolverScalars& sd = p.sd;
  MarchState& ms = p.ms;
  BoxState& bx = p.bx;
  const int np = sd.NP;
  const double c3 = ms.c3;
  const bool inverse = wa.x(P) > sd.XINV;

  // Wall: df/dx = -rho vw (mass transfer through the wall) and u = uw.
  pin_row(ca, 1, 1, 1, -1.0, (bx.fx_wall + wa.vww(P) * wa.ccro(3, 1)) / c3);
  pin_row(ca, 2, 2, 1, -1.0, wa.u(3, 1) - wa.uww(P));

  // Each box row is q(k1) - q(k0) - a (qp(k1) + qp(k0)) differentiated
  // with respect to the variables of k0 and of k1, written out for the
  // Jacobians of box_fluxes:
  //   dq  = [1 0 0; 0 1 0; 0 0 bb],  dqp = [0 rho 0; 0 0 1; j31 j32 j33].
  // (The zero terms are kept where they set the sign of a zero.)  The zero
  // rows of the structure (the third of A_j, the first two of C_j) keep
  // the zeros the arrays were acquired with: only the rows that pin a
  // variable at the wall and the edge write zeros over other rows.
  const Blocks DQ(ca.dqdx), DQP(ca.dqpdx), A(ca.amat), B(ca.bmat), C(ca.cmat);
  const Vectors R(ca.rvec), RQ(ca.rq);
  // Rows 1 and 2 of block j: the continuity and shear-definition boxes of
  // (j-1, j), f' = rho u and u' = v.
  for (int j = 2; j <= np; ++j) {
    const double a = wa.aa(j);
    const auto Aj = A[j], Bj = B[j];
    Aj(1, 1) = -1.0, Aj(1, 2) = -0.0 - a * DQP[j - 1](1, 2), Aj(1, 3) = -0.0;
    Bj(1, 1) = 1.0, Bj(1, 2) = 0.0 - a * DQP[j](1, 2), Bj(1, 3) = 0.0;
    Aj(2, 1) = -0.0, Aj(2, 2) = -1.0, Aj(2, 3) = -0.0 - a;
    Bj(2, 1) = 0.0, Bj(2, 2) = 1.0, Bj(2, 3) = 0.0 - a;
    R[j](1) = RQ[j](1);
    R[j](2) = RQ[j](2);
  }
  // Row 3 of block j: the momentum box of (j, j+1).
  for (int j = 1; j <= np - 1; ++j) {
    const double a = wa.aa(j + 1);
    const auto q0 = DQP[j], q1 = DQP[j + 1];
    const auto Bj = B[j], Cj = C[j];
    Bj(3, 1) = -0.0 - a * q0(3, 1);
    Bj(3, 2) = -0.0 - a * q0(3, 2);
    Bj(3, 3) = -DQ[j](3, 3) - a * q0(3, 3);
    Cj(3, 1) = 0.0 - a * q1(3, 1);
    Cj(3, 2) = 0.0 - a * q1(3, 2);
    Cj(3, 3) = DQ[j + 1](3, 3) - a * q1(3, 3);
    R[j](3) = RQ[j + 1](3);
  }

  // Edge: the edge velocity is prescribed (direct), or the linearised
  // momentum balance at the edge holds (inverse).
  if (!inverse) {
    pin_row(ca, 3, 2, np, -1.0, wa.u(3, np) - wa.ue(P));
  } else {
    const double two_a = 2.0 * wa.aa(np);
    pin_row(ca, 3, 2, np, -(two_a * bx.dres_edge), two_a * bx.res_edge);

    // d(rvec)/d(dpdx): dpdx enters both qp(3) values of every shear box,
    // and in the edge row ties the edge-velocity correction to the
    // pressure-gradient change.  It does not enter the continuity and
    // shear-definition rows: rows 1 and 2 keep the zeros the array was
    // acquired with (nothing else writes them).
    for (int j = 1; j <= np - 1; ++j) ca.eyvec(3, j) = 2.0 * wa.aa(j + 1);
    ca.eyvec(3, np) = two_a;
  }
}

void newton_update(Pass& p, const Alloc2<double>& xvec) {
  WorkArrays& wa = p.wa;
  SolverScalars& sd = p.sd;
  for (int j = 1; j <= sd.NP; ++j) {
    wa.df(j) = xvec(1, j);
    wa.du(j) = xvec(2, j);
    wa.dv(j) = xvec(3, j);
  }
  apply_corrections(p);
}

Status inverse_update(Pass& p, double cf_bc, const Alloc2<double>& xvec, const Alloc2<double>& yvec,
                      int P) {
  WorkArrays& wa = p.wa;
  SolverScalars& sd = p.sd;
  // Wall shear after the update: ccmu (v + xvec(3,1) + lambda yvec(3,1)) = cf/2.
  const double lambda = (cf_bc * 0.5 / wa.ccmu(3, 1) - wa.v(3, 1) - xvec(3, 1)) / yvec(3, 1);
  if (!std::isfinite(lambda)) {
    return Status::failure("station " + std::to_string(P) +
                           ": no finite pressure-gradient change meets the prescribed skin "
                           "friction (the wall shear does not respond to it)");
  }
  for (int j = 1; j <= sd.NP; ++j) {
    wa.df(j) = xvec(1, j) + lambda * yvec(1, j);
    wa.du(j) = xvec(2, j) + lambda * yvec(2, j);
    wa.dv(j) = xvec(3, j) + lambda * yvec(3, j);
  }
  apply_corrections(p);
  return Status{};
}

}  // namespace bl
