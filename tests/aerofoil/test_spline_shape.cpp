// A section through points: the spline passes through them and converges
// on the curve they came from at the fourth order of the spacing.
#include <gtest/gtest.h>

#include <cmath>

#include "naca_section.h"
#include "spline_shape.h"
#include "surface_ordinate.h"

namespace {

// n + 1 points of NACA 0012 at even steps of its parameter (x = s^2: close
// at the nose, wider towards the trailing edge, as files space them).
std::vector<std::complex<double>> nacaPoints(const aerofoil::NacaShape& naca, int n) {
  std::vector<std::complex<double>> z(n + 1);
  for (int i = 0; i <= n; ++i) z[i] = naca.point(static_cast<double>(i) / n);
  return z;
}

TEST(SplineShape, ThroughThePointsAndFourthOrderOnTheCurve) {
  aerofoil::NacaDesignation d;
  std::string why;
  ASSERT_TRUE(aerofoil::parseNacaDesignation("0012", d, why));
  const aerofoil::NacaShape naca(d);
  double previous = 0;
  for (int n : {40, 80, 160}) {
    const std::vector<std::complex<double>> z = nacaPoints(naca, n);
    const aerofoil::SplineShape spline(z, n / 2);
    EXPECT_EQ(spline.point(0), z[0]);
    EXPECT_EQ(spline.point(spline.leadingEdge()), z[n / 2]);
    EXPECT_EQ(spline.point(1), z[n]);
    // The largest error of the ordinate between the points, trailing edge
    // included (both ends rest on the not-a-knot condition).
    double error = 0;
    for (double x = 0.005; x < 1; x += 0.0025)
      for (bool upper : {true, false})
        error = std::max(error, std::fabs(surfaceOrdinate(spline, x, upper, spline.leadingEdge()) -
                                          surfaceOrdinate(naca, x, upper, 0.5)));
    if (previous > 0) {
      EXPECT_GT(previous / error, 10) << n;  // 16 for the fourth order
    }
    previous = error;
    // Regular: the tangent is the derivative of the point and never small.
    for (double t = 0; t <= 1; t += 1.0 / 997) {
      const double h = 1e-7, a = std::max(0.0, t - h), b = std::min(1.0, t + h);
      const std::complex<double> difference = (spline.point(b) - spline.point(a)) / (b - a);
      EXPECT_NEAR(std::abs(spline.tangent(t) - difference), 0, 1e-5 * std::abs(difference));
      EXPECT_GT(std::abs(spline.tangent(t)), 1);  // about the length of the outline, 2.03 chords
    }
  }
  EXPECT_LT(previous, 1e-7);  // 4e-5, 8e-7, 3e-8 at 41, 81, 161 points
}

}  // namespace
