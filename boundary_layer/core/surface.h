// A surface of the boundary layer as the march takes it: nodes from the
// forward stagnation point downstream, each with its arc length, its
// inviscid edge velocity and its place on the section.
//
// Node 1 (index 0) is the stagnation point, where s = 0 and ue = 0.  The
// nodes 1..wall_nodes lie on the wall; today a surface ends at the trailing
// edge and every node does.  Nodes appended beyond wall_nodes (a wake
// behind the trailing edge) make a longer surface of the same type.
#pragma once

#include <vector>

namespace bl {

enum class Surface { upper, lower };

constexpr Surface kBothSurfaces[] = {Surface::upper, Surface::lower};

// Position of a surface in the arrays that hold one entry per surface.
constexpr int index(Surface s) { return s == Surface::upper ? 0 : 1; }

// "upper surface" or "lower surface", as messages and cautions name it.
inline const char* name(Surface s) { return s == Surface::upper ? "upper surface" : "lower surface"; }

// Nodes a surface holds at most: the station numbers of the reports and
// the surfaces of a section up to N = 1199 at moderate incidence fit.
constexpr int kMaxSurfaceNodes = 600;

struct SurfaceValues {
  std::vector<double> s;   // arc length from the stagnation point, chords; increasing
  std::vector<double> ue;  // inviscid edge velocity / free-stream speed
  // Place of each node in the section's chord axes (x/c from the leading
  // edge, y/c), as the aerofoil solution gives the contour; empty for a
  // surface given as a table of s and ue alone.
  std::vector<double> x, y;
  int wall_nodes = 0;  // nodes on the wall, from the stagnation point

  int nodes() const { return static_cast<int>(s.size()); }
};

}  // namespace bl
