// Factorisation and inversion of one 3 x 3 pivot block of the Newton system,
// held in local variables.
//
// The elimination of a station's system is a chain: every pivot block D_j
// needs the inverse of D_(j-1).  Its speed is therefore the latency of one
// 3 x 3 factorisation and inversion, not a throughput, and that latency is
// least when the block lives in registers from the first load to the last
// store.  These are the steps of lu_factor and lu_invert (lu_steps.h) for
// the order 3, written out one by one in the same order, so that they give
// the same bits, the same determinant, the same row interchanges and the
// same partly reduced block when a pivot is negligible.  Every sum starts
// from 0.0, as the general routines' inner products do, so that a product
// of -0 gives the same signed zero.
#pragma once

#include <cmath>
#include <utility>

#include "core/matrix_inv.h"

namespace bl {

// w[r][c] holds row r + 1, column c + 1 of the block.
using Pivot3 = double[3][3];

namespace pivot3_detail {

inline void swap_rows(Pivot3& w, int r1, int r2) {
  for (int c = 0; c < 3; ++c) std::swap(w[r1][c], w[r2][c]);
}

inline void swap_cols(Pivot3& w, int c1, int c2) {
  for (int r = 0; r < 3; ++r) std::swap(w[r][c1], w[r][c2]);
}

}  // namespace pivot3_detail

// Doolittle elimination with partial pivoting of w in place (P w = L U):
// det(w) into det, the exchanged row of step k into t[k - 1] (1-based).
// Returns kLuOk, or kLuSingular at the first negligible pivot column; w and
// t are then left as far as the elimination got, and det is 0.
inline int pivot3_factor(Pivot3& w, int (&t)[3], double& det) {
  using pivot3_detail::swap_rows;
  det = 1.0;

  // Step 1: pivot of column 1, multipliers l21, l31, then column 2 below
  // the diagonal reduced by them.
  {
    int p = 0;
    double m = std::fabs(w[0][0]);
    if (std::fabs(w[1][0]) > m) {
      p = 1;
      m = std::fabs(w[1][0]);
    }
    if (std::fabs(w[2][0]) > m) {
      p = 2;
      m = std::fabs(w[2][0]);
    }
    if (pivot_negligible(m, 3)) {
      det = 0.0;
      return kLuSingular;
    }
    if (p != 0) {
      swap_rows(w, 0, p);
      det = -det;
    }
    det = det * w[0][0];
    t[0] = p + 1;
    w[1][0] = w[1][0] / w[0][0];
    w[2][0] = w[2][0] / w[0][0];
    for (int i = 1; i < 3; ++i) {
      double s = 0.0;
      s += w[i][0] * w[0][1];
      w[i][1] = w[i][1] - s;
    }
  }

  // Step 2: pivot of column 2, multiplier l32, then u23.
  {
    int p = 1;
    double m = std::fabs(w[1][1]);
    if (std::fabs(w[2][1]) > m) {
      p = 2;
      m = std::fabs(w[2][1]);
    }
    if (pivot_negligible(m, 3)) {
      det = 0.0;
      return kLuSingular;
    }
    if (p != 1) {
      swap_rows(w, 1, 2);
      det = -det;
    }
    det = det * w[1][1];
    t[1] = p + 1;
    w[2][1] = w[2][1] / w[1][1];
    double s = 0.0;
    s += w[1][0] * w[0][2];
    w[1][2] = w[1][2] - s;
  }

  // u33, which has no pivot choice and is not tested here.
  double s = 0.0;
  s += w[2][0] * w[0][2];
  s += w[2][1] * w[1][2];
  w[2][2] = w[2][2] - s;
  det = det * w[2][2];
  t[2] = 3;
  return kLuOk;
}

// Replaces the factors of a complete pivot3_factor with inv(A) =
// inv(U) inv(L) P.  The diagonal of U must be non-zero.
inline void pivot3_invert(Pivot3& a, const int (&t)[3]) {
  using pivot3_detail::swap_cols;

  // inv(U) in place, row by row: x(r,r) = 1/u(r,r),
  // x(r,k) = -sum_{m=r}^{k-1} x(r,m) u(m,k) / u(k,k).
  a[0][0] = 1.0 / a[0][0];
  {
    double s = 0.0;
    s += a[0][0] * a[0][1];
    a[0][1] = -s / a[1][1];
  }
  {
    double s = 0.0;
    s += a[0][0] * a[0][2];
    s += a[0][1] * a[1][2];
    a[0][2] = -s / a[2][2];
  }
  a[1][1] = 1.0 / a[1][1];
  {
    double s = 0.0;
    s += a[1][1] * a[1][2];
    a[1][2] = -s / a[2][2];
  }
  a[2][2] = 1.0 / a[2][2];

  // Z = inv(U) inv(L), column 2 then column 1 from the right:
  // z(i,c) = x(i,c) - sum_{m>c} z(i,m) l(m,c).  Rows on and above the
  // diagonal first, then the rows below it, whose x(i,c) is zero; the
  // multipliers of a column are read before they are overwritten.
  for (int i = 0; i < 2; ++i) {
    double s = 0.0;
    s += a[i][2] * a[2][1];
    a[i][1] = a[i][1] - s;
  }
  {
    double s = 0.0;
    s += a[0][1] * a[1][0];
    s += a[0][2] * a[2][0];
    a[0][0] = a[0][0] - s;
  }
  {
    double s = 0.0;
    s += a[2][2] * a[2][1];
    a[2][1] = -s;
  }
  {
    double s1 = 0.0;
    s1 += a[1][1] * a[1][0];
    s1 += a[1][2] * a[2][0];
    double s2 = 0.0;
    s2 += a[2][1] * a[1][0];
    s2 += a[2][2] * a[2][0];
    a[1][0] = -s1;
    a[2][0] = -s2;
  }

  // The row interchanges become column interchanges, last to first.
  if (t[1] == 3) swap_cols(a, 1, 2);
  if (t[0] == 2) swap_cols(a, 0, 1);
  if (t[0] == 3) swap_cols(a, 0, 2);
}

}  // namespace bl
