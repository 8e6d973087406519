#include "spline_shape.h"

#include <algorithm>
#include <cassert>

namespace aerofoil {

// With M_i = z''(t_i) and h_i = t_{i+1} - t_i, continuity of z' at the
// interior points gives
//     h_{i-1} M_{i-1} + 2 (h_{i-1} + h_i) M_i + h_i M_{i+1} = 6 (d_i - d_{i-1}),
// d_i = (z_{i+1} - z_i) / h_i, i = 1..n-1.  Not-a-knot at the first end,
// (M_1 - M_0)/h_0 = (M_2 - M_1)/h_1, gives M_0 in terms of M_1 and M_2; put
// into the first equation it leaves
//     (h_0 + h_1)(h_0 + 2 h_1)/h_1 M_1 + (h_1^2 - h_0^2)/h_1 M_2 = r_1,
// and the same at the other end.  The tridiagonal system for M_1..M_{n-1}
// is solved by elimination without pivoting (its first and last rows are
// diagonally dominant, the others strictly), x and y at once as the real
// and imaginary parts.
SplineShape::SplineShape(const std::vector<std::complex<double>>& points, int nose)
    : z_(points), nose_(nose) {
  const int n = static_cast<int>(points.size()) - 1;  // intervals
  assert(n >= 3 && 0 <= nose && nose <= n);
  knots_.assign(n + 1, 0.0);
  for (int i = 1; i <= n; ++i) knots_[i] = knots_[i - 1] + std::abs(points[i] - points[i - 1]);
  const double length = knots_[n];
  for (double& t : knots_) t /= length;
  knots_[n] = 1;

  std::vector<double> h(n);
  std::vector<std::complex<double>> d(n);
  for (int i = 0; i < n; ++i) {
    h[i] = knots_[i + 1] - knots_[i];
    d[i] = (z_[i + 1] - z_[i]) / h[i];
  }
  // Rows 1..n-1: sub, diag, super, right-hand side.
  std::vector<double> sub(n), diag(n), super(n);
  std::vector<std::complex<double>> rhs(n);
  for (int i = 1; i < n; ++i) {
    sub[i] = h[i - 1];
    diag[i] = 2 * (h[i - 1] + h[i]);
    super[i] = h[i];
    rhs[i] = 6.0 * (d[i] - d[i - 1]);
  }
  diag[1] = (h[0] + h[1]) * (h[0] + 2 * h[1]) / h[1];
  super[1] = (h[1] * h[1] - h[0] * h[0]) / h[1];
  diag[n - 1] = (h[n - 1] + h[n - 2]) * (h[n - 1] + 2 * h[n - 2]) / h[n - 2];
  sub[n - 1] = (h[n - 2] * h[n - 2] - h[n - 1] * h[n - 1]) / h[n - 2];

  // Forward elimination, back substitution.
  for (int i = 2; i < n; ++i) {
    const double f = sub[i] / diag[i - 1];
    diag[i] -= f * super[i - 1];
    rhs[i] -= f * rhs[i - 1];
  }
  curv_.assign(n + 1, 0.0);
  curv_[n - 1] = rhs[n - 1] / diag[n - 1];
  for (int i = n - 2; i >= 1; --i) curv_[i] = (rhs[i] - super[i] * curv_[i + 1]) / diag[i];
  curv_[0] = curv_[1] + h[0] / h[1] * (curv_[1] - curv_[2]);
  curv_[n] = curv_[n - 1] + h[n - 1] / h[n - 2] * (curv_[n - 1] - curv_[n - 2]);
}

int SplineShape::interval(double t) const {
  const int last = static_cast<int>(knots_.size()) - 2;
  const auto above = std::upper_bound(knots_.begin(), knots_.end(), t);
  return std::clamp(static_cast<int>(above - knots_.begin()) - 1, 0, last);
}

// On [t_i, t_i+1], with a = (t_i+1 - t)/h and b = (t - t_i)/h:
//     z = a z_i + b z_i+1 + ((a^3 - a) M_i + (b^3 - b) M_i+1) h^2/6,
// which at t = t_i (a = 1, b = 0) is z_i exactly.
std::complex<double> SplineShape::point(double t) const {
  const int i = interval(t);
  const double h = knots_[i + 1] - knots_[i];
  const double a = (knots_[i + 1] - t) / h, b = (t - knots_[i]) / h;
  return a * z_[i] + b * z_[i + 1] + ((a * a * a - a) * curv_[i] + (b * b * b - b) * curv_[i + 1]) * (h * h / 6);
}

std::complex<double> SplineShape::tangent(double t) const {
  const int i = interval(t);
  const double h = knots_[i + 1] - knots_[i];
  const double a = (knots_[i + 1] - t) / h, b = (t - knots_[i]) / h;
  return (z_[i + 1] - z_[i]) / h + ((3 * b * b - 1) * curv_[i + 1] - (3 * a * a - 1) * curv_[i]) * (h / 6);
}

void SplineShape::evaluate(double t, std::complex<double>& p, std::complex<double>& d) const {
  const int i = interval(t);
  const double h = knots_[i + 1] - knots_[i];
  const double a = (knots_[i + 1] - t) / h, b = (t - knots_[i]) / h;
  p = a * z_[i] + b * z_[i + 1] + ((a * a * a - a) * curv_[i] + (b * b * b - b) * curv_[i + 1]) * (h * h / 6);
  d = (z_[i + 1] - z_[i]) / h + ((3 * b * b - 1) * curv_[i + 1] - (3 * a * a - 1) * curv_[i]) * (h / 6);
}

}  // namespace aerofoil
