// Dense LU factorisation with partial pivoting and explicit inversion of a
// small square matrix.  The block-tridiagonal solver inverts every pivot
// block of the Newton system with these two routines; there the order is
// NEQ = 3, but both work for any order n >= 1.
#pragma once

#include "core/farray.h"

namespace bl {

// Status of lu_factor: the factorisation completed (the last pivot is not
// examined), or it met a pivot column with no usable entry.
constexpr int kLuOk = 0;
constexpr int kLuSingular = 65;

// The pivot test of the elimination: a pivot magnitude m is negligible when
// adding it to the order n leaves n unchanged in double precision (this
// covers m = 0 and anything below about n * 1.1e-16).
inline bool pivot_negligible(double m, int n) {
  const double order = static_cast<double>(n);
  return order + m == order;
}

// Factorises P * A = L * U by row-oriented Doolittle elimination with
// partial pivoting by rows.
//   a      n x n input, left unchanged (it may be afmat itself: the
//          factorisation is then done in place)
//   afmat  n x n, overwritten with L strictly below the diagonal (unit
//          diagonal implied) and U on and above it
//   tvec   tvec(k) = row exchanged with row k at step k (>= k); tvec(n) = n
//   det    determinant of A (0 when a pivot column is negligible)
//   status kLuOk, or kLuSingular at the first negligible pivot column; the
//          factorisation then stops at once, afmat is partly reduced and
//          tvec(k..n) keep whatever they held.
// Ties in the pivot search keep the upper row.  The last pivot u(n,n) is
// not tested: a zero there gives det = 0 with status kLuOk.
void lu_factor(const Alloc2<double>& a, Alloc2<double>& afmat, Alloc1<int>& tvec,
               double& det, int& status, int n);

// Replaces the factors left by a complete lu_factor with inv(A) =
// inv(U) * inv(L) * P.  Precondition (not checked): status kLuOk and a
// non-zero diagonal of U.
void lu_invert(Alloc2<double>& afmat, const Alloc1<int>& tvec, int n);

}  // namespace bl
