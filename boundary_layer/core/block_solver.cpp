// Block-tridiagonal elimination of the Newton system across the layer.
#include "core/block_solver.h"

#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/block_view.h"
#include "core/pivot_block.h"

namespace bl {

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

// Row i of a times x, an inner product in increasing column order.
template <class A, class X>
double row_times(const A& a, int i, const X& x) {
  double s = 0.0;
  for (int k = 1; k <= kNeq; ++k) s += a(i, k) * x(k);
  return s;
}

// y = a x, row by row.
template <class A, class X, class Y>
void mul_block_vec(const A& a, const X& x, Y&& y) {
  for (int i = 1; i <= kNeq; ++i) y(i) = row_times(a, i, x);
}

// A block or vector held in local variables (0-based arrays), seen with the
// 1-based (row, column) indexing of the array views, so that the products
// above serve both.
template <class M>
struct Rows {
  M& m;
  auto& operator()(int r, int c) const { return m[r - 1][c - 1]; }
};
template <class M>
Rows<M> rows(M& m) {
  return Rows<M>{m};
}
template <class V>
struct Elems {
  V& v;
  auto& operator()(int i) const { return v[i - 1]; }
};
template <class V>
Elems<V> elems(V& v) {
  return Elems<V>{v};
}

Status singular_block(int P, int j) {
  return Status::failure("station " + std::to_string(P) +
                         ": the Newton system cannot be solved, its pivot block at grid point " +
                         std::to_string(j) + " is singular");
}

}  // namespace

void CoreArrays::allocate() {
  const int n = kNeq;
  for (auto* a : blocks()) a->allocate(n, n, kMaxGridPoints);
  for (auto* a : vectors()) a->allocate(n, kMaxGridPoints);
  afmat.allocate(n, n);
  tvec.allocate(n);
  det.allocate(kMaxGridPoints);
  w_other.allocate(n, kMaxGridPoints);
  x_held.allocate(n, kMaxGridPoints, 2);
  det_before.allocate(kMaxGridPoints);
}

void CoreArrays::release() {
  for (auto* a : blocks()) a->release();
  for (auto* a : vectors()) a->release();
  afmat.release();
  tvec.release();
  det.release();
  w_other.release();
  x_held.release();
  det_before.release();
}

void mat_mul(const Alloc3<double>& a, int ka, const Alloc3<double>& b, int kb,
             Alloc3<double>& c, int kc) {
  mul_blocks(block(a, ka), block(b, kb), block(c, kc));
}

void mat_vec(const Alloc3<double>& a, int ka, const Alloc2<double>& x, int kx,
             Alloc2<double>& y, int ky) {
  mul_block_vec(block(a, ka), vec(x, kx), vec(y, ky));
}

namespace {

// The forward substitution w_1 = r(1), w_j = r(j) - G_j w_(j-1) of K
// right-hand sides, carried side by side as independent chains with the
// current w_j of each in local variables.  Every element is the same inner
// product, in the same order, for one right-hand side or several, and with
// G_j from the elimination's registers or from gmat.  The kept
// intermediates wvec and uvec hold the last right-hand side's values.
template <int K>
struct Forward {
  using Rhs = const Alloc2<double>* const (&)[K];
  static constexpr int last = K - 1;
  CoreArrays& ca;
  Rhs rhs;
  double w[K][kNeq];

  Vectors<double> wv{ca.wvec}, uv{ca.uvec};

  // The forward-eliminated right-hand sides other than the last go to
  // scratch, the last to wvec.
  double& stored(int q, int j, int r) const { return q == last ? wv[j](r + 1) : ca.w_other(r + 1, j); }

  Forward(CoreArrays& arrays, Rhs r) : ca(arrays), rhs(r) {
    for (int q = 0; q < K; ++q)
      for (int i = 0; i < kNeq; ++i) stored(q, 1, i) = w[q][i] = (*rhs[q])(i + 1, 1);
  }

  // Box: the third row of G_j is zero (see box_pattern), so that
  // u(3) = 0 + 0 w(1) + 0 w(2) + 0 w(3) is +0 for a finite w.
  template <bool Box = false>
  void step(int j, const Pivot3& g) {
    for (int q = 0; q < K; ++q) {
      double u[kNeq];
      if constexpr (Box) {
        u[0] = row_times(rows(g), 1, elems(w[q]));
        u[1] = row_times(rows(g), 2, elems(w[q]));
        u[2] = 0.0;
      } else {
        mul_block_vec(rows(g), elems(w[q]), elems(u));
      }
      const auto rj = vec(*rhs[q], j);
      for (int r = 0; r < kNeq; ++r) {
        w[q][r] = rj(r + 1) - u[r];
        stored(q, j, r) = w[q][r];
        if (q == last) uv[j](r + 1) = u[r];
      }
    }
  }
};

// The blocks of the box scheme.  Rows 1 and 2 of block row j are the
// boxes of (j-1, j) for f' = rho u and u' = v: in them f and u of j-1
// enter with coefficient -1, each has one further term of j-1 (rho u, v)
// and none of j+1.  Row 3 is the momentum box of (j, j+1), which has no
// term of j-1:
//
//   A_j = [ -1  a12   0  ]      C_j = [  0    0    0  ]
//         [  0   -1  a23 ]            [  0    0    0  ]
//         [  0    0    0 ]            [ c31  c32  c33 ]
//
// (each 0 of either sign).  For such blocks most terms of the inner
// products are products with zero and can be left out without changing a
// bit, as long as the other factor is finite: a sum that starts from +0
// and adds products of zero stays +0, and 0 + (-1) x is 0 - x.  A
// non-finite factor would make the left-out product NaN, and it would
// reach the solution; the fast elimination is therefore accepted only when
// every element of the solution is finite, and the system is otherwise
// solved again in full.  True when blocks A_2..A_NP and C_1..C_(NP-1)
// have the pattern, bit for bit.
bool box_pattern(const CoreArrays& ca, int np) {
  const auto bits = [](double x) {
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
  };
  const std::uint64_t minus_one = bits(-1.0);
  std::uint64_t zeros = 0, ones = 0;  // zeros: any bit but the sign
  const Blocks A(ca.amat), C(ca.cmat);
  for (int j = 2; j <= np; ++j) {
    const auto a = A[j];
    zeros |= bits(a(2, 1)) | bits(a(1, 3)) | bits(a(3, 1)) | bits(a(3, 2)) | bits(a(3, 3));
    ones |= (bits(a(1, 1)) ^ minus_one) | (bits(a(2, 2)) ^ minus_one);
  }
  for (int j = 1; j < np; ++j) {
    const auto c = C[j];
    zeros |= bits(c(1, 1)) | bits(c(1, 2)) | bits(c(1, 3)) | bits(c(2, 1)) | bits(c(2, 2)) |
             bits(c(2, 3));
  }
  return (zeros << 1) == 0 && ones == 0;
}

// G = A inv(D) and M = G C for blocks of the box pattern, every element
// the bits of the full inner product when inv(D), G and C are finite.
template <class V>
inline void box_products(V a, const Pivot3& inv, V c, Pivot3& g, Pivot3& m) {
  const double a12 = a(1, 2), a23 = a(2, 3);
  for (int k = 0; k < kNeq; ++k) {
    g[0][k] = (0.0 - inv[0][k]) + a12 * inv[1][k];
    g[1][k] = (0.0 - inv[1][k]) + a23 * inv[2][k];
    g[2][k] = 0.0;
  }
  for (int k = 0; k < kNeq; ++k) {
    const double c3 = c(3, k + 1);
    m[0][k] = 0.0 + g[0][2] * c3;
    m[1][k] = 0.0 + g[1][2] * c3;
    m[2][k] = 0.0;
  }
}

// Elimination of the sub-diagonal blocks, wall to edge, with the forward
// substitution of the right-hand sides alongside:
//   G_j = A_j inv(D_(j-1)),  D_j = B_j - G_j C_(j-1),  D_1 = B_1.
// D_j, its inverse, G_j and M_j = G_j C_(j-1) stay in local variables
// from one grid point to the next and are stored once each; afmat and
// tvec, which the factorisation of every pivot block overwrites, are
// stored for the last block factorised only.  The chain from one pivot
// block to the next is the critical path; the substitution step fills the
// idle units beside it.  Box: the blocks have the box pattern.
template <bool Box, int K>
Status eliminate(int np, int P, Forward<K>& fwd) {
  CoreArrays& ca = fwd.ca;
  const int n = kNeq;

  const Blocks A(ca.amat), B(ca.bmat), C(ca.cmat), G(ca.gmat), M(ca.mmat), D(ca.dmat), INV(ca.inv_d);
  Pivot3 d, w;
  int t[3];
  for (int k = 0; k < n; ++k) t[k] = ca.tvec(k + 1);
  {
    const auto b = B[1];
    const auto d1 = D[1];
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
    const auto inv = INV[j];
    for (int c = 0; c < n; ++c)
      for (int r = 0; r < n; ++r) inv(r + 1, c + 1) = w[r][c];
    if (j == np) break;

    // G_(j+1) = A_(j+1) inv(D_j), M = G C_j, D_(j+1) = B_(j+1) - M; each
    // element of a product an inner product in increasing k.
    Pivot3 g, m;
    if constexpr (Box) {
      box_products(A[j + 1], w, C[j], g, m);
    } else {
      mul_blocks(A[j + 1], rows(w), rows(g));
      mul_blocks(rows(g), C[j], rows(m));
    }
    const auto gs = G[j + 1], ms = M[j + 1], b = B[j + 1], dn = D[j + 1];
    for (int c = 0; c < n; ++c)
      for (int r = 0; r < n; ++r) {
        gs(r + 1, c + 1) = g[r][c];
        ms(r + 1, c + 1) = m[r][c];
        dn(r + 1, c + 1) = d[r][c] = b(r + 1, c + 1) - m[r][c];
      }
    fwd.template step<Box>(j + 1, g);
  }
  return Status{};
}

// Back substitution of the K right-hand sides that fwd carried to the
// edge: x(NP) = inv(D_NP) w_NP, x(j) = inv(D_j) (w_j - C_j x(j+1)), each
// x(j) handed to out(q, j, x).  kvec and hvec end as the last right-hand
// side leaves them.  Box: C_j has the box pattern, so that the first two
// elements of C_j x(j+1) are +0 for a finite x(j+1).
template <bool Box, int K, class Out>
void back_substitute(int np, const Forward<K>& fwd, Out&& out) {
  CoreArrays& ca = fwd.ca;
  constexpr int n = kNeq;
  constexpr int last = K - 1;
  const Blocks C(ca.cmat), INV(ca.inv_d);
  const Vectors KV(ca.kvec), HV(ca.hvec);
  double x[K][n];
  {
    for (int q = 0; q < K; ++q) mul_block_vec(INV[np], elems(fwd.w[q]), elems(x[q]));
    for (int q = 0; q < K; ++q) out(q, np, x[q]);
  }
  for (int j = np - 1; j >= 1; --j) {
    const auto c = C[j];
    const auto inv = INV[j];
    for (int q = 0; q < K; ++q) {
      double kv[n], h[n];
      if constexpr (Box) {
        kv[0] = kv[1] = 0.0;
        kv[2] = row_times(c, 3, elems(x[q]));
      } else {
        mul_block_vec(c, elems(x[q]), elems(kv));
      }
      for (int r = 0; r < n; ++r) h[r] = fwd.stored(q, j, r) - kv[r];
      mul_block_vec(inv, elems(h), elems(x[q]));
      if (q == last)
        for (int r = 0; r < n; ++r) {
          KV[j](r + 1) = kv[r];
          HV[j](r + 1) = h[r];
        }
      out(q, j, x[q]);
    }
  }
}

// Stores each x(j) of a back substitution in the solution arrays.
template <int K>
auto into(Alloc2<double>* const (&sol)[K]) {
  return [&sol](int q, int j, const double (&x)[kNeq]) {
    for (int r = 0; r < kNeq; ++r) (*sol[q])(r + 1, j) = x[r];
  };
}

// Elimination and substitution of K right-hand sides.
// The solution of the fast elimination is held back in x_held until it is
// known to be finite; det_before keeps what a repeated solve must find as
// the call found it.
template <int K>
Status solve(CoreArrays& ca, int np, int P, const Alloc2<double>* const (&rhs)[K],
             Alloc2<double>* const (&sol)[K]) {
  static_assert(K <= 2, "x_held holds two solutions");
  if (box_pattern(ca, np)) {
    // A failed or non-finite fast pass is repeated in full, which must
    // leave det beyond a singular block and the pivot vector as this call
    // found them.
    int t_before[kNeq];
    for (int j = 1; j <= np; ++j) ca.det_before(j) = ca.det(j);
    for (int k = 0; k < kNeq; ++k) t_before[k] = ca.tvec(k + 1);

    Forward<K> fwd(ca, rhs);
    if (eliminate<true>(np, P, fwd).ok) {
      bool finite = true;
      back_substitute<true>(np, fwd, [&finite, &ca](int q, int j, const double (&x)[kNeq]) {
        for (int r = 0; r < kNeq; ++r) {
          ca.x_held(r + 1, j, q + 1) = x[r];
          finite = finite && std::isfinite(x[r]);
        }
      });
      if (finite) {
        const auto store = into(sol);
        for (int q = 0; q < K; ++q)
          for (int j = 1; j <= np; ++j) {
            const double x[kNeq] = {ca.x_held(1, j, q + 1), ca.x_held(2, j, q + 1), ca.x_held(3, j, q + 1)};
            store(q, j, x);
          }
        return Status{};
      }
    }
    for (int j = 1; j <= np; ++j) ca.det(j) = ca.det_before(j);
    for (int k = 0; k < kNeq; ++k) ca.tvec(k + 1) = t_before[k];
  }

  Forward<K> fwd(ca, rhs);
  const Status s = eliminate<false>(np, P, fwd);
  if (s.ok) back_substitute<false>(np, fwd, into(sol));
  return s;
}

}  // namespace
Status block_solve(CoreArrays& ca, int np, int P, const Alloc2<double>& rhs, Alloc2<double>& sol) {
  const Alloc2<double>* const r[] = {&rhs};
  Alloc2<double>* const x[] = {&sol};
  return solve(ca, np, P, r, x);
}

Status block_solve_pair(CoreArrays& ca, int np, int P, const Alloc2<double>& rhs1, Alloc2<double>& sol1,
                        const Alloc2<double>& rhs2, Alloc2<double>& sol2) {
  const Alloc2<double>* const r[] = {&rhs1, &rhs2};
  Alloc2<double>* const x[] = {&sol1, &sol2};
  return solve(ca, np, P, r, x);
}

void block_resolve(CoreArrays& ca, int np, const Alloc2<double>& rhs, Alloc2<double>& sol) {
  const Alloc2<double>* const rhs1[] = {&rhs};
  Alloc2<double>* const sol1[] = {&sol};
  Forward<1> fwd(ca, rhs1);
  for (int j = 2; j <= np; ++j) {
    const auto g = block(ca.gmat, j);
    Pivot3 gl;
    for (int r = 0; r < kNeq; ++r)
      for (int k = 0; k < kNeq; ++k) gl[r][k] = g(r + 1, k + 1);
    fwd.step(j, gl);
  }
  back_substitute<false>(np, fwd, into(sol1));
}

}  // namespace bl
