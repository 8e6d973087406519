// The conformal map of any section against maps known in closed form: the
// numerical map of an outline given as points must give the flow that the
// closed form gives, and the far field of a smooth body its known
// coefficients.
#include <gtest/gtest.h>

#include <cmath>

#include "circle_plane.h"
#include "contour_file.h"
#include "karman_trefftz_map.h"
#include "mapped_section.h"
#include "naca_section.h"
#include "numerical_map.h"
#include "section_file.h"
#include "section_model.h"
#include "solved_section.h"
#include "surface_loads.h"

using aerofoil::Complex;

namespace {

constexpr double kPi = 3.141592653589793;

// The outline through the points of a solved section, as another program
// would read its contour file.
std::shared_ptr<const aerofoil::NumericalMap> mapOfPoints(const aerofoil::Joukowski& af) {
  aerofoil::SectionOutline outline;
  std::string why;
  EXPECT_TRUE(aerofoil::sectionFromCoordinates(aerofoil::contourText(af), outline, why)) << why;
  auto map = aerofoil::NumericalMap::build(*outline.shape, why);
  EXPECT_TRUE(map) << why;
  return map;
}

// Largest difference of surface speed between a mapped section and the flow
// of `exact` at the same physical points, ahead of x/c = xEnd.
double speedError(const aerofoil::Joukowski& mapped, const aerofoil::CirclePlane& exact, double xEnd) {
  double worst = 0.0;
  for (int i = 1; i < mapped.currentN; ++i) {
    if (mapped.x[i] > xEnd) continue;
    const Complex z = aerofoil::toCircle(exact, Complex(mapped.x[i], mapped.y[i]));
    const double phi = std::arg(z - exact.centre);
    const double v = 2.0 * (std::sin(phi - exact.alpha) + std::sin(exact.alpha + exact.beta)) /
                     std::abs(aerofoil::mapDerivative(exact, z));
    worst = std::max(worst, std::fabs(std::fabs(mapped.v[i]) - std::fabs(v)));
  }
  return worst;
}

}  // namespace

TEST(NumericalMap, JoukowskiContourReadBackGivesTheClosedFormFlow) {
  // The contour the program exports at N 256, read back as points: the lift
  // of the exact Kutta circulation on the same chord within 1e-5, the
  // surface speed within 1e-4 ahead of x/c 0.98 (the spline through the
  // points is the only approximation; its error falls as N^-3).
  for (const auto& [e, h] : {std::pair{0.131, 0.0}, std::pair{0.1, 0.05}}) {
    const aerofoil::Joukowski af = solved(5.0, e, h, 256);
    aerofoil::MappedSection mapped(mapOfPoints(af), {}, 256);
    aerofoil::Joukowski m;
    mapped.solve(5.0, m);
    const aerofoil::CirclePlane exact = aerofoil::circlePlane(af);
    EXPECT_NEAR(m.clift, aerofoil::bareLoads(exact).cl, 1e-5 * af.clift) << e << " " << h;
    EXPECT_LT(speedError(m, exact, 0.98), 1e-4) << e << " " << h;
    EXPECT_NEAR(m.alphaZeroLift, -std::atan(h) * 180.0 / kPi, 1e-4);
  }
}

TEST(NumericalMap, KarmanTrefftzContourReadBackGivesTheClosedFormFlow) {
  // A trailing edge of 12 degrees: the corner opened by the numerical map's
  // own exponent, the flow against the closed-form Karman-Trefftz map.
  const auto kt = std::make_shared<aerofoil::KarmanTrefftzMap>(0.12, 0.04, 12.0 * kPi / 180.0);
  aerofoil::Joukowski af;
  aerofoil::MappedSection(kt, {}, 512).solve(4.0, af);
  const auto map = mapOfPoints(af);
  EXPECT_NEAR(map->trailingEdgeAngle(), kt->trailingEdgeAngle(), 0.3 * kPi / 180.0);
  aerofoil::Joukowski m;
  aerofoil::MappedSection(map, {}, 256).solve(4.0, m);
  EXPECT_NEAR(m.clift, af.clift, 1e-5 * af.clift);
  EXPECT_NEAR(m.cmFocus, af.cmFocus, 1e-5);
  EXPECT_LT(speedError(m, aerofoil::circlePlane(af), 0.98), 1e-4);
  EXPECT_EQ(m.v.front(), 0.0);  // a wedge: the edge is a stagnation point
}

TEST(NumericalMap, EllipseHasItsKnownFarField) {
  // The ellipse of semi-axes a, b is the image of the circle of radius
  // (a + b)/2 under zeta = w + (a^2 - b^2)/(4 w): d0 its centre, c1 =
  // (a^2 - b^2)/4.  Its right end taken as the "edge" (a flat corner, tau =
  // pi) and the flow with the Kutta circulation stagnates there.
  struct Ellipse final : aerofoil::SectionShape {
    double b;
    Complex point(double t) const override {
      return Complex(0.5 + 0.5 * std::cos(2 * kPi * t), b * std::sin(2 * kPi * t));
    }
    Complex tangent(double t) const override {
      return 2 * kPi * Complex(-0.5 * std::sin(2 * kPi * t), b * std::cos(2 * kPi * t));
    }
    double leadingEdge() const override { return 0.5; }
  } ellipse;
  ellipse.b = 0.2;
  std::string why;
  const auto map = aerofoil::NumericalMap::build(ellipse, why);
  ASSERT_TRUE(map) << why;
  EXPECT_NEAR(map->r, 0.35, 1e-13);
  EXPECT_NEAR(std::abs(map->d0 - Complex(0.5, 0.0)), 0.0, 1e-13);
  EXPECT_NEAR(std::abs(map->c1 - Complex(0.25 - 0.04, 0.0) / 4.0), 0.0, 1e-13);
  EXPECT_NEAR(map->beta, 0.0, 1e-14);
  EXPECT_NEAR(map->trailingEdgeAngle(), kPi, 1e-12);
}

TEST(NumericalMap, NacaSectionsConvergeAndKeepTheirSymmetry) {
  // NACA 0012 is symmetric: no lift at zero incidence but round-off, and no
  // moment about its focus.
  std::string why;
  aerofoil::SectionInputs naca;
  naca.kind = aerofoil::SectionKind::naca;
  naca.naca = "0012";
  const auto zero = aerofoil::makeSection(naca, why);
  ASSERT_TRUE(zero) << why;
  aerofoil::Joukowski af;
  zero->solve(0.0, af);
  EXPECT_LT(std::fabs(af.clift), 1e-13);
  EXPECT_LT(std::fabs(af.cmFocus), 1e-13);
  EXPECT_NEAR(af.maxThickSym, 0.12, 2e-5);  // the closed edge thickens it by 1.5e-5
  // The lift converges with the FFT length: doubling it from 1024 moves the
  // lift of NACA 4412 by less than 1e-8 (the surface speed converges more
  // slowly, near the breaks of its mean line's curvature and its nose).
  aerofoil::SectionOutline outline;
  ASSERT_TRUE(aerofoil::nacaSection("4412", outline, why)) << why;
  double lift[2];
  for (int k = 0; k < 2; ++k) {
    aerofoil::NumericalMapSettings settings;
    settings.fftLength = 1024 << k;
    auto map = aerofoil::NumericalMap::build(*outline.shape, why, settings);
    ASSERT_TRUE(map) << why;
    aerofoil::MappedSection(map, {}, 128).solve(4.0, af);
    lift[k] = af.clift;
  }
  EXPECT_NEAR(lift[0], lift[1], 1e-8);
  EXPECT_NEAR(af.alphaZeroLift, -4.2827, 1e-3);
}
