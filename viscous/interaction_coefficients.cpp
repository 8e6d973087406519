// Coefficients of the thin-aerofoil interaction law at the nodes of a surface.
#include "interaction_coefficients.h"

#include <cstddef>

namespace viscous {

namespace {
constexpr double kInvPi = 0.3183098861837907;  // 1/pi
}  // namespace

std::vector<double> interaction_coefficients(const std::vector<double>& s) {
  const std::size_t n = s.size();
  std::vector<double> c(n * (n + 1) / 2, 0.0);
  if (n == 0) return c;
  // face[j] is the face ahead of node j (0-based): the stagnation point for
  // the first node, else half-way to the node before.
  std::vector<double> face(n + 1);
  face[0] = s[0];
  for (std::size_t j = 1; j < n; ++j) face[j] = 0.5 * (s[j - 1] + s[j]);
  for (std::size_t i = 0; i < n; ++i) {
    double* row = &c[i * (i + 1) / 2];
    const double x = s[i];
    for (std::size_t j = 0; j <= i; ++j) {
      // The face behind node j: none behind the last node.
      const double ahead = x - face[j];
      double term = ahead != 0.0 ? 1.0 / ahead : 0.0;
      if (j + 1 < n) term -= 1.0 / (x - face[j + 1]);
      row[j] = kInvPi * term;
    }
  }
  return c;
}

}  // namespace viscous
