// Block-tridiagonal elimination of the Newton system across the layer.
#include "block_solver.h"

#include <cmath>
#include <string>

#include "matrix_inv.h"
#include "solver_data.h"

namespace bl {

CoreArrays ca;

namespace {

// The arrays by shape; one list serves alloc and free.
Alloc3<double>* const kBlocks[] = {&ca.dqdx, &ca.dqpdx, &ca.amat,  &ca.bmat, &ca.cmat,
                                   &ca.dmat, &ca.inv_d, &ca.gmat, &ca.mmat};
Alloc2<double>* const kVectors[] = {&ca.q,    &ca.qp,   &ca.rq,   &ca.rvec,
                                    &ca.eyvec, &ca.xvec, &ca.yvec, &ca.uvec,
                                    &ca.wvec, &ca.kvec, &ca.hvec};

// Factorises and inverts pivot block D_j into inv_d(.,.,j), recording its
// determinant in det(j).  Returns false, without inverting, when a pivot
// of the block is negligible: the inverse would be built from unset or
// meaningless factors.
bool invert_pivot_block(int j) {
  const int n = sd.NEQ;
  for (int c = 1; c <= n; ++c)
    for (int r = 1; r <= n; ++r) ca.afmat(r, c) = ca.dmat(r, c, j);
  int status = kLuOk;
  lu_factor(ca.afmat, ca.afmat, ca.tvec, ca.det(j), status, n);
  // The factorisation leaves its last pivot untested; apply the same test.
  if (status != kLuOk || pivot_negligible(std::fabs(ca.afmat(n, n)), n)) return false;
  lu_invert(ca.afmat, ca.tvec, n);
  for (int c = 1; c <= n; ++c)
    for (int r = 1; r <= n; ++r) ca.inv_d(r, c, j) = ca.afmat(r, c);
  return true;
}

Status singular_block(int P, int j) {
  return Status::failure("station " + std::to_string(P) +
                         ": the Newton system cannot be solved, its pivot block at grid point " +
                         std::to_string(j) + " is singular");
}

}  // namespace

void solver_alloc() {
  const int n = sd.NEQ;
  for (auto* a : kBlocks) a->allocate(n, n, kMaxGridPoints);
  for (auto* a : kVectors) a->allocate(n, kMaxGridPoints);
  ca.afmat.allocate(n, n);
  ca.tvec.allocate(n);
  ca.det.allocate(kMaxGridPoints);
}

void solver_free() {
  for (auto* a : kBlocks) a->release();
  for (auto* a : kVectors) a->release();
  ca.afmat.release();
  ca.tvec.release();
  ca.det.release();
}

void mat_mul(const Alloc3<double>& a, int ka, const Alloc3<double>& b, int kb,
             Alloc3<double>& c, int kc) {
  const int n = sd.NEQ;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      double s = 0.0;
      for (int k = 1; k <= n; ++k) s += a(i, k, ka) * b(k, j, kb);
      c(i, j, kc) = s;
    }
}

void mat_vec(const Alloc3<double>& a, int ka, const Alloc2<double>& x, int kx,
             Alloc2<double>& y, int ky) {
  const int n = sd.NEQ;
  for (int i = 1; i <= n; ++i) {
    double s = 0.0;
    for (int k = 1; k <= n; ++k) s += a(i, k, ka) * x(k, kx);
    y(i, ky) = s;
  }
}

Status block_solve(int P, const Alloc2<double>& rhs, Alloc2<double>& sol) {
  const int n = sd.NEQ;
  const int np = sd.NP;

  // Elimination of the sub-diagonal blocks, wall to edge:
  //   G_j = A_j inv(D_(j-1)),  D_j = B_j - G_j C_(j-1),  D_1 = B_1.
  for (int c = 1; c <= n; ++c)
    for (int r = 1; r <= n; ++r) ca.dmat(r, c, 1) = ca.bmat(r, c, 1);
  for (int j = 2; j <= np; ++j) {
    if (!invert_pivot_block(j - 1)) return singular_block(P, j - 1);
    mat_mul(ca.amat, j, ca.inv_d, j - 1, ca.gmat, j);
    mat_mul(ca.gmat, j, ca.cmat, j - 1, ca.mmat, j);
    for (int c = 1; c <= n; ++c)
      for (int r = 1; r <= n; ++r) ca.dmat(r, c, j) = ca.bmat(r, c, j) - ca.mmat(r, c, j);
  }
  if (!invert_pivot_block(np)) return singular_block(P, np);

  // Forward substitution: w_1 = r(1), w_j = r(j) - G_j w_(j-1).
  for (int r = 1; r <= n; ++r) ca.wvec(r, 1) = rhs(r, 1);
  for (int j = 2; j <= np; ++j) {
    mat_vec(ca.gmat, j, ca.wvec, j - 1, ca.uvec, j);
    for (int r = 1; r <= n; ++r) ca.wvec(r, j) = rhs(r, j) - ca.uvec(r, j);
  }

  // Back substitution: sol(NP) = inv(D_NP) w_NP,
  // sol(j) = inv(D_j) (w_j - C_j sol(j+1)).
  mat_vec(ca.inv_d, np, ca.wvec, np, sol, np);
  for (int j = np - 1; j >= 1; --j) {
    mat_vec(ca.cmat, j, sol, j + 1, ca.kvec, j);
    for (int r = 1; r <= n; ++r) ca.hvec(r, j) = ca.wvec(r, j) - ca.kvec(r, j);
    mat_vec(ca.inv_d, j, ca.hvec, j, sol, j);
  }
  return Status{};
}

}  // namespace bl
