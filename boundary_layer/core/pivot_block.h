// One 3 x 3 pivot block of the block elimination, solved in local
// variables.
//
// The elimination is a chain: every pivot block D_j needs inv(D_(j-1)) e3.
// Its speed is the latency of one 3 x 3 solve, which is least with one
// division and no branch: inv(D) = adj(D) / det(D), the cofactors formed
// side by side.  The adjugate is accurate to about cond(D) units of
// round-off, which is nothing for the well-conditioned blocks of a
// converging march (their diagonal carries the unit coefficients of the
// continuity and shear boxes); a block far from that (a station that does
// not converge, say) is solved by Gaussian elimination with partial
// pivoting instead, which also decides whether it is singular.
#pragma once

#include <cmath>
#include <utility>

namespace bl {

// A pivot magnitude m is negligible when adding it to the order 3 leaves 3
// unchanged in double precision (m = 0, and anything below about 4e-16).
inline bool pivot_negligible(double m) { return 3.0 + m == 3.0; }

class Pivot3 {
 public:
  // Takes the block d (by rows).  False when it is singular: a pivot
  // column of the elimination without a usable entry; det is then 0.
  [[gnu::always_inline]] bool factor(const double (&d)[3][3]) {
    // The cofactors, and the determinant by the first row.
    c00_ = d[1][1] * d[2][2] - d[1][2] * d[2][1];
    c01_ = d[1][2] * d[2][0] - d[1][0] * d[2][2];
    c02_ = d[1][0] * d[2][1] - d[1][1] * d[2][0];
    c10_ = d[0][2] * d[2][1] - d[0][1] * d[2][2];
    c11_ = d[0][0] * d[2][2] - d[0][2] * d[2][0];
    c12_ = d[0][1] * d[2][0] - d[0][0] * d[2][1];
    c20_ = d[0][1] * d[1][2] - d[0][2] * d[1][1];
    c21_ = d[0][2] * d[1][0] - d[0][0] * d[1][2];
    c22_ = d[0][0] * d[1][1] - d[0][1] * d[1][0];
    det = d[0][0] * c00_ + d[0][1] * c01_ + d[0][2] * c02_;
    // The product of the rows' 1-norms bounds |det|; a determinant well
    // below it marks an ill-conditioned block.
    const auto norm = [](const double (&r)[3]) { return std::fabs(r[0]) + std::fabs(r[1]) + std::fabs(r[2]); };
    adjugate_ = std::fabs(det) > kWellConditioned * (norm(d[0]) * norm(d[1]) * norm(d[2]));
    if (adjugate_) {
      inv_det_ = 1.0 / det;
      return true;
    }
    if (factor_lu(d)) return true;
    det = 0.0;
    return false;
  }

  // x = inv(D) e3, the third column of the inverse.
  void solve_e3(double (&x)[3]) const {
    if (adjugate_) {  // the cofactors of the third row over the determinant
      x[0] = c20_ * inv_det_;
      x[1] = c21_ * inv_det_;
      x[2] = c22_ * inv_det_;
      return;
    }
    const double b[3] = {0.0, 0.0, 1.0};
    solve_lu(b, x);
  }

  // x = inv(D) b.
  [[gnu::always_inline]] void solve(const double (&b)[3], double (&x)[3]) const {
    if (!adjugate_) {
      solve_lu(b, x);
      return;
    }
    // x_i = sum_k C_ki b_k / det.
    x[0] = (c00_ * b[0] + c10_ * b[1] + c20_ * b[2]) * inv_det_;
    x[1] = (c01_ * b[0] + c11_ * b[1] + c21_ * b[2]) * inv_det_;
    x[2] = (c02_ * b[0] + c12_ * b[1] + c22_ * b[2]) * inv_det_;
  }

  double det = 0.0;  // determinant of D

 private:
  // |det| relative to the product of the row norms above which the
  // adjugate is used: a condition number of up to about 1e8.
  static constexpr double kWellConditioned = 1e-8;

  // P D = L U with partial pivoting (ties keep the upper row), with the
  // reciprocals of the pivots; false at a negligible pivot.
  [[gnu::noinline]] bool factor_lu(const double (&d)[3][3]) {
    double a[3][3] = {{d[0][0], d[0][1], d[0][2]}, {d[1][0], d[1][1], d[1][2]}, {d[2][0], d[2][1], d[2][2]}};
    int p[3] = {0, 1, 2};
    det = 1.0;
    // Column 1: the largest of the three entries.
    int k = 0;
    if (std::fabs(a[1][0]) > std::fabs(a[k][0])) k = 1;
    if (std::fabs(a[2][0]) > std::fabs(a[k][0])) k = 2;
    if (pivot_negligible(std::fabs(a[k][0]))) return false;
    if (k != 0) {
      std::swap(a[0], a[k]);
      std::swap(p[0], p[k]);
      det = -det;
    }
    inv_[0] = 1.0 / a[0][0];
    l10_ = a[1][0] * inv_[0];
    l20_ = a[2][0] * inv_[0];
    a[1][1] -= l10_ * a[0][1];
    a[1][2] -= l10_ * a[0][2];
    a[2][1] -= l20_ * a[0][1];
    a[2][2] -= l20_ * a[0][2];
    // Column 2: the larger of the two remaining entries.
    if (std::fabs(a[2][1]) > std::fabs(a[1][1])) {
      std::swap(a[1], a[2]);
      std::swap(p[1], p[2]);
      std::swap(l10_, l20_);
      det = -det;
    }
    if (pivot_negligible(std::fabs(a[1][1]))) return false;
    inv_[1] = 1.0 / a[1][1];
    l21_ = a[2][1] * inv_[1];
    a[2][2] -= l21_ * a[1][2];
    if (pivot_negligible(std::fabs(a[2][2]))) return false;
    inv_[2] = 1.0 / a[2][2];
    u01_ = a[0][1], u02_ = a[0][2], u12_ = a[1][2];
    det = det * (a[0][0] * a[1][1] * a[2][2]);
    p_[0] = p[0], p_[1] = p[1], p_[2] = p[2];
    return true;
  }

  [[gnu::noinline]] void solve_lu(const double (&b)[3], double (&x)[3]) const {
    const double y0 = b[p_[0]];
    const double y1 = b[p_[1]] - l10_ * y0;
    const double y2 = b[p_[2]] - l20_ * y0 - l21_ * y1;
    x[2] = y2 * inv_[2];
    x[1] = (y1 - u12_ * x[2]) * inv_[1];
    x[0] = (y0 - u01_ * x[1] - u02_ * x[2]) * inv_[0];
  }

  // Set by factor(), each for the path it takes (a block is factorised
  // once per grid point of every Newton iteration: nothing is set twice).
  bool adjugate_;
  double c00_, c01_, c02_, c10_, c11_, c12_, c20_, c21_, c22_;  // cofactors C_rc
  double inv_det_;
  int p_[3];                // row of D that became row k of U
  double l10_, l20_, l21_;  // multipliers of L
  double u01_, u02_, u12_;  // U above the diagonal
  double inv_[3];           // reciprocals of the pivots
};

}  // namespace bl
