// Starting profile of the march: the similarity solution at the forward
// stagnation point (Hiemenz flow),
//
//     f''' + P1 f f'' + P2 (1 - f'^2) = 0,   P1 = P2 = 1,
//     f(0) = 0,  f'(0) = 0,  f'(eta_e) = 1,
//
// written as the first-order system f' = u, u' = v, v' + P1 f v + P2 (1 - u^2) = 0
// and solved by Newton iteration on Keller's box scheme over a geometric grid.
// The march scales this grid into its normal grid and the profile into its
// first two stations.
#pragma once

#include "core/farray.h"
#include "core/grid.h"
#include "core/status.h"

namespace bl {

class ReportFiles;
struct CoreArrays;

// The starting profile on the similarity grid: the grid over all points
// j = 1..kMaxGridPoints (the march scales it into its normal grid, where the
// edge growth may reach), the profile and the Newton step over the NP
// points of the solve.  Every pass holds one of its own, and every solve
// overwrites it.
struct StartingProfile {
  Alloc1<double> eta_s;   // similarity coordinate of point j (eta_s(1) = 0)
  Alloc1<double> deta_s;  // step eta_s(j+1) - eta_s(j); geometric, ratio VGP
  Alloc1<double> a_s;     // half the step below point j: deta_s(j-1)/2, j >= 2
  Alloc1<double> f_s;     // stream function f
  Alloc1<double> u_s;     // velocity f' = u/ue
  Alloc1<double> v_s;     // shear f''; v_s(1) is the wall shear (exact value 1.2326)
  Alloc1<double> delv_s;  // Newton correction of f'' in the last iteration (the convergence measure)

  // Work arrays of the Newton step: coefficients of the linearised momentum
  // equation and the residuals of the three box equations, per interval
  // (j-1, j).
  Alloc1<double> s1, s2, s3, s4, s5, s6;
  Alloc1<double> r1, r2, r3;
  double P1 = 1.0, P2 = 1.0;  // Falkner-Skan parameters; stagnation point: both 1

  // The grid over every point, the rest over the NP points of a solve,
  // zero-filled.
  void allocate(int NP) {
    for (auto* a : {&eta_s, &deta_s, &a_s}) a->allocate(kMaxGridPoints);
    for (auto* a : {&f_s, &u_s, &v_s, &delv_s, &s1, &s2, &s3, &s4, &s5, &s6, &r1, &r2, &r3}) a->allocate(NP);
  }
};

// Solves the stagnation-point profile on NP points with step ratio VGP out
// to ETAE; start is the start type, 1 (stagnation point) being the only one.
// work holds the Newton system of each step; it is acquired (zero-filled)
// here, and the march goes on with it: the starting profile's system leaves
// the zero rows of the block structure (third row of A_j, first two of C_j)
// and the arrays it does not use as they were acquired.
// Overwrites sp and appends the iteration tables to "init2d.OUT" (opened,
// emptied, at the first call of a session).  At most 21 Newton iterations; the
// last iterate stands if they do not bring the largest shear correction
// below 1e-6.
//
// The result says whether there is a profile: NP outside 2..821 or a start
// type other than 1 is refused before anything is written or changed, and a
// singular Newton system or a profile that is not finite fails.  Whether
// the report reached its file is for reports.status(Report::Init2d) to say.
Status solve_stagnation_profile(StartingProfile& sp, ReportFiles& reports, CoreArrays& work, int NP, double VGP,
                                double ETAE, int start);

// The steps of the solve, in calling order.
void similarity_grid(StartingProfile& sp, int NP, double VGP, double ETAE);  // geometric grid, all 821 points
void cubic_first_guess(StartingProfile& sp, int NP);
void newton_coefficients(StartingProfile& sp, int NP);          // linearised coefficients, residuals
Status newton_step(StartingProfile& sp, CoreArrays& work, int NP);  // one Newton step

// One Newton step: the system below, solved by the block elimination of the
// march, and the corrections added to the profile.  Fails only on a
// singular pivot block.
//
// The Newton system of one step, A_j d(j-1) + B_j d(j) + C_j d(j+1) = r(j)
// for the corrections d(j) = (df, du, dv)(j), into work.amat, bmat, cmat
// and rvec: the linearisation of the box residuals of newton_coefficients,
// which must have run on the current profile.
void newton_system(const StartingProfile& sp, CoreArrays& work, int NP);

}  // namespace bl
