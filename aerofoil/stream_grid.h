// Streamlines of the exact flow, drawn cheaply: the stream function is
// contoured in the circle plane, where it is closed form, and only the grid
// is carried through the map.
//
// The grid is log-polar about the circle's centre: rings of radius
// r q^k from the circle out past the region shown, m rays at equal angles,
// q = e^{2 pi / m} so that the cells are square and, the map being
// conformal, stay nearly square in the section plane: fine where the flow
// turns round the section, coarse far off where the streamlines run
// straight.  Every ring is mapped at once (SectionMap::mapRings: one FFT a
// ring for a numerical map).  A level psi = const crosses a cell's edges
// where the linear interpolant of its end values does (marching squares,
// a saddle decided by the cell's mean), and the crossing is carried to the
// section plane by the same interpolation between the edge's mapped ends.
#pragma once

#include <vector>

#include "flow_field.h"

namespace aerofoil {

struct StreamGrid {
  int rays = 0;                // m: node j at circle angle 2 pi j / m
  int rings = 0;               // K + 1: ring 0 the circle itself
  std::vector<double> radius;  // ring k's radius, chords
  // Node (k, j) at [k rays + j]:
  std::vector<Complex> circle;  // its circle-plane point about the centre, chords
  std::vector<Complex> chord;   // its image in chord axes
  std::vector<double> psi;      // stream function / (U c)
  std::vector<double> speed;    // |V| / U in the section plane (with speeds only)
  std::vector<double> circleSpeed;  // |V| / U of the circle flow (with speeds only)

  std::size_t node(int k, int j) const {
    return static_cast<std::size_t>(k) * static_cast<std::size_t>(rays) + static_cast<std::size_t>((j % rays + rays) % rays);
  }
};

// The grid of `field` out to the ring of radius reach (chords), rays a
// power of two; with speeds, the speed of the flow at every node too (its
// map's derivative on the rings).
StreamGrid streamGrid(const FlowField& field, double reach, int rays, bool speeds);

// The circle-plane radius (chords) beyond which no point of the box
// [x0, x1] x [y0, y1] (chord axes) lies, with room to spare: where the
// grid must reach to cover a view of it.  The map is the identity less
// the shift d0 far away, and differs from it by c1/(z - c) nearer.
double reachFor(const FlowField& field, double x0, double x1, double y0, double y1);

// One streamline: psi = level * spacing, its points in order.
struct StreamLine {
  int level = 0;
  std::vector<Complex> points;
};

// The streamlines psi = k spacing, k a nonzero integer, through the grid,
// each crossing of a cell's edge a point of `at` (grid.chord for the
// section plane, grid.circle for the circle plane) and the pieces of one
// level joined where they meet on an edge.  The dividing streamline psi = 0
// is the circle itself and its two branches, which FlowField gives in
// closed form, and is left out here.
std::vector<StreamLine> streamLines(const StreamGrid& grid, const std::vector<Complex>& at, double spacing);

// A round spacing of the stream function (1, 2 or 5 times a power of ten)
// that gives about `lines` streamlines across a height h (chords): far
// from the section the streamlines lie spacing apart.
double streamSpacing(double h, int lines);

}  // namespace aerofoil
