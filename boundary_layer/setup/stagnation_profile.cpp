// Hiemenz stagnation-point profile by Newton iteration on the box scheme (init2d.OUT).
#include "setup/stagnation_profile.h"

#include <array>
#include <cmath>
#include <iostream>
#include <utility>

#include "core/block_solver.h"
#include "report/report_files.h"
#include "report/fortran_format.h"

namespace bl {

namespace {

constexpr int NPT = kMaxGridPoints;
constexpr int kItMax = 20;            // Newton iterations beyond the first
constexpr double kEps = 1e-6f;        // largest shear correction accepted
constexpr double kUniformTol = 0.001; // VGP this close to 1 gives uniform steps


// Iteration table: header, then I3 j and 5F15.6 per point.
void write_table(const StartingProfile& sp, ReportText& out, int NP) {
  out << "  J         ETA              F" << "              U              V          DELV " << "\n";
  for (int j = 1; j <= NP; ++j) {
    out << fx::I(3, j);
    for (double q : {sp.eta_s(j), sp.f_s(j), sp.u_s(j), sp.v_s(j), sp.delv_s(j)}) out << fx::F(15, 6, q);
    out << "\n";
  }
}

}  // namespace

void similarity_grid(StartingProfile& sp, int NP, double VGP, double ETAE) {
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

void cubic_first_guess(StartingProfile& sp, int NP) {
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

void newton_coefficients(StartingProfile& sp, int NP) {
  // Box scheme: each equation centred on the interval midpoint, the
  // momentum equation with products of the interval means.
  sp.r1(1) = 0.0;
  sp.r2(1) = 0.0;
  for (int j = 2; j <= NP; ++j) {
    const double h = sp.deta_s(j - 1);
    const double fb = (sp.f_s(j) + sp.f_s(j - 1)) / 2.0;
    const double ub = (sp.u_s(j) + sp.u_s(j - 1)) / 2.0;
    const double vb = (sp.v_s(j) + sp.v_s(j - 1)) / 2.0;
    sp.s1(j) = 0.5 * sp.P1 * fb + 1.0 / h;
    sp.s2(j) = 0.5 * sp.P1 * fb - 1.0 / h;
    sp.s3(j) = 0.5 * sp.P1 * vb;
    sp.s4(j) = 0.5 * sp.P1 * vb;
    sp.s5(j) = -sp.P2 * ub;
    sp.s6(j) = -sp.P2 * ub;
    sp.r1(j) = sp.f_s(j - 1) - sp.f_s(j) + h * ub;
    sp.r2(j) = -sp.P2 - ((sp.v_s(j) - sp.v_s(j - 1)) / h + sp.P1 * fb * vb - sp.P2 * ub * ub);
    sp.r3(j - 1) = sp.u_s(j - 1) - sp.u_s(j) + h * vb;
  }
  sp.r3(NP) = 0.0;
}

void newton_system(const StartingProfile& sp, CoreArrays& work, int NP) {
  // Rows of point j: the wall conditions (j = 1) or the continuity and
  // momentum equations of interval (j-1, j), and the shear equation of
  // interval (j, j+1) (the edge condition at NP).  In unknowns
  // d(j) = (df, du, dv)(j) this is  A_j d(j-1) + B_j d(j) + C_j d(j+1) = r(j).
  for (int j = 1; j <= NP; ++j) {
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c) work.amat(r, c, j) = work.bmat(r, c, j) = work.cmat(r, c, j) = 0.0;
    const auto row = [j](Alloc3<double>& m, int r, double a1, double a2, double a3) {
      m(r, 1, j) = a1;
      m(r, 2, j) = a2;
      m(r, 3, j) = a3;
    };
    if (j == 1) {
      work.bmat(1, 1, 1) = 1.0;  // df(1) = 0
      work.bmat(2, 2, 1) = 1.0;  // du(1) = 0
    } else {
      const double a = sp.a_s(j);
      row(work.amat, 1, -1.0, -a, 0.0);
      row(work.bmat, 1, 1.0, -a, 0.0);
      row(work.amat, 2, sp.s4(j), sp.s6(j), sp.s2(j));
      row(work.bmat, 2, sp.s3(j), sp.s5(j), sp.s1(j));
    }
    if (j < NP) {
      const double a = sp.a_s(j + 1);
      row(work.bmat, 3, 0.0, -1.0, -a);
      row(work.cmat, 3, 0.0, 1.0, -a);
    } else {
      row(work.bmat, 3, 0.0, 1.0, 0.0);  // du(NP) = 0: the edge velocity is held
    }
    work.rvec(1, j) = sp.r1(j);
    work.rvec(2, j) = sp.r2(j);
    work.rvec(3, j) = sp.r3(j);
  }
}

Status newton_step(StartingProfile& sp, CoreArrays& work, int NP) {
  newton_system(sp, work, NP);
  const Status solved = block_solve(work, NP, 1, work.rvec, work.xvec);
  if (!solved.ok) return solved;
  for (int j = 1; j <= NP; ++j) {
    sp.delv_s(j) = work.xvec(3, j);
    sp.f_s(j) += work.xvec(1, j);
    sp.u_s(j) += work.xvec(2, j);
    sp.v_s(j) += sp.delv_s(j);
  }
  sp.u_s(1) = 0.0;  // no slip, exactly
  return Status{};
}

Status solve_stagnation_profile(StartingProfile& sp, ReportFiles& reports, CoreArrays& work, int NP, double VGP,
                                double ETAE, int start) {
  if (NP < 2 || NP > NPT)
    return Status::failure("starting profile: the normal grid has " + std::to_string(NP) +
                           " points; it needs from 2 to " + std::to_string(NPT));
  if (start != 1)
    return Status::failure("starting profile: start type " + std::to_string(start) +
                           " is not defined; only the stagnation point (1) is");

  // With report writing off the iteration tables are not formatted.
  const bool write = reports.enabled();
  if (write) reports.diag_err() << "  Start  of b.l. (init_2d) 0" << "\n";
  sp.P1 = 1.0;
  sp.P2 = 1.0;

  ReportText& out = reports.stream(Report::Init2d);
  sp.allocate(NP);
  work.allocate(NP);
  if (write) out << "  Start  of b.l. (init_2d) 1" << "\n";
  similarity_grid(sp, NP, VGP, ETAE);
  if (write) out << "  Start  of b.l. (init_2d) 2" << "\n";
  cubic_first_guess(sp, NP);
  if (write) out << "  Start  of b.l. (init_2d) 3" << "\n";

  // Newton iteration until the largest shear correction is below kEps,
  // at most kItMax + 1 steps.
  int iterations = 0;
  double change = 1.0;
  while (change > kEps) {
    newton_coefficients(sp, NP);
    const Status step = newton_step(sp, work, NP);
    if (!step.ok) return Status::failure("starting profile: " + step.message);
    if (write) write_table(sp, out, NP);
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
  return Status{};
}

}  // namespace bl
