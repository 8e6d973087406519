// Box-scheme residuals, Jacobians, Newton system, profile updates and the convergence measure.
#include "core/box_scheme.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "core/block_view.h"
#include "core/gas.h"
#include "core/layer_gas.h"

namespace bl {

namespace {

// Gas properties across the layer at station P, then the effective
// viscosity bb.  At a zero edge Mach number the temperature is the edge
// temperature at every grid point (T/Te = 1 exactly), so density and
// viscosity ratios are those of the edge, formed once.
void update_properties(StationSystem& s) {
  LayerProfiles& lp = s.lp;
  const StationState& at = s.at;
  const int np = s.np;
  const double ue3 = lp.u(3, np);
  const double m2 = kHalfGammaMinus1 * (at.eme * at.eme);
  SutherlandPower t15;
  if (m2 == 0.0) {
    const double t = at.te, rho = at.roe8;
    const double mu = rho * kSutherlandC * t15(t) / (t + kSutherlandS) / at.emue;
    for (int j = 1; j <= np; ++j) {
      lp.tte(j) = 1.0;
      lp.ccro(3, j) = rho;
      lp.ccmu(3, j) = mu;
      lp.bb(j) = (1.0 + lp.b(3, j)) * mu;
    }
    return;
  }
  for (int j = 1; j <= np; ++j) {
    const double t = layer_state(lp, j, ue3, m2, at.roe8, at.te);
    lp.ccmu(3, j) = lp.ccro(3, j) * kSutherlandC * t15(t) / (t + kSutherlandS) / at.emue;
    lp.bb(j) = (1.0 + lp.b(3, j)) * lp.ccmu(3, j);
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
void apply_corrections(LayerProfiles& lp, int np) {
  for (int j = 1; j <= np; ++j) {
    lp.f(3, j) = lp.f(3, j) + lp.df(j);
    lp.u(3, j) = lp.u(3, j) + lp.du(j);
    lp.v(3, j) = lp.v(3, j) + lp.dv(j);
  }
}

// Inner boundary, rows 1 and 2 of block 1: the wall, with df/dx = -rho vw
// (mass transfer through the wall) and u = uw; or the wake's centre line,
// a symmetry line with no flux across it (f = 0) and no shear (v = 0),
// where the velocity is found with the profile.
void inner_rows(StationSystem& s) {
  const LayerProfiles& lp = s.lp;
  if (s.inner == InnerCondition::centre_line) {
    pin_row(s.ca, 1, 1, 1, -1.0, lp.f(3, 1));
    pin_row(s.ca, 2, 3, 1, -1.0, lp.v(3, 1));
    return;
  }
  pin_row(s.ca, 1, 1, 1, -1.0, (s.bx.fx_wall + s.at.vww * lp.ccro(3, 1)) / s.w.c3);
  pin_row(s.ca, 2, 2, 1, -1.0, lp.u(3, 1) - s.at.uww);
}

// On the centre line the velocity u(1) is free, and the momentum box of
// the first interval loses its dependence on it where the flow there is
// reversed or still at rest (u+ = 0 and, at the first wake station, the
// wall's u = 0 upstream): block 1 would be singular.  The shear-definition
// box of the first interval, u(2) - u(1) = a (v(1) + v(2)), always holds
// u(1); it takes row 3 of block 1 and the momentum box row 2 of block 2.
// Both rows couple points 1 and 2 alone, so the blocks keep their
// structure (the third row of A_2 and the first two of C_1 stay zero).
void centre_line_rows(StationSystem& s) {
  CoreArrays& ca = s.ca;
  const Blocks A(ca.amat), B(ca.bmat), C(ca.cmat);
  for (int c = 1; c <= kNeq; ++c) {
    std::swap(B[1](3, c), A[2](2, c));
    std::swap(C[1](3, c), B[2](2, c));
  }
  std::swap(ca.rvec(3, 1), ca.rvec(2, 2));
  if (s.edge == EdgeCondition::momentum_balance) {  // dpdx enters the momentum box, not the shear box
    ca.eyvec(2, 2) = ca.eyvec(3, 1);
    ca.eyvec(3, 1) = 0.0;
  }
}

// Outer boundary, row 3 of block NP: the edge velocity is prescribed, or
// the linearised momentum balance at the edge holds with the sensitivity of
// every row to the pressure gradient as the second right-hand side.
void edge_row(StationSystem& s) {
  const LayerProfiles& lp = s.lp;
  CoreArrays& ca = s.ca;
  const int np = s.np;
  if (s.edge == EdgeCondition::velocity) {
    pin_row(ca, 3, 2, np, -1.0, lp.u(3, np) - s.at.ue);
    return;
  }
  const double two_a = 2.0 * lp.aa(np);
  pin_row(ca, 3, 2, np, -(two_a * s.bx.dres_edge), two_a * s.bx.res_edge);

  // d(rvec)/d(dpdx): dpdx enters both qp(3) values of every shear box,
  // and in the edge row ties the edge-velocity correction to the
  // pressure-gradient change.  It does not enter the continuity and
  // shear-definition rows: rows 1 and 2 keep the zeros the array was
  // acquired with (nothing else writes them).
  for (int j = 1; j <= np - 1; ++j) ca.eyvec(3, j) = 2.0 * lp.aa(j + 1);
  ca.eyvec(3, np) = two_a;
}

}  // namespace

void box_fluxes(StationSystem& s) {
  LayerProfiles& lp = s.lp;
  CoreArrays& ca = s.ca;
  BoxState& bx = s.bx;
  const int np = s.np;
  const double c1 = s.w.c1, c2 = s.w.c2, c3 = s.w.c3;
  const double dpdx = s.at.dpdx;

  // Properties are refreshed once per iteration and then held fixed: they
  // do not enter the Jacobians.
  update_properties(s);

  const Blocks DQ(ca.dqdx), DQP(ca.dqpdx);
  const Vectors Q(ca.q), QP(ca.qp), RQ(ca.rq);
  double dudx = 0.0, rho = 0.0;
  for (int j = 1; j <= np; ++j) {
    const double f1 = lp.f(1, j), f2 = lp.f(2, j), f3 = lp.f(3, j);
    const double u1 = lp.u(1, j), u2 = lp.u(2, j), u3 = lp.u(3, j);
    const double vc = lp.v(3, j);
    rho = lp.ccro(3, j);

    // In reversed flow the convective term loses its current-station
    // velocity (u+ = 0) in both factors; the continuity flux keeps u3.
    const double u_plus = std::max(u3, 0.0);
    dudx = c3 * u_plus + c2 * u2 + c1 * u1;
    const double fx = c3 * f3 + c2 * f2 + c1 * f1;

    const auto q = Q[j], qp = QP[j];
    q(1) = f3;
    q(2) = u3;
    q(3) = lp.bb(j) * vc;
    qp(1) = rho * u3;
    qp(2) = vc;
    qp(3) = dudx * rho * u_plus - fx * vc + dpdx;

    // Jacobians
    //   dq  = [1 0 0; 0 1 0; 0 0 bb],
    //   dqp = [0 rho 0; 0 0 1; -c3 v  rho (du/dx + c3 u+)  -df/dx].
    // Their zeros are those the arrays were acquired with (nothing else
    // writes them); the rest is written at every iteration.
    const auto dq = DQ[j], dqp = DQP[j];
    dq(1, 1) = 1.0, dq(2, 2) = 1.0, dq(3, 3) = lp.bb(j);
    dqp(1, 2) = rho, dqp(2, 3) = 1.0;
    dqp(3, 1) = -c3 * vc;
    dqp(3, 2) = rho * (dudx + c3 * u_plus);  // rho dudx in reversed flow, not 0
    dqp(3, 3) = -fx;

    if (j == 1) bx.fx_wall = fx;
  }

  // Box residuals: trapezoidal rule for dq/deta = qp over (j-1, j).
  for (int j = 2; j <= np; ++j) {
    const auto q1 = Q[j], q0 = Q[j - 1], qp1 = QP[j], qp0 = QP[j - 1], rq = RQ[j];
    for (int r = 1; r <= 3; ++r) rq(r) = -(q1(r) - q0(r) - lp.aa(j) * (qp1(r) + qp0(r)));
  }

  // Momentum balance at the edge, where the shear has vanished:
  // rho ue due/dx + dpdx = 0, with the unclipped edge velocity.
  const double ue3 = lp.u(3, np);
  bx.res_edge = -(dudx * rho * ue3 + dpdx);
  bx.dres_edge = rho * (dudx + c3 * ue3);
}

void box_system(StationSystem& s) {
  const LayerProfiles& lp = s.lp;
  CoreArrays& ca = s.ca;
  const int np = s.np;

  inner_rows(s);

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
    const double a = lp.aa(j);
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
    const double a = lp.aa(j + 1);
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

  edge_row(s);
  if (s.inner == InnerCondition::centre_line) centre_line_rows(s);
}

void newton_update(StationSystem& s) {
  LayerProfiles& lp = s.lp;
  const CoreArrays& ca = s.ca;
  for (int j = 1; j <= s.np; ++j) {
    lp.df(j) = ca.xvec(1, j);
    lp.du(j) = ca.xvec(2, j);
    lp.dv(j) = ca.xvec(3, j);
  }
  apply_corrections(lp, s.np);
}

ClosingCondition prescribed_wall_shear(const LayerProfiles& lp, double cf_bc) {
  // Wall shear after the update: ccmu (v + dv(1)) = cf/2.
  return ClosingCondition::single(3, 1, cf_bc * 0.5 / lp.ccmu(3, 1) - lp.v(3, 1),
                                  "the prescribed skin friction (the wall shear does not respond to it)");
}

double interaction_law_miss(const LayerProfiles& lp, int np, double rho_e, double k, double T) {
  const double m = lp.u(3, np) * lp.eta(np) - (lp.f(3, np) - lp.f(3, 1)) / rho_e;
  return lp.u(3, np) - k * m - T;
}

ClosingCondition interaction_law(const LayerProfiles& lp, int np, double rho_e, double k, double T) {
  // (u + du) - k [(u + du) eta - (f(NP) + df(NP) - f(1) - df(1)) / rho_e] = T
  ClosingCondition c;
  const double g = k / rho_e;
  c.term[0] = ClosingTerm{2, np, 1.0 - k * lp.eta(np)};
  c.term[1] = ClosingTerm{1, np, g};
  c.term[2] = ClosingTerm{1, 1, -g};
  c.terms = 3;
  c.target = -interaction_law_miss(lp, np, rho_e, k, T);
  c.what = "the interaction law (the edge velocity does not respond to it)";
  return c;
}

double closing_lambda(const CoreArrays& ca, const ClosingCondition& c) {
  const ClosingTerm& first = c.term[0];
  double x = first.weight * ca.xvec(first.var, first.point);
  double y = first.weight * ca.yvec(first.var, first.point);
  for (int k = 1; k < c.terms; ++k) {
    const ClosingTerm& t = c.term[k];
    x += t.weight * ca.xvec(t.var, t.point);
    y += t.weight * ca.yvec(t.var, t.point);
  }
  return (c.target - x) / y;
}

Status inverse_update(StationSystem& s, const ClosingCondition& c) {
  LayerProfiles& lp = s.lp;
  const CoreArrays& ca = s.ca;
  const double lambda = closing_lambda(ca, c);
  if (!std::isfinite(lambda)) {
    return Status::failure("station " + std::to_string(s.at.station) +
                           ": no finite pressure-gradient change meets " + c.what);
  }
  for (int j = 1; j <= s.np; ++j) {
    lp.df(j) = ca.xvec(1, j) + lambda * ca.yvec(1, j);
    lp.du(j) = ca.xvec(2, j) + lambda * ca.yvec(2, j);
    lp.dv(j) = ca.xvec(3, j) + lambda * ca.yvec(3, j);
  }
  apply_corrections(lp, s.np);
  return Status{};
}

Status conv_max(const LayerProfiles& lp, int np, double& dumax, int& jumax) {
  dumax = 0.0;
  if (np < 1) return Status{};
  int candidate = 0;
  int bad = 0;
  for (int j = 1; j <= np; ++j) {
    const double d = std::fabs(lp.du(j));
    if (!std::isfinite(d)) {
      if (bad == 0) bad = j;
      continue;
    }
    if (d > dumax) {
      dumax = d;
      candidate = j;
    }
  }
  if (candidate != 0) jumax = candidate;
  if (bad != 0)
    return Status::failure("the velocity correction at grid point " + std::to_string(bad) +
                           " is not a finite number");
  return Status{};
}

}  // namespace bl
