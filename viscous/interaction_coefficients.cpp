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
  // face[j]: the face ahead of node j (0-based), half-way to the node
  // before; the first node's is the stagnation point itself.
  std::vector<double> face(n);
  if (n > 0) face[0] = s[0];
  for (std::size_t j = 1; j < n; ++j) face[j] = 0.5 * (s[j - 1] + s[j]);
  for (std::size_t i = 1; i < n; ++i) {
    double* row = &c[i * (i + 1) / 2];
    const double x = s[i];
    for (std::size_t j = 0; j < i; ++j) row[j] = kInvPi * (1.0 / (x - face[j]) - 1.0 / (x - face[j + 1]));
    row[i] = kInvPi / (x - face[i]);
  }
  return c;
}

}  // namespace viscous
