// What passes between the outer flow and the layer in a sweep.
#include "layer_exchange.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "interaction_coefficients.h"

namespace viscous {

using bl::Column;
using bl::Surface;

namespace {

// Sign of a surface's mass defect in the contour's signed convention (the
// speed's): positive on the upper surface.
double side_sign(Surface s) { return s == Surface::upper ? 1.0 : -1.0; }

}  // namespace

// The surface of the split continued along the trailing streamline: node q
// of the line (q >= 1) at the arc length of the trailing edge plus its
// distance along the line, with the outer flow's speed there.
bl::SurfaceValues with_wake(const bl::SurfaceValues& wall, const aerofoil::Streamline& line,
                            const aerofoil::OuterSolution& flow) {
  bl::SurfaceValues v = wall;
  // The arc length of the trailing edge: the last node's, or where the wall
  // ends before a wedge's edge (see the split), the last node's and the
  // distance on to the edge.
  const double s_te =
      wall.s.back() + std::hypot(wall.x.back() - line.x.front(), wall.y.back() - line.y.front());
  for (std::size_t q = 1; q < line.s.size(); ++q) {
    v.s.push_back(s_te + line.s[q]);
    v.ue.push_back(flow.wakeQ[q]);
    v.x.push_back(line.x[q]);
    v.y.push_back(line.y[q]);
    v.contour_point.push_back(-1);
  }
  return v;
}

// The law of one surface: its coefficients along the arc length and the
// mass defect every node had in the sweep before; with the transition
// held, also the normal grid every node had.  The other half-wake's
// displacement thickness goes to the turbulence model, into `turbulence`.
bl::InteractionLaw law_for(const bl::SurfaceValues& v, Surface side, const State& before, bool hold,
                           bl::TurbulenceInput& turbulence, bool transition_free) {
  bl::InteractionLaw law;
  law.first_node = 3;
  law.transition_held = hold && !transition_free;
  law.coeff = interaction_coefficients(v.s);
  law.m_before.assign(v.s.size(), 0.0);
  law.grid_points_before.assign(v.s.size(), 0);
  turbulence.partner_d1_before.assign(v.s.size(), 0.0);
  const std::vector<double>& wake = before.wake[bl::index(side)];
  const std::vector<int>& wake_grid = before.wake_grid[bl::index(side)];
  for (int j = 0; j < v.nodes(); ++j) {
    const auto k = static_cast<std::size_t>(j);
    if (j < v.wall_nodes) {
      const int p = v.contour_point[k];
      if (p < 0) continue;
      const auto pp = static_cast<std::size_t>(p);
      law.m_before[k] = side_sign(side) * before.m[pp];
      if (hold && pp < before.grid.size()) law.grid_points_before[k] = before.grid[pp];
    } else {
      const auto q = static_cast<std::size_t>(j - v.wall_nodes + 1);
      if (q < wake.size()) law.m_before[k] = wake[q];
      if (hold && q < wake_grid.size()) law.grid_points_before[k] = wake_grid[q];
      const std::vector<double>& partner = before.wake[1 - bl::index(side)];
      if (q < partner.size() && v.ue[k] != 0.0) turbulence.partner_d1_before[k] = std::fabs(partner[q] / v.ue[k]);
    }
  }
  return law;
}

// The mass defect a march leaves, and the normal grid of each node, into
// the contour points and the half-wake of its surface (wake node 0 is the
// trailing edge).  Node 2
// carries the starting profile, which the march does not integrate: near
// the stagnation point ue grows with s and d1 stays about constant, so m
// there is that of node 3 scaled by s.
void take_defect(const bl::SurfaceValues& v, const bl::SurfaceResult& r, Surface side, State& out) {
  // A wedge's trailing edge, where the march ends one node before it,
  // takes the defect of the last node: the two lie a contour interval apart.
  const std::size_t te = side == Surface::upper ? 0 : out.m.size() - 1;
  const bool edge_marched = v.contour_point[static_cast<std::size_t>(v.wall_nodes - 1)] == static_cast<int>(te);
  const std::vector<double>& ue = r[Column::ue];
  const std::vector<double>& d1 = r[Column::d1];
  const std::vector<double>& s = r[Column::s];
  const int n = r.nodes();
  std::vector<double> m(static_cast<std::size_t>(n), 0.0);
  for (std::size_t j = 2; j < m.size(); ++j) m[j] = ue[j] * d1[j];
  if (n > 2 && s[2] > 0) m[1] = m[2] * s[1] / s[2];
  std::vector<double>& wake = out.wake[bl::index(side)];
  std::vector<int>& wake_grid = out.wake_grid[bl::index(side)];
  const auto wake_nodes = static_cast<std::size_t>(n - v.wall_nodes + 1);
  wake.assign(wake_nodes, 0.0);
  wake_grid.assign(wake_nodes, 0);
  const auto grid = [&r](std::size_t k) { return k < r.grid_points.size() ? r.grid_points[k] : 0; };
  for (int j = 0; j < n; ++j) {
    const auto k = static_cast<std::size_t>(j);
    if (j < v.wall_nodes) {
      const int p = v.contour_point[k];
      if (p >= 0) {
        out.m[static_cast<std::size_t>(p)] = side_sign(side) * m[k];
        out.grid[static_cast<std::size_t>(p)] = grid(k);
      }
    }
    if (j >= v.wall_nodes - 1) {
      wake[static_cast<std::size_t>(j - v.wall_nodes + 1)] = m[k];
      wake_grid[static_cast<std::size_t>(j - v.wall_nodes + 1)] = grid(k);
    }
  }
  if (!edge_marched && v.wall_nodes >= 1) {
    const auto last = static_cast<std::size_t>(v.wall_nodes - 1);
    out.m[te] = side_sign(side) * m[last];
    out.grid[te] = grid(last);
  }
}

// Source flux of each wake panel: the growth of the two halves' defect.
std::vector<double> wake_fluxes(const State& st, int panels) {
  std::vector<double> q(static_cast<std::size_t>(panels), 0.0);
  const auto total = [&st](std::size_t k) {
    double t = 0;
    for (const auto& half : st.wake) t += k < half.size() ? half[k] : 0.0;
    return t;
  };
  for (std::size_t k = 0; k < q.size(); ++k) q[k] = total(k + 1) - total(k);
  return q;
}

// x moves the share omega of the way to target; an x of another length (the
// first sweep's, or a wake cut anew) starts from no defect.
void relax(std::vector<double>& x, const std::vector<double>& target, double omega) {
  if (x.size() != target.size()) x.assign(target.size(), 0.0);
  for (std::size_t i = 0; i < x.size(); ++i) x[i] += omega * (target[i] - x[i]);
}

// The contour point of a surface's first turbulent station, or -1 (laminar
// to the end of the wall).
int transition_point(const bl::SurfaceValues& v, const bl::SurfaceResult& r) {
  const int node = r.transition_at;
  if (node < 1 || node > v.wall_nodes) return -1;
  return v.contour_point[static_cast<std::size_t>(node - 1)];
}

// Where each held transition lies on the present split: the arc length of
// its contour point (none where none is held, or where the point has left
// the surface: the user's setting then).
std::array<std::optional<double>, 2> held_arc_lengths(const LayerSolver& layer, const int (&held)[2]) {
  std::array<std::optional<double>, 2> at;
  for (Surface side : bl::kBothSurfaces) {
    const int i = bl::index(side);
    if (held[i] < 0) continue;
    const bl::SurfaceValues& v = layer.split_surface(side);
    for (int j = 2; j < v.wall_nodes; ++j)
      if (v.contour_point[static_cast<std::size_t>(j)] == held[i]) at[static_cast<std::size_t>(i)] = v.s[static_cast<std::size_t>(j)];
  }
  return at;
}

// Where the displaced flow runs backwards along a surface behind its
// stagnation point, the layer ahead has separated so far that its
// displacement turns the outer flow round: no march can follow a layer
// against the flow, and no interaction law carries a separation that
// large.  Said in words the user can act on.
bl::Status reversed_flow(const std::array<bl::SurfaceValues, 2>& values) {
  for (Surface side : bl::kBothSurfaces) {
    const bl::SurfaceValues& v = values[static_cast<std::size_t>(bl::index(side))];
    for (int j = 1; j < v.nodes(); ++j) {
      const auto k = static_cast<std::size_t>(j);
      if (!(v.ue[k] <= 0)) continue;  // a number that is not finite is the march's to name
      char at[160];
      if (j < v.wall_nodes && k < v.x.size())
        std::snprintf(at, sizeof at, "on the %s at x/c %.3g (node %d)", bl::name(side), v.x[k], j + 1);
      else if (j < v.wall_nodes)
        std::snprintf(at, sizeof at, "on the %s at node %d", bl::name(side), j + 1);
      else
        std::snprintf(at, sizeof at, "in the wake of the %s, %.3g chords behind the trailing edge", bl::name(side),
                      v.s[k] - v.s[static_cast<std::size_t>(v.wall_nodes - 1)]);
      return bl::Status::failure(std::string("the flow displaced by the boundary layer runs backwards ") + at +
                                 ": the layer has separated further than the interaction can carry.  A higher "
                                 "Reynolds number, or transition further forward on that surface (Str or a "
                                 "trip at x/c), keeps it attached longer");
    }
  }
  return bl::Status{};
}

}  // namespace viscous
