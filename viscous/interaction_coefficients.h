// The thin-aerofoil interaction law along one surface and its half-wake.
//
// A change of the mass defect m = ue d1 along the surface displaces the
// outer flow; thin-aerofoil theory gives the edge velocity it induces as
// the Hilbert integral
//   delta ue(x) = (1/pi) PV int (dm/dxi) / (x - xi) dxi
// along the surface and the wake.  Taking m constant over the cell of each
// node (the faces half-way between nodes), dm/dxi is a row of jumps at the
// faces and the principal value at a node is a plain sum:
//   c(i, j) = (1/pi) [ 1/(x_i - xi_{j-1/2}) - 1/(x_i - xi_{j+1/2}) ],
// positive on the diagonal (a local thickening speeds the flow over it) and
// negative upstream (the flow behind a thickening slows down).  The first
// cell starts at the stagnation point, with no defect ahead of it; the last
// one runs on beyond the end of the wake, whose defect carries on.
#pragma once

#include <vector>

namespace viscous {

// The law's coefficients c(i, j), 1 <= j <= i <= n, for nodes at arc
// lengths s (increasing, node 1 first), row-major lower triangle:
// entry (i-1) i / 2 + (j-1).
std::vector<double> interaction_coefficients(const std::vector<double>& s);

}  // namespace viscous
