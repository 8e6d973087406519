// Working arrays of the finite-difference core and the block-tridiagonal
// solver of the Newton system of one station.
//
// The box scheme couples grid point j only with j-1 and j+1, so the Newton
// system across the layer is block-tridiagonal with NEQ x NEQ blocks (NEQ = 3:
// corrections of f, u, v).  Every intermediate of the elimination is kept in
// its own array, point by point, so that a diagnostic dump can print the
// system exactly as it was solved.
//
// Matrix arrays: first index the row (equation), second the column
// (variable f, u, v), third the grid point j = 1..821.  Vector arrays:
// component, grid point.  They belong to the pass: allocate() acquires them
// once per surface pass (solver_alloc) and release() gives them up at its
// end; between calls they keep the values of the last call.
#pragma once

#include <array>

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

  // Intermediates of the block elimination
  Alloc3<double> dmat;    // pivot blocks D_j = B_j - G_j C_(j-1), D_1 = B_1
  Alloc3<double> inv_d;   // inverses of the pivot blocks
  Alloc3<double> gmat;    // multipliers G_j = A_j inv(D_(j-1))
  Alloc3<double> mmat;    // products G_j C_(j-1)
  Alloc2<double> uvec;    // products G_j w_(j-1)
  Alloc2<double> wvec;    // forward-eliminated right-hand side w_j
  Alloc2<double> kvec;    // products C_j sol(j+1)
  Alloc2<double> hvec;    // w_j - kvec(.,j)
  Alloc2<double> afmat;   // LU factors, then inverse, of the current pivot block
  Alloc1<int> tvec;       // row interchanges of the current factorisation
  Alloc1<double> det;     // determinant of pivot block D_j

  // Scratch of the elimination
  Alloc2<double> w_other;     // forward-eliminated right-hand sides other than the last
  Alloc3<double> x_held;      // solutions held back until known to be finite
  Alloc1<double> det_before;  // det as a solve found it, for a repeated solve

  // Acquire every array, zero-filled, with NEQ = 3 rows and the full grid
  // capacity.  Calling it while the arrays are held starts them afresh.
  void allocate();

  // Release every array.  Harmless when nothing is held.
  void release();

 private:
  // The arrays by shape; one list serves allocate and release.
  std::array<Alloc3<double>*, 9> blocks() {
    return {&dqdx, &dqpdx, &amat, &bmat, &cmat, &dmat, &inv_d, &gmat, &mmat};
  }
  std::array<Alloc2<double>*, 11> vectors() {
    return {&q, &qp, &rq, &rvec, &eyvec, &xvec, &yvec, &uvec, &wvec, &kvec, &hvec};
  }
};

// Solves  A_j sol(j-1) + B_j sol(j) + C_j sol(j+1) = rhs(j),  j = 1..np,
// with the blocks ca.amat, ca.bmat, ca.cmat as they stand (left unchanged,
// so a second right-hand side sees the same system).  Block elimination
// from the wall to the edge, pivot blocks inverted explicitly, then back
// substitution from the edge.  Overwrites sol(., 1..NP) and the
// intermediates dmat, inv_d, gmat, mmat, uvec, wvec, kvec, hvec, afmat,
// tvec and det(1..NP).
//
// A pivot block whose factorisation finds a negligible pivot (the last one
// included) is not inverted: the solve stops there, sol is left as it was,
// det holds the determinant found, and the returned status names station P
// and the grid point.
Status block_solve(CoreArrays& ca, int np, int P, const Alloc2<double>& rhs, Alloc2<double>& sol);

// A further right-hand side of the system that the last successful
// block_solve eliminated, the blocks unchanged since: the forward and back
// substitution only, with the G_j and inv(D_j) that block_solve left.  Gives
// the same bits as a second block_solve, at a third of its cost.
// Overwrites sol(., 1..NP), uvec, wvec, kvec and hvec.
void block_resolve(CoreArrays& ca, int np, const Alloc2<double>& rhs, Alloc2<double>& sol);

// block_solve of rhs1 into sol1 followed by block_resolve of rhs2 into
// sol2, in one pass of substitution that carries both right-hand sides side
// by side: the same bits as the two calls, and the kept intermediates as
// the second leaves them.
Status block_solve_pair(CoreArrays& ca, int np, int P, const Alloc2<double>& rhs1, Alloc2<double>& sol1,
                        const Alloc2<double>& rhs2, Alloc2<double>& sol2);

// c(.,.,kc) = a(.,.,ka) * b(.,.,kb) for NEQ x NEQ blocks; each element an
// inner product in increasing k.
void mat_mul(const Alloc3<double>& a, int ka, const Alloc3<double>& b, int kb,
             Alloc3<double>& c, int kc);

// y(.,ky) = a(.,.,ka) * x(.,kx); each element an inner product in increasing
// column order.
void mat_vec(const Alloc3<double>& a, int ka, const Alloc2<double>& x, int kx,
             Alloc2<double>& y, int ky);

}  // namespace bl
