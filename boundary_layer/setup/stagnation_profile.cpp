#include "setup/stagnation_profile.h"

#include <array>
#include <cmath>
#include <iostream>
#include <utility>

#include "report/report_files.h"
#include "report/fortran_format.h"

namespace bl {

StartingProfile sp;

namespace {

constexpr int NPT = kMaxGridPoints;
constexpr int kItMax = 20;            // Newton iterations beyond the first
constexpr double kEps = 1e-6f;        // largest shear correction accepted
constexpr double kUniformTol = 0.001; // VGP this close to 1 gives uniform steps

// 3x3 blocks of the Newton system, rows (equation) x columns (df, du, dv).
using Vec = std::array<double, 3>;
using Block = std::array<Vec, 3>;

// Coefficients of the linearised momentum equation and the residuals of
// the three box equations, per interval (j-1, j); the elimination's
// Gamma_j = inv(D_j) C_j and forward-substituted right-hand sides w_j.
struct Newton {
  StartingProfile::GridArray s1, s2, s3, s4, s5, s6;
  StartingProfile::GridArray r1, r2, r3;
  FArray1<Block, 1, NPT> gam;
  FArray1<Vec, 1, NPT> w;
  double P1 = 1.0, P2 = 1.0;  // Falkner-Skan parameters; stagnation point: both 1
};
Newton nw;

// Solves m x = r for a 3x3 m by Gaussian elimination with partial pivoting.
// The pivot blocks of this system are regular for every positive step.
Vec solve3(Block m, Vec r) {
  for (int c = 0; c < 3; ++c) {
    int p = c;
    for (int i = c + 1; i < 3; ++i)
      if (std::fabs(m[i][c]) > std::fabs(m[p][c])) p = i;
    std::swap(m[p], m[c]);
    std::swap(r[p], r[c]);
    for (int i = c + 1; i < 3; ++i) {
      const double l = m[i][c] / m[c][c];
      for (int k = c; k < 3; ++k) m[i][k] -= l * m[c][k];
      r[i] -= l * r[c];
    }
  }
  Vec x{};
  for (int i = 2; i >= 0; --i) {
    double s = r[i];
    for (int k = i + 1; k < 3; ++k) s -= m[i][k] * x[k];
    x[i] = s / m[i][i];
  }
  return x;
}

// Iteration table: header, then I3 j and 5F15.6 per point.
void write_table(std::ostream& out, int NP) {
  out << "  J         ETA              F" << "              U              V          DELV " << "\n";
  for (int j = 1; j <= NP; ++j) {
    out << fx::I(3, j);
    for (double q : {sp.eta_s(j), sp.f_s(j), sp.u_s(j), sp.v_s(j), sp.delv_s(j)}) out << fx::F(15, 6, q);
    out << "\n";
  }
}

}  // namespace

void grid_2d(int NP, double VGP, double ETAE) {
  // First step of a geometric series of NP-1 steps summing to ETAE:
  // h1 (VGP^(NP-1) - 1)/(VGP - 1) = ETAE.
  if (VGP - 1.0 > kUniformTol) {
    double power = 1.0;
    for (int i = 1; i <= NP - 1; ++i) power *= VGP;
    sp.deta_s(1) = (VGP - 1.0) * ETAE / (power - 1.0);
  } else {
    sp.deta_s(1) = ETAE / (NP - 1);
  }
  // The series runs on over all points, beyond NP, for the edge growth of
  // the march.
  sp.eta_s(1) = 0.0;
  for (int j = 2; j <= NPT; ++j) {
    sp.deta_s(j) = VGP * sp.deta_s(j - 1);
    sp.a_s(j) = 0.5 * sp.deta_s(j - 1);
    sp.eta_s(j) = sp.eta_s(j - 1) + sp.deta_s(j - 1);
  }
}

void prof_2d(int NP) {
  // Cubic velocity profile u = (3c - c^3)/2, c = eta/eta_e: u = 0 at the
  // wall, u = 1 and u' = 0 at the edge; f and v are its integral and slope.
  const double etae = sp.eta_s(NP);
  for (int j = 1; j <= NP; ++j) {
    const double c = sp.eta_s(j) / etae;
    sp.f_s(j) = 0.25 * etae * c * c * (3.0 - 0.5 * c * c);
    sp.u_s(j) = 0.5 * c * (3.0 - c * c);
    sp.v_s(j) = (1.5 / etae) * (1.0 - c * c);
  }
}

void coef_2d(int NP) {
  // Box scheme: each equation centred on the interval midpoint, the
  // momentum equation with products of the interval means.
  nw.r1(1) = 0.0;
  nw.r2(1) = 0.0;
  for (int j = 2; j <= NP; ++j) {
    const double h = sp.deta_s(j - 1);
    const double fb = (sp.f_s(j) + sp.f_s(j - 1)) / 2.0;
    const double ub = (sp.u_s(j) + sp.u_s(j - 1)) / 2.0;
    const double vb = (sp.v_s(j) + sp.v_s(j - 1)) / 2.0;
    nw.s1(j) = 0.5 * nw.P1 * fb + 1.0 / h;
    nw.s2(j) = 0.5 * nw.P1 * fb - 1.0 / h;
    nw.s3(j) = 0.5 * nw.P1 * vb;
    nw.s4(j) = 0.5 * nw.P1 * vb;
    nw.s5(j) = -nw.P2 * ub;
    nw.s6(j) = -nw.P2 * ub;
    nw.r1(j) = sp.f_s(j - 1) - sp.f_s(j) + h * ub;
    nw.r2(j) = -nw.P2 - ((sp.v_s(j) - sp.v_s(j - 1)) / h + nw.P1 * fb * vb - nw.P2 * ub * ub);
    nw.r3(j - 1) = sp.u_s(j - 1) - sp.u_s(j) + h * vb;
  }
  nw.r3(NP) = 0.0;
}

void solv_2d(int NP) {
  // Rows of point j: the wall conditions (j = 1) or the continuity and
  // momentum equations of interval (j-1, j), and the shear equation of
  // interval (j, j+1) (the edge condition at NP).  In unknowns
  // d(j) = (df, du, dv)(j) this is  A_j d(j-1) + B_j d(j) + C_j d(j+1) = r(j),
  // solved by block elimination from the wall and back substitution.
  for (int j = 1; j <= NP; ++j) {
    Block A{}, B{}, C{};
    Vec r{};
    if (j == 1) {
      B[0][0] = 1.0;  // df(1) = 0
      B[1][1] = 1.0;  // du(1) = 0
      r[0] = nw.r1(1);
      r[1] = nw.r2(1);
    } else {
      const double a = sp.a_s(j);
      A[0] = {-1.0, -a, 0.0};
      B[0] = {1.0, -a, 0.0};
      A[1] = {nw.s4(j), nw.s6(j), nw.s2(j)};
      B[1] = {nw.s3(j), nw.s5(j), nw.s1(j)};
      r[0] = nw.r1(j);
      r[1] = nw.r2(j);
    }
    if (j < NP) {
      const double a = sp.a_s(j + 1);
      B[2] = {0.0, -1.0, -a};
      C[2] = {0.0, 1.0, -a};
    } else {
      B[2] = {0.0, 1.0, 0.0};  // du(NP) = 0: the edge velocity is held
    }
    r[2] = nw.r3(j);

    // D_j = B_j - A_j Gamma_(j-1),  w_j = inv(D_j) (r_j - A_j w_(j-1)),
    // Gamma_j = inv(D_j) C_j.
    if (j > 1) {
      const Block& g = nw.gam(j - 1);
      const Vec& wp = nw.w(j - 1);
      for (int i = 0; i < 3; ++i) {
        for (int c = 0; c < 3; ++c) {
          double s = 0.0;
          for (int k = 0; k < 3; ++k) s += A[i][k] * g[k][c];
          B[i][c] -= s;
        }
        double s = 0.0;
        for (int k = 0; k < 3; ++k) s += A[i][k] * wp[k];
        r[i] -= s;
      }
    }
    Block& g = nw.gam(j);
    for (int c = 0; c < 3; ++c) {
      const Vec col = solve3(B, {C[0][c], C[1][c], C[2][c]});
      for (int i = 0; i < 3; ++i) g[i][c] = col[i];
    }
    nw.w(j) = solve3(B, r);
  }

  // Back substitution: d(j) = w_j - Gamma_j d(j+1).
  for (int j = NP; j >= 1; --j) {
    Vec d = nw.w(j);
    if (j < NP) {
      const Vec next = {sp.delf_s(j + 1), sp.delu_s(j + 1), sp.delv_s(j + 1)};
      for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k) d[i] -= nw.gam(j)[i][k] * next[k];
    }
    sp.delf_s(j) = d[0];
    sp.delu_s(j) = d[1];
    sp.delv_s(j) = d[2];
  }

  for (int j = 1; j <= NP; ++j) {
    sp.f_s(j) += sp.delf_s(j);
    sp.u_s(j) += sp.delu_s(j);
    sp.v_s(j) += sp.delv_s(j);
  }
  sp.u_s(1) = 0.0;  // no slip, exactly
}

Status init_2d(int NP, double VGP, double ETAE, int start) {
  if (NP < 2 || NP > NPT)
    return Status::failure("starting profile: the normal grid has " + std::to_string(NP) +
                           " points; it needs from 2 to " + std::to_string(NPT));
  if (start != 1)
    return Status::failure("starting profile: start type " + std::to_string(start) +
                           " is not defined; only the stagnation point (1) is");

  // With report writing off the iteration tables are not formatted.
  const bool write = reports_enabled();
  if (write) diag_err() << "  Start  of b.l. (init_2d) 0" << "\n";
  nw.P1 = 1.0;
  nw.P2 = 1.0;

  std::ostream& out = report(Report::Init2d);
  if (write) out << "  Start  of b.l. (init_2d) 1" << "\n";
  grid_2d(NP, VGP, ETAE);
  if (write) out << "  Start  of b.l. (init_2d) 2" << "\n";
  prof_2d(NP);
  if (write) out << "  Start  of b.l. (init_2d) 3" << "\n";

  // Newton iteration until the largest shear correction is below kEps,
  // at most kItMax + 1 steps.
  int iterations = 0;
  double change = 1.0;
  while (change > kEps) {
    coef_2d(NP);
    solv_2d(NP);
    if (write) write_table(out, NP);
    change = 0.0;
    for (int j = 1; j <= NP; ++j) change = std::fmax(change, std::fabs(sp.delv_s(j)));
    ++iterations;
    if (iterations > kItMax) break;
  }
  for (int j = 1; j <= NP; ++j) {
    if (!std::isfinite(sp.f_s(j)) || !std::isfinite(sp.u_s(j)) || !std::isfinite(sp.v_s(j)))
      return Status::failure("starting profile: the Newton iteration diverged (no finite profile for " +
                             std::to_string(NP) + " points, step ratio " + std::to_string(VGP) +
                             ", outer edge " + std::to_string(ETAE) + ")");
  }
  return report_status(Report::Init2d);
}

}  // namespace bl
