// The wake line as a chain of uniform source panels, and the quadrature
// that carries them into the circle plane.
//
// Near the cusped trailing edge zeta - 2a behaves as (z - a)^2: a panel
// near the edge is short in the physical plane but long in the circle
// plane.  In the variable u = sqrt(arc length from the trailing edge) its
// circle-plane image is smooth up to the edge, so the quadrature runs in u.
#pragma once

#include <string>
#include <vector>

#include "circle_plane.h"

namespace aerofoil {

struct WakeLine {
  std::vector<Complex> point;  // points 0..K, chords; point 0 the trailing edge
  std::vector<double> arc;     // arc length of point k from the trailing edge along the panels
  std::vector<double> length;  // length of panel k (point k to k+1)
  std::vector<Complex> dir;    // unit direction of panel k
  int panels() const { return static_cast<int>(length.size()); }
};

// The wake line through the points (x, y), chords, checked: at least two
// points, point 0 within 1e-6 chord of the trailing edge te (it is then put
// on it), every other point finite and outside the section, no panel of
// zero length.  Returns an empty string, or what is wrong.
std::string makeWakeLine(const CirclePlane& cp, Complex te, const std::vector<double>& x,
                         const std::vector<double>& y, WakeLine& out);

// Quadrature points of the panels in the circle plane.
struct WakeQuadrature {
  std::vector<Complex> z;     // circle-plane point
  std::vector<double> share;  // share of its panel's flux (the shares of a panel add to 1)
  std::vector<int> panel;     // its panel
};

// Each panel is cut in u until every piece's circle-plane image is shorter
// than half its distance from the circle (or from `closest`, the distance
// below which no point is ever evaluated); three Gauss points a piece.
WakeQuadrature wakeQuadrature(const CirclePlane& cp, const WakeLine& wake, double closest);

// Conjugate velocity u - i v, free space, physical plane, of panel k with
// unit flux at the physical point p off the panel.
Complex panelVelocity(const WakeLine& wake, int k, Complex p);

// The same at wake point j (0 < j <= K) for a panel that ends or starts
// there: the principal value along the line.  The normal part (the jump of
// the sheet) is left out, and the logarithms of the two panels meeting at
// the point are cut at the distance that makes the sum exact for a source
// density varying linearly across the point.
Complex panelVelocityAtEnd(const WakeLine& wake, int k, int j);

}  // namespace aerofoil
