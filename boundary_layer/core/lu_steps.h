// The steps of the pivot-block factorisation and inversion (lu_factor and
// lu_invert), written once over any square-matrix type with 1-based
// operator()(r, c): the arrays of the callers, a block viewed in place, or a
// block held in local variables.  With the order N fixed at compile time the
// loops unroll completely; N = 0 takes the order from the argument.  Every
// instantiation performs the same operations in the same order, so they all
// give the same bits.
#pragma once

#include <cmath>
#include <utility>

#include "core/farray.h"
#include "core/matrix_inv.h"

namespace bl {

// The elimination of lu_factor on w in place, of order N (or n_any when
// N = 0).  det and status must enter as 1 and kLuOk.
template <int N, class M, class T>
void lu_factor_steps(M& w, T& tvec, double& det, int& status, int n_any) {
  const int n = N > 0 ? N : n_any;

  // Doolittle order: at step k, column k is reduced on rows k..n (it holds
  // u(k,k) and l(i,k)*u(k,k) candidates); after the pivot is fixed, row k
  // of U and then column k+1 are formed by inner products with what is
  // already known of L and U.
  for (int k = 1; k <= n - 1; ++k) {
    // Partial pivoting: largest magnitude in column k, strict comparison
    // so that among equal magnitudes the upper row stays.
    int p = k;
    double m = std::fabs(w(k, k));
    for (int i = k + 1; i <= n; ++i) {
      if (std::fabs(w(i, k)) > m) {
        p = i;
        m = std::fabs(w(i, k));
      }
    }
    if (pivot_negligible(m, n)) {
      det = 0.0;
      status = kLuSingular;
      return;
    }
    // Rows k and p exchanged.  Written as a test of every candidate row so
    // that with a compile-time order every index is a constant and a block
    // in local variables can stay in registers.
    for (int i = k + 1; i <= n; ++i) {
      if (i == p) {
        for (int c = 1; c <= n; ++c) std::swap(w(k, c), w(i, c));
        det = -det;
      }
    }
    det = det * w(k, k);
    tvec(k) = p;

    // Multipliers of column k.
    for (int i = k + 1; i <= n; ++i) w(i, k) = w(i, k) / w(k, k);

    // Row k of U right of the diagonal: u(k,c) = a(k,c) - sum l(k,b) u(b,c).
    if (k >= 2) {
      for (int c = k + 1; c <= n; ++c) {
        double s = 0.0;
        for (int b = 1; b <= k - 1; ++b) s += w(k, b) * w(b, c);
        w(k, c) = w(k, c) - s;
      }
    }
    // Column k+1 from the diagonal down, ready for the next pivot search.
    if (k + 1 < n) {
      for (int i = k + 1; i <= n; ++i) {
        double s = 0.0;
        for (int b = 1; b <= k; ++b) s += w(i, b) * w(b, k + 1);
        w(i, k + 1) = w(i, k + 1) - s;
      }
    }
  }

  // Last diagonal element of U; it has no pivot choice and is not tested.
  double s = 0.0;
  for (int b = 1; b <= n - 1; ++b) s += w(n, b) * w(b, n);
  w(n, n) = w(n, n) - s;
  det = det * w(n, n);
  tvec(n) = n;
}

// Scratch column of the inversion: on the stack for a compile-time order,
// allocated for any other.
template <int N>
struct LuScratch {
  FArray1<double, 1, N> w;
  explicit LuScratch(int) {}
};
template <>
struct LuScratch<0> {
  Alloc1<double> w;
  explicit LuScratch(int n) { w.allocate(n); }
};

// The inversion of lu_invert on a in place, of order N (or n_any when N = 0).
template <int N, class M, class T>
void lu_invert_steps(M& a, const T& tvec, int n_any) {
  const int n = N > 0 ? N : n_any;
  LuScratch<N> scratch(n);
  auto& w = scratch.w;

  // inv(U) in place, row by row: X U = I gives, for row r,
  //   x(r,r) = 1/u(r,r),  x(r,k) = -sum_{m=r}^{k-1} x(r,m) u(m,k) / u(k,k).
  // Row r of X only needs rows r..n of U, which are still untouched below.
  for (int r = 1; r <= n; ++r) {
    a(r, r) = 1.0 / a(r, r);
    for (int k = r + 1; k <= n; ++k) {
      double s = 0.0;
      for (int m = r; m <= k - 1; ++m) s += a(r, m) * a(m, k);
      a(r, k) = -s / a(k, k);
    }
  }

  // Z = inv(U) inv(L) solves Z L = inv(U) column by column from the right:
  //   z(i,c) = x(i,c) - sum_{m>c} z(i,m) l(m,c).
  // The multipliers l(m,c) of column c sit below its diagonal and must
  // survive until both passes over column c are done.
  // Pass 1: rows on and above the diagonal, where x(i,c) is non-zero.
  for (int c = n - 1; c >= 1; --c) {
    for (int i = 1; i <= c; ++i) {
      double s = 0.0;
      for (int m = c + 1; m <= n; ++m) s += a(i, m) * a(m, c);
      a(i, c) = a(i, c) - s;
    }
  }
  // Pass 2: rows below the diagonal (x(i,c) = 0); the new values go to w
  // first because each row still needs every multiplier of column c.
  for (int c = n - 1; c >= 1; --c) {
    for (int i = c + 1; i <= n; ++i) {
      double s = 0.0;
      for (int m = c + 1; m <= n; ++m) s += a(i, m) * a(m, c);
      w(i) = -s;
    }
    for (int i = c + 1; i <= n; ++i) a(i, c) = w(i);
  }

  // inv(A) = Z P: the row interchanges of the elimination become column
  // interchanges, applied last to first.
  // (Column p >= j is found by testing every candidate, as in the
  // factorisation, so that every index can be a constant.)
  for (int j = n - 1; j >= 1; --j) {
    const int p = tvec(j);
    for (int q = j + 1; q <= n; ++q) {
      if (q == p) {
        for (int i = 1; i <= n; ++i) std::swap(a(i, j), a(i, q));
      }
    }
  }
}

}  // namespace bl
