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
// viscosity bb and its normal derivative.
void update_properties(Pass& p, int P) {
  WorkArrays& wa = p.wa;
  SolverScalars& sd = p.sd;
  const int np = sd.NP;
  const double ue3 = wa.u(3, np);
  const double m2 = kHalfGammaMinus1 * (wa.eme(P) * wa.eme(P));
  SutherlandPower t15;
  for (int j = 1; j <= np; ++j) {
    const double t = layer_state(wa, P, j, ue3, m2);
    wa.ccmu(3, j) = wa.ccro(3, j) * kSutherlandC * t15(t) / (t + kSutherlandS) / wa.emue(P);
    wa.bb(j) = (1.0 + wa.b(3, j)) * wa.ccmu(3, j);
  }
  // d(bb)/deta: one-sided at wall and edge, central in between.
  wa.bbt(1) = (wa.bb(2) - wa.bb(1)) / wa.deta(1);
  for (int j = 2; j <= np - 1; ++j)
    wa.bbt(j) = (wa.bb(j + 1) - wa.bb(j - 1)) / (wa.deta(j) + wa.deta(j - 1));
  wa.bbt(np) = (wa.bb(np) - wa.bb(np - 1)) / wa.deta(np - 1);
}

// Coefficient rows of the box equation r over (k0, k1) with half width a:
// the residual q(k1) - q(k0) - a (qp(k1) + qp(k0)) differentiated with
// respect to the variables of k0 (into `l`) and of k1 (into `rt`).
inline void box_row(int r, int k0, int k1, double a, const Blocks<double>& dq, const Blocks<double>& dqp,
                    BlockView<double> l, BlockView<double> rt) {
  const auto q0 = dq[k0], qp0 = dqp[k0];
  const auto q1 = dq[k1], qp1 = dqp[k1];
  for (int c = 1; c <= kNeq; ++c) {
    l(r, c) = -q0(r, c) - a * qp0(r, c);
    rt(r, c) = q1(r, c) - a * qp1(r, c);
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

    // Jacobians, each element written once:
    //   dq  = [1 0 0; 0 1 0; 0 0 bb],
    //   dqp = [0 rho 0; 0 0 1; -c3 v  rho (du/dx + c3 u+)  -df/dx].
    const auto dq = DQ[j], dqp = DQP[j];
    dq(1, 1) = 1.0, dq(1, 2) = 0.0, dq(1, 3) = 0.0;
    dq(2, 1) = 0.0, dq(2, 2) = 1.0, dq(2, 3) = 0.0;
    dq(3, 1) = 0.0, dq(3, 2) = 0.0, dq(3, 3) = wa.bb(j);
    dqp(1, 1) = 0.0, dqp(1, 2) = rho, dqp(1, 3) = 0.0;
    dqp(2, 1) = 0.0, dqp(2, 2) = 0.0, dqp(2, 3) = 1.0;
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

  const Blocks DQ(ca.dqdx), DQP(ca.dqpdx), A(ca.amat), B(ca.bmat), C(ca.cmat);
  const Vectors R(ca.rvec), RQ(ca.rq);
  // Rows 1 and 2 of block j: the first two box equations of (j-1, j).
  for (int j = 2; j <= np; ++j) {
    for (int r = 1; r <= 2; ++r) {
      box_row(r, j - 1, j, wa.aa(j), DQ, DQP, A[j], B[j]);
      zero_row(C[j], r);
      R[j](r) = RQ[j](r);
    }
  }
  // Row 3 of block j: the shear equation of (j, j+1).
  for (int j = 1; j <= np - 1; ++j) {
    zero_row(A[j], 3);
    box_row(3, j, j + 1, wa.aa(j + 1), DQ, DQP, B[j], C[j]);
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
    // pressure-gradient change.
    for (int j = 1; j <= np; ++j) {
      ca.eyvec(1, j) = 0.0;
      ca.eyvec(2, j) = 0.0;
    }
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
