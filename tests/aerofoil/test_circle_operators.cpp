// The circle plane of a solved section and the conjugate-function operator.
#include <gtest/gtest.h>

#include <cmath>

#include "circle_fourier.h"
#include "circle_plane.h"
#include "solved_section.h"

using aerofoil::Complex;

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

TEST(CirclePlane, MapsTheStoredContourAndInvertsOutside) {
  const aerofoil::Joukowski af = solved(6.0, 0.1, 0.1, 200);
  const aerofoil::CirclePlane cp = aerofoil::circlePlane(af);
  EXPECT_DOUBLE_EQ(std::abs(aerofoil::circlePoint(cp, -cp.beta)), 1.0);  // the edge is z = a
  for (int i = 0; i <= 200; i += 5) {
    const Complex p = aerofoil::toPhysical(cp, aerofoil::circlePoint(cp, cp.phi[i]));
    EXPECT_NEAR(p.real(), af.x[i], 1e-13) << i;
    EXPECT_NEAR(p.imag(), af.y[i], 1e-13) << i;
    if (i > 0) {
      EXPECT_GT(cp.phi[i], cp.phi[i - 1]);
    }
  }
  // Off the section the inverse gives back the point outside the circle,
  // close to the cusp too.
  for (double rho : {1.0 + 1e-9, 1.01, 3.0})
    for (double phi : {-cp.beta + 1e-6, 0.4, 2.5, 5.0}) {
      const Complex z = cp.centre + std::polar(rho * cp.r, phi);
      // Near the cusp the inverse loses digits as 1/|dzeta/dz|.
      const double tolerance = 1e-13 + 1e-15 / std::abs(z - 1.0);
      EXPECT_LT(std::abs(aerofoil::toCircle(cp, aerofoil::toPhysical(cp, z)) - z), tolerance);
    }
  // |dzeta/dz| vanishes at the edge, as 2 r |phi + beta| beside it.
  EXPECT_LT(aerofoil::mapModulus(cp, -cp.beta), 1e-15);
  EXPECT_NEAR(aerofoil::mapModulus(cp, -cp.beta + 1e-5) / 1e-5, 2.0 * cp.r, 1e-4);
}

TEST(ConjugateFunction, CosineGivesSineAndTheMeanNothing) {
  const aerofoil::RealFft fft(64);
  for (int n : {1, 5, 31}) {
    std::vector<double> cosine(64), sine(64);
    for (int j = 0; j < 64; ++j) {
      cosine[j] = 0.7 + std::cos(n * kTwoPi * j / 64);
      sine[j] = std::sin(n * kTwoPi * j / 64);
    }
    const aerofoil::TrigSeries fromCos = aerofoil::conjugate(aerofoil::trigSeries(fft, cosine));
    const aerofoil::TrigSeries fromSin = aerofoil::conjugate(aerofoil::trigSeries(fft, sine));
    for (double x : {0.0, 0.31, 1.7, 4.4, 6.1}) {  // off the sample angles as well
      EXPECT_NEAR(fromCos(x), std::sin(n * x), 5e-14) << n;
      EXPECT_NEAR(fromSin(x), -std::cos(n * x), 5e-14) << n;
    }
  }
}

TEST(ConjugateFunction, FftAgreesWithTheDirectSum) {
  const int m = 32;
  std::vector<double> f(m);
  for (int j = 0; j < m; ++j) f[j] = std::exp(std::sin(0.3 * j)) - 0.1 * j;
  std::vector<Complex> X(m / 2 + 1);
  aerofoil::RealFft(m).forward(f.data(), X.data());
  for (int n = 0; n <= m / 2; ++n) {
    Complex direct = 0.0;
    for (int j = 0; j < m; ++j) direct += f[j] * std::polar(1.0, -kTwoPi * n * j / m);
    EXPECT_LT(std::abs(X[n] - direct), 1e-12) << n;
  }
}
