// Block-tridiagonal elimination of the Newton system across the layer.
#include "block_solver.h"

#include <cassert>
#include <cmath>
#include <string>

#include "block_view.h"
#include "pivot_block.h"
#include "solver_data.h"

namespace bl {

CoreArrays ca;

namespace {

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

// The arrays by shape; one list serves alloc and free.
Alloc3<double>* const kBlocks[] = {&ca.dqdx, &ca.dqpdx, &ca.amat,  &ca.bmat, &ca.cmat,
                                   &ca.dmat, &ca.inv_d, &ca.gmat, &ca.mmat};
Alloc2<double>* const kVectors[] = {&ca.q,    &ca.qp,   &ca.rq,   &ca.rvec,
                                    &ca.eyvec, &ca.xvec, &ca.yvec, &ca.uvec,
                                    &ca.wvec, &ca.kvec, &ca.hvec};

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
  // D_j, its inverse, G_j and M_j = G_j C_(j-1) stay in local variables
  // from one grid point to the next and are stored once each; afmat and
  // tvec, which the factorisation of every pivot block overwrites, are
  // stored for the last block factorised only.
  Pivot3 d, w;
  int t[3];
  for (int k = 0; k < n; ++k) t[k] = ca.tvec(k + 1);
  {
    const auto b = block(ca.bmat, 1);
    const auto d1 = block(ca.dmat, 1);
    for (int c = 0; c < n; ++c)
      for (int r = 0; r < n; ++r) d1(r + 1, c + 1) = d[r][c] = b(r + 1, c + 1);
  }
  for (int j = 1;; ++j) {
    // Factorise and invert D_j into w; det(j) is recorded either way.
    for (int c = 0; c < n; ++c)
      for (int r = 0; r < n; ++r) w[r][c] = d[r][c];
    double det = 0.0;
    const int status = pivot3_factor(w, t, det);
    ca.det(j) = det;
    // The factorisation leaves its last pivot untested; apply the same test.
    const bool regular = status == kLuOk && !pivot_negligible(std::fabs(w[2][2]), n);
    if (regular) pivot3_invert(w, t);
    if (!regular || j == np) {
      const BlockView<double> af(&ca.afmat(1, 1));
      for (int c = 0; c < n; ++c)
        for (int r = 0; r < n; ++r) af(r + 1, c + 1) = w[r][c];
      for (int k = 0; k < n; ++k) ca.tvec(k + 1) = t[k];
    }
    if (!regular) return singular_block(P, j);
    const auto inv = block(ca.inv_d, j);
    for (int c = 0; c < n; ++c)
      for (int r = 0; r < n; ++r) inv(r + 1, c + 1) = w[r][c];
    if (j == np) break;

    // G_(j+1) = A_(j+1) inv(D_j), M = G C_j, D_(j+1) = B_(j+1) - M; each
    // element of a product an inner product in increasing k.
    const auto a = block(ca.amat, j + 1);
    const auto g = block(ca.gmat, j + 1);
    Pivot3 gl;
    for (int r = 0; r < n; ++r)
      for (int c = 0; c < n; ++c) {
        double s = 0.0;
        for (int k = 0; k < n; ++k) s += a(r + 1, k + 1) * w[k][c];
        gl[r][c] = s;
      }
    const auto cm = block(ca.cmat, j);
    const auto m = block(ca.mmat, j + 1);
    const auto b = block(ca.bmat, j + 1);
    const auto dn = block(ca.dmat, j + 1);
    for (int r = 0; r < n; ++r)
      for (int c = 0; c < n; ++c) {
        double s = 0.0;
        for (int k = 0; k < n; ++k) s += gl[r][k] * cm(k + 1, c + 1);
        m(r + 1, c + 1) = s;
        g(r + 1, c + 1) = gl[r][c];
        d[r][c] = b(r + 1, c + 1) - s;
        dn(r + 1, c + 1) = d[r][c];
      }
  }

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
