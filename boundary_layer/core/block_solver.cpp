// Block-tridiagonal elimination of the Newton system across the layer.
#include "core/block_solver.h"

#include <string>

#include "core/block_view.h"
#include "core/pivot_block.h"

namespace bl {

namespace {

constexpr int kPerPoint = 9;  // inv(D) e3 and up to two inv(D) w of a grid point

Status singular_block(int P, int j) {
  return Status::failure("station " + std::to_string(P) +
                         ": the Newton system cannot be solved, its pivot block at grid point " +
                         std::to_string(j) + " is singular");
}

// Elimination and substitution of K right-hand sides over one system.  The
// blocks are read in place: element (r, c) of block j of a matrix array at
// base + 9 (j - 1) + (r - 1) + 3 (c - 1), component r of vector j at
// base + 3 (j - 1) + (r - 1).
template <int K>
Status solve(CoreArrays& ca, int np, int P, const Alloc2<double>* const (&rhs)[K], Alloc2<double>* const (&sol)[K]) {
  const double* A = &ca.amat(1, 1, 1);
  const double* B = &ca.bmat(1, 1, 1);
  const double* C = &ca.cmat(1, 1, 1);
  const double* R[K];
  double* X[K];
  for (int k = 0; k < K; ++k) {
    R[k] = &(*rhs[k])(1, 1);
    X[k] = &(*sol[k])(1, 1);
  }
  double* S = ca.sweep.data();

  // Forward sweep, wall to edge.  z and y carry inv(D) e3 and inv(D) w of
  // the previous grid point from one step to the next.
  double z[3] = {0, 0, 0}, y[K][3] = {};
  for (int j = 1; j <= np; ++j) {
    const double* a = A + 9 * (j - 1);
    const double* b = B + 9 * (j - 1);
    double d[3][3] = {{b[0], b[3], b[6]}, {b[1], b[4], b[7]}, {b[2], b[5], b[8]}};
    double w[K][3];
    for (int k = 0; k < K; ++k)
      for (int r = 0; r < 3; ++r) w[k][r] = R[k][3 * (j - 1) + r];
    if (j > 1) {
      // Rows 1 and 2 only: the third row of A_j is zero.
      const double* c = C + 9 * (j - 2);  // C_(j-1): its third row
      const double c1 = c[2], c2 = c[5], c3 = c[8];
      for (int r = 0; r < 2; ++r) {
        const double a1 = a[r], a2 = a[r + 3], a3 = a[r + 6];
        const double g = a1 * z[0] + a2 * z[1] + a3 * z[2];
        d[r][0] -= g * c1;
        d[r][1] -= g * c2;
        d[r][2] -= g * c3;
        for (int k = 0; k < K; ++k) w[k][r] -= a1 * y[k][0] + a2 * y[k][1] + a3 * y[k][2];
      }
    }
    Pivot3 lu;
    const bool regular = lu.factor(d);
    ca.det(j) = lu.det;
    if (!regular) return singular_block(P, j);
    lu.solve_e3(z);
    double* s = S + kPerPoint * (j - 1);
    s[0] = z[0], s[1] = z[1], s[2] = z[2];
    for (int k = 0; k < K; ++k) {
      lu.solve(w[k], y[k]);
      s[3 + 3 * k] = y[k][0], s[4 + 3 * k] = y[k][1], s[5 + 3 * k] = y[k][2];
    }
  }

  // Back substitution, edge to wall: C_j sol(j+1) has only a third
  // component, so sol(j) = y_j - (c_j . sol(j+1)) inv(D_j) e3.
  for (int k = 0; k < K; ++k) {
    double x[3] = {y[k][0], y[k][1], y[k][2]};
    double* out = X[k] + 3 * (np - 1);
    out[0] = x[0], out[1] = x[1], out[2] = x[2];
    for (int j = np - 1; j >= 1; --j) {
      const double* c = C + 9 * (j - 1);
      const double t = c[2] * x[0] + c[5] * x[1] + c[8] * x[2];
      const double* s = S + kPerPoint * (j - 1);
      x[0] = s[3 + 3 * k] - t * s[0];
      x[1] = s[4 + 3 * k] - t * s[1];
      x[2] = s[5 + 3 * k] - t * s[2];
      out = X[k] + 3 * (j - 1);
      out[0] = x[0], out[1] = x[1], out[2] = x[2];
    }
  }
  return Status{};
}

}  // namespace

void CoreArrays::allocate(int points) {
  for (auto* a : {&dqdx, &dqpdx, &amat, &bmat, &cmat}) a->allocate(kNeq, kNeq, points);
  for (auto* a : {&q, &qp, &rq, &rvec, &eyvec, &xvec, &yvec}) a->allocate(kNeq, points);
  det.allocate(points);
  sweep.assign(static_cast<std::size_t>(kPerPoint) * static_cast<std::size_t>(points), 0.0);
}

void CoreArrays::extend(int points) {
  for (auto* a : {&dqdx, &dqpdx, &amat, &bmat, &cmat}) a->extend(points);
  for (auto* a : {&q, &qp, &rq, &rvec, &eyvec, &xvec, &yvec}) a->extend(points);
  det.extend(points);
  const std::size_t n = static_cast<std::size_t>(kPerPoint) * static_cast<std::size_t>(points);
  if (sweep.size() < n) sweep.resize(n, 0.0);
}

void CoreArrays::release() {
  for (auto* a : {&dqdx, &dqpdx, &amat, &bmat, &cmat}) a->release();
  for (auto* a : {&q, &qp, &rq, &rvec, &eyvec, &xvec, &yvec}) a->release();
  det.release();
  sweep.clear();
}

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

}  // namespace bl
