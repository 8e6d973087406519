// The displacement body of a viscous analysis: the section thickened by
// the displacement thickness of its boundary layer, continued by the wake.
//
// The outer flow of the viscous analysis is that of a body whose wall lies
// delta* outside the section's (the transpiration m = ue delta* stands for
// it): each wall node moved along its outward normal by its delta*.  Behind
// the trailing edge the wake lies along the trailing streamline, its centre
// line; each half-wake's delta* is laid off from it to its own side, the
// upper half's to the left of the flow and the lower half's to the right.
#pragma once

#include <array>
#include <vector>

#include "session/session.h"

namespace viscous {

struct DisplacementBody {
  // Upper and lower surface: from the stagnation point to the trailing
  // edge, then along the half-wake; chord axes (x/c, y/c).
  std::array<std::vector<double>, 2> x, y;
  std::vector<double> wakeX, wakeY;  // the wake's centre line from the trailing edge, chord axes
  bool empty() const { return x[0].empty() && x[1].empty(); }
};

// The body of the surfaces as the last sweep marched them (wall nodes with
// their place on the section, then the half-wake) and the march's results
// on them (upper, lower).  The stagnation node and the one after it, which
// carry the starting profile and no delta* of their own, take the first
// marched node's.
DisplacementBody displacementBody(const std::array<bl::SurfaceValues, 2>& surfaces,
                                  const std::array<bl::SurfaceResult, 2>& results);

}  // namespace viscous
