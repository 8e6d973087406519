// The arc length of a transition position given as x/c.
#include "setup/chord_trip.h"

#include <cstddef>
#include <limits>

namespace bl {

double trip_arc_length(const SurfaceValues& surface, double xc) {
  const std::size_t n = static_cast<std::size_t>(surface.wall_nodes > 0 ? surface.wall_nodes : surface.nodes());
  const std::vector<double>& x = surface.x;
  const std::vector<double>& s = surface.s;
  if (n < 3 || x.size() < n || s.size() < n) return std::numeric_limits<double>::quiet_NaN();

  std::size_t front = 0;
  for (std::size_t i = 1; i < n; ++i)
    if (x[i] < x[front]) front = i;
  if (x[front] >= xc) return front == 0 ? s[2] : s[front];
  // x grows from the foremost node to the trailing edge; the first node at
  // or behind xc closes the interval that holds it.
  for (std::size_t i = front; i + 1 < n; ++i)
    if (x[i + 1] >= xc) return s[i] + (xc - x[i]) / (x[i + 1] - x[i]) * (s[i + 1] - s[i]);
  return s[n - 1];
}

}  // namespace bl
