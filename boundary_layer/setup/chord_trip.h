// Where on a surface a forced transition given as x/c lies.
#pragma once

#include "core/surface.h"

namespace bl {

// Arc length, from the surface's stagnation point, of the point at
// x/c = xc on the side of the section the surface runs along behind the
// leading edge: the part of the surface from its foremost wall node (the
// leading edge when the surface runs round it, else the stagnation point)
// to the trailing edge, interpolated linearly between nodes.  Where the
// stagnation point itself lies at or behind xc on that side, the arc length
// of node 3, the first station the march computes; where no wall node
// reaches xc, that of the trailing edge.  NaN for a surface without the
// nodes' places on the section or with fewer than 3 wall nodes.
double trip_arc_length(const SurfaceValues& surface, double xc);

}  // namespace bl
