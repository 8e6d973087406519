// Block-tridiagonal elimination of the Newton system across the layer.
#include "block_solver.h"

#include <cassert>
#include <cmath>
#include <string>

#include "block_view.h"
#include "matrix_inv.h"
#include "solver_data.h"

namespace bl {

CoreArrays ca;

namespace {

// c = a b for NEQ x NEQ blocks; each element an inner product in increasing k.
template <class A, class B, class C>
void mul_blocks(const A& a, const B& b, const C& c) {
  for (int i = 1; i <= kNeq; ++i)
    for (int j = 1; j <= kNeq; ++j) {
      double s = 0.0;
      for (int k = 1; k <= kNeq; ++k) s += a(i, k) * b(k, j);
      c(i, j) = s;
    }
}

// y = a x; each element an inner product in increasing column order.
template <class A, class X, class Y>
void mul_block_vec(const A& a, const X& x, const Y& y) {
  for (int i = 1; i <= kNeq; ++i) {
    double s = 0.0;
    for (int k = 1; k <= kNeq; ++k) s += a(i, k) * x(k);
    y(i) = s;
  }
}

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
  const int n = kNeq;
  const BlockView<double> af(&ca.afmat(1, 1));
  const auto d = block(ca.dmat, j);
  for (int c = 1; c <= n; ++c)
    for (int r = 1; r <= n; ++r) af(r, c) = d(r, c);
  int status = kLuOk;
  lu_factor(ca.afmat, ca.afmat, ca.tvec, ca.det(j), status, n);
  // The factorisation leaves its last pivot untested; apply the same test.
  if (status != kLuOk || pivot_negligible(std::fabs(af(n, n)), n)) return false;
  lu_invert(ca.afmat, ca.tvec, n);
  const auto inv = block(ca.inv_d, j);
  for (int c = 1; c <= n; ++c)
    for (int r = 1; r <= n; ++r) inv(r, c) = af(r, c);
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
  assert(sd.NEQ == kNeq);
  mul_blocks(block(a, ka), block(b, kb), block(c, kc));
}

void mat_vec(const Alloc3<double>& a, int ka, const Alloc2<double>& x, int kx,
             Alloc2<double>& y, int ky) {
  assert(sd.NEQ == kNeq);
  mul_block_vec(block(a, ka), vec(x, kx), vec(y, ky));
}

Status block_solve(int P, const Alloc2<double>& rhs, Alloc2<double>& sol) {
  assert(sd.NEQ == kNeq);
  const int n = kNeq;
  const int np = sd.NP;

  // Elimination of the sub-diagonal blocks, wall to edge:
  //   G_j = A_j inv(D_(j-1)),  D_j = B_j - G_j C_(j-1),  D_1 = B_1.
  {
    const auto d = block(ca.dmat, 1);
    const auto b = block(ca.bmat, 1);
    for (int c = 1; c <= n; ++c)
      for (int r = 1; r <= n; ++r) d(r, c) = b(r, c);
  }
  for (int j = 2; j <= np; ++j) {
    if (!invert_pivot_block(j - 1)) return singular_block(P, j - 1);
    const auto g = block(ca.gmat, j);
    const auto m = block(ca.mmat, j);
    mul_blocks(block(ca.amat, j), block(ca.inv_d, j - 1), g);
    mul_blocks(g, block(ca.cmat, j - 1), m);
    const auto d = block(ca.dmat, j);
    const auto b = block(ca.bmat, j);
    for (int c = 1; c <= n; ++c)
      for (int r = 1; r <= n; ++r) d(r, c) = b(r, c) - m(r, c);
  }
  if (!invert_pivot_block(np)) return singular_block(P, np);

  // Forward substitution: w_1 = r(1), w_j = r(j) - G_j w_(j-1).
  for (int r = 1; r <= n; ++r) ca.wvec(r, 1) = rhs(r, 1);
  for (int j = 2; j <= np; ++j) {
    const auto u = vec(ca.uvec, j);
    const auto w = vec(ca.wvec, j);
    const auto rj = vec(rhs, j);
    mul_block_vec(block(ca.gmat, j), vec(ca.wvec, j - 1), u);
    for (int r = 1; r <= n; ++r) w(r) = rj(r) - u(r);
  }

  // Back substitution: sol(NP) = inv(D_NP) w_NP,
  // sol(j) = inv(D_j) (w_j - C_j sol(j+1)).
  mul_block_vec(block(ca.inv_d, np), vec(ca.wvec, np), vec(sol, np));
  for (int j = np - 1; j >= 1; --j) {
    const auto k = vec(ca.kvec, j);
    const auto h = vec(ca.hvec, j);
    const auto w = vec(ca.wvec, j);
    mul_block_vec(block(ca.cmat, j), vec(sol, j + 1), k);
    for (int r = 1; r <= n; ++r) h(r) = w(r) - k(r);
    mul_block_vec(block(ca.inv_d, j), h, vec(sol, j));
  }
  return Status{};
}

}  // namespace bl
