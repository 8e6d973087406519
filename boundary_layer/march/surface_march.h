// Marching driver: the boundary layer of one surface, from the stagnation
// node to the trailing edge.
#pragma once

#include "core/status.h"

namespace bl {

// Computes the boundary layer of surface isurf (0 upper, 1 lower) of element
// ielem from the surface tables of the exchange data, writes the reports and
// stores every station's results and the transition and inverse-mode
// positions it used back into the exchange data.  A pass that cannot start
// or that fails at a station returns the reason; the stations before the
// failure keep their results.
Status FOIL_BL2D(int& ielem, int& isurf);

}  // namespace bl
