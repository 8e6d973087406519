// What a turbulence model takes from outside the pass of one surface.
//
// In a coupled computation each half of the wake is marched on its own,
// but the wake is one shear layer: a closure that scales its eddy
// viscosity with the thickness of the whole layer (the algebraic model's
// outer law) needs the other half's, which only the caller has (from the
// sweep before).  A transport model carries its own eddy viscosity across
// the dividing line and needs none of it.
#pragma once

#include <cstddef>
#include <vector>

namespace bl {

struct TurbulenceInput {
  // Displacement thickness of the other half-wake at each wake node of this
  // surface (1-based node P at index P-1), chords; 0 on the wall, or absent.
  std::vector<double> partner_d1_before;

  double partner_d1(int P) const {
    const auto k = static_cast<std::size_t>(P - 1);
    return P >= 1 && k < partner_d1_before.size() ? partner_d1_before[k] : 0.0;
  }
};

}  // namespace bl
