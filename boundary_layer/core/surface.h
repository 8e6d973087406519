// A surface of the boundary layer as the march takes it: nodes from the
// forward stagnation point downstream, each with its arc length, its
// inviscid edge velocity and its place on the section.
//
// Node 1 (index 0) is the stagnation point, where s = 0 and ue = 0.  The
// nodes 1..wall_nodes lie on the wall, up to the trailing edge.  Nodes
// beyond wall_nodes continue the surface into its half of the wake behind
// the trailing edge: s goes on from the trailing edge's arc length along
// the trailing streamline, ue is the outer flow's speed there and x, y the
// streamline's points.  The march carries the layer on through them with a
// symmetry line (the wake's centre line) in place of the wall.
#pragma once

#include <optional>
#include <vector>

namespace bl {

// A turbulent layer the march starts from at node 2 in place of the
// stagnation point's profile: its momentum thickness (chords, the length
// unit of s) and shape factor.  Node 1 then only marks where the surface
// begins (ue 0 there), and the layer is turbulent from node 2 on.
struct LayerStart {
  double theta = 0;
  double h = 0;
};

enum class Surface { upper, lower };

constexpr Surface kBothSurfaces[] = {Surface::upper, Surface::lower};

// Position of a surface in the arrays that hold one entry per surface.
constexpr int index(Surface s) { return s == Surface::upper ? 0 : 1; }

// "upper surface" or "lower surface", as messages and cautions name it.
inline const char* name(Surface s) { return s == Surface::upper ? "upper surface" : "lower surface"; }

// Nodes a surface holds at most: the station numbers of the reports and
// the surfaces of a section up to N = 1199 at moderate incidence fit.
constexpr int kMaxSurfaceNodes = 600;
// Nodes a half-wake holds at most beyond them (the reports number the
// stations in three digits).
constexpr int kMaxWakeNodes = 399;

struct SurfaceValues {
  std::vector<double> s;   // arc length from the stagnation point, chords; increasing
  std::vector<double> ue;  // inviscid edge velocity / free-stream speed
  // Place of each node in the section's chord axes (x/c from the leading
  // edge, y/c), as the aerofoil solution gives the contour; empty for a
  // surface given as a table of s and ue alone.
  std::vector<double> x, y;
  int wall_nodes = 0;  // nodes on the wall, from the stagnation point
  // Index (0..n) of the contour point each node came from, as the contour
  // was handed over; -1 for the stagnation node and for wake nodes; empty
  // for a surface given as a table.
  std::vector<int> contour_point;
  std::optional<LayerStart> start;  // a turbulent layer at node 2; none: the stagnation point's

  int nodes() const { return static_cast<int>(s.size()); }
  // Whether node P (1-based) lies in the wake; a surface that does not say
  // how many of its nodes are on the wall (wall_nodes 0) has no wake.
  bool in_wake(int P) const { return wall_nodes > 0 && P > wall_nodes; }
};

}  // namespace bl
