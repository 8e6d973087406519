// Is a closed outline a simple curve?  The conformal map needs a section
// whose contour neither crosses itself nor doubles back along itself: then
// the section's outside is one simply connected region.
//
// The test is exact for the polygon through the given vertices: two edges
// that are not neighbours may not share any point (a crossing, a touch or a
// collinear overlap), and two neighbours may share only their common vertex
// (a collinear pair pointing back along itself is a spike of zero width).
// Segments are compared by orientation signs, with a sweep over their x
// extents, so an outline of n edges costs about n log n, not n^2.
#pragma once

#include <complex>
#include <vector>

namespace aerofoil {

// The closed polygon's edges run from vertex i to i+1, the last from the
// last vertex back to the first (give the first vertex once).  Returns
// false when the polygon is simple; else true with the indices i < j of two
// offending edges.
bool polygonCrossing(const std::vector<std::complex<double>>& vertices, int& edgeA, int& edgeB);

// Twice the signed area enclosed (positive when the vertices run
// anticlockwise).
double twiceSignedArea(const std::vector<std::complex<double>>& vertices);

}  // namespace aerofoil
