// Block-tridiagonal elimination of the Newton system across the layer.
#include "block_solver.h"

#include <cassert>
#include <cmath>
#include <string>

#include "block_view.h"
#include "lu_steps.h"
#include "matrix_inv.h"
#include "solver_data.h"

namespace bl {

CoreArrays ca;

namespace {

// A block held in local variables while a grid point is eliminated; it is
// stored into the core's arrays once.
using LocalBlock = FArray2<double, 1, kNeq, 1, kNeq>;

// c = a b for NEQ x NEQ blocks; each element an inner product in increasing k.
template <class A, class B, class C>
void mul_blocks(const A& a, const B& b, C&& c) {
  for (int i = 1; i <= kNeq; ++i)
    for (int j = 1; j <= kNeq; ++j) {
      double s = 0.0;
      for (int k = 1; k <= kNeq; ++k) s += a(i, k) * b(k, j);
      c(i, j) = s;
    }
}

// y = a x; each element an inner product in increasing column order.
template <class A, class X, class Y>
void mul_block_vec(const A& a, const X& x, Y&& y) {
  for (int i = 1; i <= kNeq; ++i) {
    double s = 0.0;
    for (int k = 1; k <= kNeq; ++k) s += a(i, k) * x(k);
    y(i) = s;
  }
}

template <class From, class To>
void copy_block(const From& from, To&& to) {
  for (int c = 1; c <= kNeq; ++c)
    for (int r = 1; r <= kNeq; ++r) to(r, c) = from(r, c);
}

// The arrays by shape; one list serves alloc and free.
Alloc3<double>* const kBlocks[] = {&ca.dqdx, &ca.dqpdx, &ca.amat,  &ca.bmat, &ca.cmat,
                                   &ca.dmat, &ca.inv_d, &ca.gmat, &ca.mmat};
Alloc2<double>* const kVectors[] = {&ca.q,    &ca.qp,   &ca.rq,   &ca.rvec,
                                    &ca.eyvec, &ca.xvec, &ca.yvec, &ca.uvec,
                                    &ca.wvec, &ca.kvec, &ca.hvec};

// Factorises and inverts pivot block D_j into w and inv_d(.,.,j),
// recording its determinant in det(j); afmat and tvec keep what the
// factorisation and inversion left, as lu_factor and lu_invert would.
// Returns false, without inverting, when a pivot of the block is
// negligible: the inverse would be built from unset or meaningless factors.
inline bool invert_pivot_block(int j, LocalBlock& w) {
  copy_block(block(ca.dmat, j), w);
  FArray1<int, 1, kNeq> t;  // a factorisation that stops leaves the rest as it was
  for (int k = 1; k <= kNeq; ++k) t(k) = ca.tvec(k);
  double det = 1.0;
  int status = kLuOk;
  lu_factor_steps<kNeq>(w, t, det, status, kNeq);
  ca.det(j) = det;
  // The factorisation leaves its last pivot untested; apply the same test.
  const bool regular = status == kLuOk && !pivot_negligible(std::fabs(w(kNeq, kNeq)), kNeq);
  if (regular) lu_invert_steps<kNeq>(w, t, kNeq);
  copy_block(w, BlockView<double>(&ca.afmat(1, 1)));
  for (int k = 1; k <= kNeq; ++k) ca.tvec(k) = t(k);
  if (regular) copy_block(w, block(ca.inv_d, j));
  return regular;
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
  // The inverse, G_j and their product stay in local variables for the
  // next step and are stored once.
  copy_block(block(ca.bmat, 1), block(ca.dmat, 1));
  LocalBlock inv, g, m;
  for (int j = 2; j <= np; ++j) {
    if (!invert_pivot_block(j - 1, inv)) return singular_block(P, j - 1);
    mul_blocks(block(ca.amat, j), inv, g);
    mul_blocks(g, block(ca.cmat, j - 1), m);
    copy_block(g, block(ca.gmat, j));
    copy_block(m, block(ca.mmat, j));
    const auto d = block(ca.dmat, j);
    const auto b = block(ca.bmat, j);
    for (int c = 1; c <= n; ++c)
      for (int r = 1; r <= n; ++r) d(r, c) = b(r, c) - m(r, c);
  }
  if (!invert_pivot_block(np, inv)) return singular_block(P, np);

  block_resolve(rhs, sol);
  return Status{};
}

void block_resolve(const Alloc2<double>& rhs, Alloc2<double>& sol) {
  assert(sd.NEQ == kNeq);
  const int n = kNeq;
  const int np = sd.NP;

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
}

}  // namespace bl
