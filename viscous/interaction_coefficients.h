// The thin-aerofoil interaction law along one surface and its half-wake.
//
// A change of the mass defect m = ue d1 along the surface displaces the
// outer flow; thin-aerofoil theory gives the edge velocity it induces as
// the Hilbert integral
//   delta ue(x) = (1/pi) PV int (dm/dxi) / (x - xi) dxi
// along the surface and the wake.  Taking m constant over the cell of each
// node (the faces half-way between nodes), dm/dxi is a row of jumps at the
// faces and the principal value at node i is a plain sum over them,
//   delta ue_i = (1/pi) sum_f (m_f+ - m_f-) / (x_i - xi_f),
// which gives node j upstream of i the coefficient
//   c(i, j) = (1/pi) [ 1/(x_i - xi_{j-1/2}) - 1/(x_i - xi_{j+1/2}) ] < 0
// (the flow behind a thickening slows down).  The march sees only the nodes
// up to the one it computes; the downstream part of the law keeps the
// sweep before's defect.  Were that taken literally, a change of m at node
// i would end in a step at the face just behind it, whose pull grows as
// 1/(x_{i+1} - x_i): near the trailing edge, where the nodes crowd, it
// swamps the law.  The change at i is rather taken to carry on downstream,
// so that only the face ahead of i sees it:
//   c(i, i) = sum_{j >= i} c(i, j) = (1/pi) / (x_i - xi_{i-1/2}),
// positive (a thickening speeds the flow over it).  At convergence the law
// drops out, so its form decides only how fast and how surely the sweeps
// converge.
#pragma once

#include <vector>

namespace viscous {

// The law's coefficients c(i, j), 1 <= j <= i <= n, for nodes at arc
// lengths s (increasing, node 1 the stagnation point), row-major lower
// triangle: entry (i-1) i / 2 + (j-1).  Unit 1/chord.  Node 1, where m = 0,
// has none.
std::vector<double> interaction_coefficients(const std::vector<double>& s);

}  // namespace viscous
