// The interaction law of viscous-inviscid coupling along one surface: how
// the outer flow answers a change of the boundary layer's displacement.
//
// The layer displaces the outer flow by its mass defect m = ue d1 (the
// displacement thickness times the edge velocity).  Between two exact
// solutions of the outer flow the march ties the edge velocity to m by a
// linear law,
//   ue_P = ueE_P + sum_{j <= P} c(P, j) (m_j - m_before_j),
// ueE the outer flow's edge velocity computed with the mass defect
// m_before of the sweep before, c an approximation of the outer flow's
// influence (thin-aerofoil theory, say).  Only the nodes up to P enter:
// the march is parabolic, and the downstream part of the law keeps the
// sweep before's values.  At station P the march solves
//   ue_P - c(P, P) m_P = T_P,
//   T_P = ueE_P - c(P, P) m_before_P + sum_{j < P} c(P, j) (m_j - m_before_j),
// with ue_P and m_P unknowns of the station's Newton system: the inverse
// mode's edge condition closed by the law instead of a prescribed wall
// shear.  It holds through separation, where a prescribed edge velocity
// has no solution.
#pragma once

#include <cassert>
#include <cstddef>
#include <vector>

namespace bl {

struct InteractionLaw {
  int first_node = 3;             // 1-based; nodes before it keep ue prescribed (direct mode)
  std::vector<double> m_before;   // mass defect ue d1 of every node in the sweep before, chords
  // The forced transition of the parameters stays where it is: neither a
  // forecast laminar separation nor Michel's criterion moves it ahead.  A
  // coupling holds the transition it has found, as the station where it
  // falls can otherwise flip from sweep to sweep.
  bool transition_held = false;
  std::vector<double> coeff;      // c(P, j) for 1 <= j <= P <= n, lower triangle by rows,
                                  // index (P-1) P / 2 + (j-1); unit 1/chord
  // Normal grid points node P was computed on in the sweep before (0 or
  // absent: none).  The grid grows by two points where the layer reaches
  // its edge, and whether a node grows can turn on the last digits of its
  // profile; a node that grows in one sweep and not in the next changes
  // the displacement behind it by more than the sweeps are asked to settle
  // to, a flip they cannot settle.  So a node starts on at least the grid
  // it had in the sweep before, and the grid of each node stops growing
  // after a few sweeps.  (A coupling hands the grid over only once the
  // flow is near settled: a layer thick in an early sweep would leave a
  // grid far wider than the layer.)
  std::vector<int> grid_points_before;

  // The grid points node P had in the sweep before, or 0.
  int grid_before(int P) const { return node_value(grid_points_before, P); }

  // Value of 1-based node P in a per-node array, or zero where the array
  // has none.
  template <typename T>
  static T node_value(const std::vector<T>& a, int P) {
    const auto k = static_cast<std::size_t>(P - 1);
    return P >= 1 && k < a.size() ? a[k] : T{};
  }

  // Coefficient c(P, j), 1 <= j <= P.
  double c(int P, int j) const {
    assert(1 <= j && j <= P);
    const std::size_t k = static_cast<std::size_t>(P - 1) * static_cast<std::size_t>(P) / 2 +
                          static_cast<std::size_t>(j - 1);
    assert(k < coeff.size());
    return coeff[k];
  }

  // Coefficients a law over n nodes holds.
  static std::size_t coefficients_for(int n) {
    return static_cast<std::size_t>(n) * static_cast<std::size_t>(n + 1) / 2;
  }

  // No law at all: the edge velocity is prescribed (or the wall shear, in
  // the inverse mode), as without coupling.
  bool empty() const { return coeff.empty(); }
};

}  // namespace bl
