// One 3 x 3 pivot block of the block elimination, inverted by its adjugate
// in local variables.
//
// The elimination is a chain: every pivot block D_j needs inv(D_(j-1)) e3.
// Its speed is the latency of one 3 x 3 solve, which is least with one
// division and no branch: inv(D) = adj(D) / det(D), the cofactors formed
// side by side.  The blocks of the box scheme are well conditioned (their
// diagonal carries the unit coefficients of the continuity and shear
// boxes), and the Newton iteration corrects what a solve leaves.
#pragma once

#include <cmath>

namespace bl {

class Pivot3 {
 public:
  // Takes the block d (by rows).  False when it is singular: its
  // determinant vanishes against the scale of its rows (the product of
  // their 1-norms, which bounds it), so that no solve is meaningful; det is
  // then 0.
  bool factor(const double (&d)[3][3]) {
    // Cofactors of the first and the third row.
    c00_ = d[1][1] * d[2][2] - d[1][2] * d[2][1];
    c01_ = d[1][2] * d[2][0] - d[1][0] * d[2][2];
    c02_ = d[1][0] * d[2][1] - d[1][1] * d[2][0];
    c20_ = d[0][1] * d[1][2] - d[0][2] * d[1][1];
    c21_ = d[0][2] * d[1][0] - d[0][0] * d[1][2];
    c22_ = d[0][0] * d[1][1] - d[0][1] * d[1][0];
    det = d[0][0] * c00_ + d[0][1] * c01_ + d[0][2] * c02_;
    const auto norm = [](const double (&r)[3]) { return std::fabs(r[0]) + std::fabs(r[1]) + std::fabs(r[2]); };
    if (std::fabs(det) <= kSingular * (norm(d[0]) * norm(d[1]) * norm(d[2]))) {
      det = 0.0;
      return false;
    }
    inv_det_ = 1.0 / det;
    d_ = &d;
    return true;
  }

  // x = inv(D) e3, the third column of the inverse: the cofactors of the
  // third row over the determinant.
  void solve_e3(double (&x)[3]) const {
    x[0] = c20_ * inv_det_;
    x[1] = c21_ * inv_det_;
    x[2] = c22_ * inv_det_;
  }

  // x = inv(D) b: x_i = sum_k C_ki b_k / det.
  void solve(const double (&b)[3], double (&x)[3]) const {
    const double(&d)[3][3] = *d_;
    const double c10 = d[0][2] * d[2][1] - d[0][1] * d[2][2];
    const double c11 = d[0][0] * d[2][2] - d[0][2] * d[2][0];
    const double c12 = d[0][1] * d[2][0] - d[0][0] * d[2][1];
    x[0] = (c00_ * b[0] + c10 * b[1] + c20_ * b[2]) * inv_det_;
    x[1] = (c01_ * b[0] + c11 * b[1] + c21_ * b[2]) * inv_det_;
    x[2] = (c02_ * b[0] + c12 * b[1] + c22_ * b[2]) * inv_det_;
  }

  double det = 0.0;  // determinant of D

 private:
  // Relative size below which a determinant counts as zero: a few units of
  // round-off of the products it is formed from.
  static constexpr double kSingular = 8.0 * 2.220446049250313e-16;

  const double (*d_)[3][3] = nullptr;  // the block; it outlives the solves
  double c00_ = 0, c01_ = 0, c02_ = 0, c20_ = 0, c21_ = 0, c22_ = 0;
  double inv_det_ = 0;
};

}  // namespace bl
