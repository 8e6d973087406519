// A section through given points: a parametric cubic spline.
//
// x and y are each a cubic spline in the cumulative chord length S along
// the points (the sum of the straight distances between them), so that the
// parameter follows the curve however unevenly the points are spaced and the
// nose, where files crowd their points, is resolved.  The curve passes
// through every point exactly.  Its two ends meet at the trailing edge, a
// corner (or a cusp), so the spline is not periodic: each end takes the
// not-a-knot condition (the third derivative continuous across the second
// and the last-but-one point, the first two and the last two intervals each
// one cubic), which needs no guess of the end slopes.  t = S / S_total.
#pragma once

#include <complex>
#include <vector>

#include "section_shape.h"

namespace aerofoil {

class SplineShape : public SectionShape {
 public:
  // points: from the trailing edge over the upper surface to the nose and
  // back, the trailing edge first and last (both given); at least 4 points,
  // no two consecutive ones equal.  nose: the index of the leading edge.
  SplineShape(const std::vector<std::complex<double>>& points, int nose);
  std::complex<double> point(double t) const override;
  std::complex<double> tangent(double t) const override;
  void evaluate(double t, std::complex<double>& p, std::complex<double>& d) const override;
  double leadingEdge() const override { return knots_[nose_]; }
  // The parameter t of each point.
  const std::vector<double>& knots() const { return knots_; }

 private:
  int interval(double t) const;  // i with knots_[i] <= t <= knots_[i+1]

  std::vector<double> knots_;               // t of each point, 0 .. 1
  std::vector<std::complex<double>> z_;     // the points, chords
  std::vector<std::complex<double>> curv_;  // d2z/dt2 at each point
  int nose_;
};

}  // namespace aerofoil
