// The boundary-layer computation as the windows run it, in one place, so
// that the command line repeats exactly what the boundary-layer window does.
//
//   hand_over_contour   "BL Calculation": contour into the exchange data, split
//   new_computation     opening the window: inverse mode allowed from the
//                       surface ends, then the upper and the lower pass
//   recalculate         "Recalculate": split again, then both passes
#pragma once

#include <vector>

#include "core/status.h"

namespace bl {

// Copies points 0..n of the arc length s and the signed surface speed v into
// s_cont(1..n+1), v_cont(1..n+1), sets n_cont(0) = n and splits the contour
// at the stagnation point (BLPanel).  Refuses a contour the exchange data
// cannot hold; on any refusal the previous hand-over stays as it was.
Status hand_over_contour(const std::vector<double>& s, const std::vector<double>& v, int n);

// Sets the start of the inverse mode of both surfaces to their last node,
// as a newly opened boundary-layer window does.
void set_inverse_start_to_surface_ends();

// Upper pass, then lower pass; stops at the first that fails.
Status run_both_surfaces();

// set_inverse_start_to_surface_ends, then both passes.
Status new_computation();

// Split of the contour last handed over (restoring the inviscid edge
// velocities), then both passes.
Status recalculate();

}  // namespace bl
