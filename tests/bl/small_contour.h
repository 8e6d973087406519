// A six-point contour whose stagnation point lies at 0.4 of the panel
// between points 3 and 4; its split (4 nodes per surface, no point dropped)
// is kept byte for byte in tests/data/sxr_ue_small.out.
#pragma once

#include "setup/surface_split.h"

inline bl::Contour small_contour() {
  bl::Contour c;
  c.n = 5;
  c.s = {0.0, 0.3, 0.5, 0.55, 0.7, 1.0};
  c.v = {0.9, 0.6, 0.2, -0.3, -0.8, -1.0};
  return c;
}
