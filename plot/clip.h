// Curves kept inside their plot: a segment that leaves the frame of the
// grid is cut at its edge, one that lies wholly outside is dropped, so
// that a value beyond the axis range (a negative skin friction at a
// separated station, a suction peak beyond the pressure scale) never runs
// over the labels around the grid.
#pragma once

#include <cstddef>

#include "plot_primitives.h"

namespace plot {

// A frame in canvas pixels, edges included.
struct PixelBox {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// The part of the segment inside the box (Liang-Barsky): false when none
// is.  A segment wholly inside comes back as it was.
bool clipSegment(int& x1, int& y1, int& x2, int& y2, const PixelBox& box);

// Every line from d[first] on cut to the box, and every circle whose
// centre lies outside it dropped.
void clipToBox(Drawing& d, std::size_t first, const PixelBox& box);

}  // namespace plot
