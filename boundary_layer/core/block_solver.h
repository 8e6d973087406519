// Working arrays of the finite-difference core and the block-tridiagonal
// solver of the Newton system of one station.
//
// The box scheme couples grid point j only with j-1 and j+1, so the Newton
// system across the layer is block-tridiagonal with 3 x 3 blocks (the
// corrections of f, u, v).  Rows 1 and 2 of block row j are the boxes of
// the interval (j-1, j), row 3 the box of (j, j+1); so the third row of A_j
// and the first two rows of C_j are zero:
//
//   A_j = [ a a a ]      C_j = [ 0 0 0 ]
//         [ a a a ]            [ 0 0 0 ]
//         [ 0 0 0 ]            [ c c c ]
//
// Matrix arrays: first index the row (equation), second the column
// (variable f, u, v), third the grid point j = 1..821.  Vector arrays:
// component, grid point.  They belong to the pass: allocate() acquires them
// once per surface pass for the points it starts with, extend() makes room
// for the points the edge growth adds, and release() gives them up at its
// end; between calls they keep the values of the last call, so that a
// diagnostic dump can print the system as it was solved.
#pragma once

#include <vector>

#include "core/farray.h"
#include "core/grid.h"
#include "core/status.h"

namespace bl {

struct CoreArrays {
  // Fluxes of the box scheme at every grid point (written by box_fluxes)
  Alloc2<double> q;       // flux vector (f, u, bb*v)
  Alloc2<double> qp;      // its eta-derivative as the equations give it
  Alloc2<double> rq;      // box residual of the interval (j-1, j), j >= 2; rq(.,1) = 0
  Alloc3<double> dqdx;    // Jacobian of q with respect to (f, u, v)
  Alloc3<double> dqpdx;   // Jacobian of qp with respect to (f, u, v)

  // The Newton system  A_j d(j-1) + B_j d(j) + C_j d(j+1) = r(j)
  Alloc3<double> amat;    // sub-diagonal blocks A_j (A_1 is never read)
  Alloc3<double> bmat;    // diagonal blocks B_j
  Alloc3<double> cmat;    // super-diagonal blocks C_j (C_NP is never read)
  Alloc2<double> rvec;    // right-hand side: the Newton residuals
  Alloc2<double> eyvec;   // second right-hand side: sensitivity to dpdx (inverse mode)
  Alloc2<double> xvec;    // solution for rvec
  Alloc2<double> yvec;    // solution for eyvec
  Alloc1<double> det;     // determinant of the pivot block D_j

  // Per grid point of the elimination: inv(D_j) e3 and inv(D_j) w_j of each
  // right-hand side (see block_solve).
  std::vector<double> sweep;

  // Acquire every array, zero-filled, with 3 rows and room for the given
  // grid points.  Calling it while the arrays are held starts them afresh.
  void allocate(int points = kMaxGridPoints);

  // Room for grid points up to `points`, the new entries zero.
  void extend(int points);

  // Release every array.  Harmless when nothing is held.
  void release();
};

// Solves  A_j sol(j-1) + B_j sol(j) + C_j sol(j+1) = rhs(j),  j = 1..np,
// for blocks of the box scheme's structure (above), with the blocks
// ca.amat, ca.bmat, ca.cmat as they stand (left unchanged).
//
// Block elimination from the wall to the edge: with the pivot blocks
//   D_1 = B_1,  D_j = B_j - A_j inv(D_(j-1)) C_(j-1),
// and since C_(j-1) has only its third row c, A_j inv(D_(j-1)) C_(j-1) is
// the outer product of z = A_j inv(D_(j-1)) e3 with c; likewise the
// forward-eliminated right-hand side is w_j = rhs(j) - A_j y_(j-1) with
// y_j = inv(D_j) w_j.  Back substitution from the edge:
//   sol(NP) = y_NP,  sol(j) = y_j - inv(D_j) e3 (c_j . sol(j+1)).
// Overwrites sol(., 1..np), det(1..np) and the sweep scratch.
//
// A pivot block with a negligible pivot column is singular: the solve stops
// there, sol is left as it was, and the returned status names station P
// and the grid point.
Status block_solve(CoreArrays& ca, int np, int P, const Alloc2<double>& rhs, Alloc2<double>& sol);

// The same system with two right-hand sides at once (the inverse mode's
// residual and its sensitivity to the pressure gradient), one elimination
// for both.
Status block_solve_pair(CoreArrays& ca, int np, int P, const Alloc2<double>& rhs1, Alloc2<double>& sol1,
                        const Alloc2<double>& rhs2, Alloc2<double>& sol2);

}  // namespace bl
