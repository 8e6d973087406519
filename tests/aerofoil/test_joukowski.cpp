// Joukowski solver: the printed figures of known sections, the geometry of
// the mapping and its limiting cases.
#include <gtest/gtest.h>

#include <cmath>

#include "joukowski.h"
#include "result_display.h"
#include "solved_section.h"

using aerofoil::Joukowski;

namespace {


// Rounds to the digits the window and the result file print.
double printed(double v, int decimals) {
  const double f = std::pow(10.0, decimals);
  return std::round(v * f) / f;
}

}  // namespace

TEST(Joukowski, DefaultSectionGivesItsPrintedFigures) {
  const Joukowski af = solved(12.0, 0.131, 0.0);
  EXPECT_EQ(printed(af.clift, 4), 1.4577);
  EXPECT_EQ(printed(af.xFocus, 4), 0.2563);
  EXPECT_EQ(printed(af.maxThickSym, 4), 0.0750);
  EXPECT_EQ(printed(af.v[0], 4), 0.8649);
  EXPECT_EQ(printed(af.s[256], 4), 2.0595);
  EXPECT_EQ(printed(af.chord, 4), 4.0544);
  EXPECT_EQ(af.cmFocus, 0.0);
  EXPECT_EQ(af.yFocus, 0.0);
  EXPECT_EQ(af.camber, 0.0);
  EXPECT_TRUE(std::signbit(af.alphaZeroLift));  // -atan(0): a negative zero

  double cpmin = 1.0;
  int imin = -1;
  for (int i = 0; i <= 256; ++i)
    if (af.cp[i] < cpmin) cpmin = af.cp[i], imin = i;
  EXPECT_EQ(printed(cpmin, 3), -5.857);
  EXPECT_LT(imin, 128);  // on the upper side, near the leading edge
  EXPECT_GT(imin, 100);
}

TEST(Joukowski, CamberedSectionGivesItsPrintedFigures) {
  const Joukowski af = solved(5.0, 0.1, 0.1);
  EXPECT_EQ(printed(af.clift, 4), 1.2802);
  EXPECT_EQ(printed(af.cmFocus, 4), 0.1530);
  EXPECT_EQ(printed(af.xFocus, 4), 0.2562);
  EXPECT_EQ(printed(af.yFocus, 4), 0.0050);
  EXPECT_EQ(printed(af.maxThickSym, 4), 0.0589);
  EXPECT_EQ(af.camber, 0.05);
  EXPECT_EQ(printed(af.alphaZeroLift, 4), -5.7106);
}

TEST(Joukowski, ContourIsClosedNormalisedAndMeasured) {
  for (double h : {0.0, 0.1, -0.3}) {
    const Joukowski af = solved(7.0, 0.131, h, 100);
    EXPECT_NEAR(af.x[0], 1.0, 1e-12);
    EXPECT_NEAR(af.y[0], 0.0, 1e-12);
    EXPECT_NEAR(af.x[100], af.x[0], 1e-12);
    EXPECT_NEAR(af.y[100], af.y[0], 1e-12);
    double xmin = 1.0, xmax = 0.0, perimeter = 0.0;
    for (int i = 0; i <= 100; ++i) {
      xmin = std::min(xmin, af.x[i]);
      xmax = std::max(xmax, af.x[i]);
      if (i > 0) perimeter += std::hypot(af.x[i] - af.x[i - 1], af.y[i] - af.y[i - 1]);
    }
    EXPECT_EQ(xmin, 0.0);
    EXPECT_EQ(xmax, 1.0);
    EXPECT_NEAR(af.s[100], perimeter, 1e-12);
    // Trailing-edge limit: equal speeds leaving over both sides.
    EXPECT_EQ(af.v[0], -af.v[100]);
    EXPECT_EQ(af.cp[0], af.cp[100]);
    EXPECT_EQ(af.cp[0], 1.0 - af.v[0] * af.v[0]);
  }
}

TEST(Joukowski, SymmetricSectionAtZeroIncidenceIsSymmetric) {
  const int n = 64;
  const double e = 0.2;
  const Joukowski af = solved(0.0, e, 0.0, n);
  for (int i = 1; i < n; ++i) {
    EXPECT_NEAR(af.y[n - i], -af.y[i], 1e-12) << i;
    EXPECT_NEAR(af.x[n - i], af.x[i], 1e-12) << i;
    EXPECT_NEAR(af.v[n - i], -af.v[i], 1e-12) << i;
  }
  EXPECT_DOUBLE_EQ(af.v[0], 1.0 / (1.0 + e));
  EXPECT_EQ(af.clift, 0.0);
}

TEST(Joukowski, VerticalRaysUseTheirOwnFormula) {
  // With N a multiple of 4 the rays at pi/2 and 3pi/2 meet the circle at
  // X = 0, Y = yc +- sqrt(R^2 - xc^2); x there is 0 before normalisation.
  const double e = 0.131, h = 0.2;
  const Joukowski af = solved(3.0, e, h, 256);
  const double beta = std::atan(h);
  const double xc = -e * std::cos(beta), yc = h + e * std::sin(beta);
  const double r = e + 1.0 / std::cos(beta);
  EXPECT_DOUBLE_EQ(af.radius[64], yc + std::sqrt(r * r - xc * xc));
  EXPECT_DOUBLE_EQ(af.radius[192], -(yc - std::sqrt(r * r - xc * xc)));
  // Both map to the abscissa of the origin of the aerofoil plane.
  EXPECT_NEAR(af.x[64], af.x[192], 1e-12);
}

TEST(Joukowski, CircularArcLimitAndQuarterChordFocus) {
  // e = 0, h = 0: a flat plate; lift 2 pi sin(alpha), focus at quarter chord.
  const Joukowski af = solved(4.0, 0.0, 0.0, 64);  // even N: a point at the leading edge
  EXPECT_DOUBLE_EQ(af.chord, 4.0);
  EXPECT_DOUBLE_EQ(af.clift, 6.283185307179586 * std::sin(3.141592653589793 * 4.0 / 180.0));
  EXPECT_NEAR(af.xFocus, 0.25, 1e-12);
  EXPECT_EQ(af.maxThickSym, -0.000001);
}

TEST(Joukowski, SharpLeadingEdgeLeavesOnlyTheLeadingPointNonFinite) {
  // e = 0 with even N puts a point at theta = pi where |dzeta/dz| = 0.
  Joukowski af = solved(5.0, 0.0, 0.1, 64);
  int nonfinite = 0;
  for (int i = 0; i <= 64; ++i)
    if (!std::isfinite(af.v[i]) || !std::isfinite(af.cp[i])) ++nonfinite;
  EXPECT_LE(nonfinite, 1);
  const aerofoil::Extremes ex = aerofoil::findExtremes(af);
  for (double v : {ex.xmin, ex.xmax, ex.ymin, ex.ymax, ex.cpmin, ex.cpmax})
    EXPECT_TRUE(std::isfinite(v));
}

TEST(Joukowski, ExtremesScanAllButTheRepeatedTrailingEdge) {
  const Joukowski af = solved(12.0, 0.131, 0.0);
  const aerofoil::Extremes ex = aerofoil::findExtremes(af);
  EXPECT_EQ(ex.xmin, 0.0);
  EXPECT_EQ(ex.xmax, 1.0);
  EXPECT_EQ(printed(ex.cpmin, 3), -5.857);
  EXPECT_GT(ex.cpmax, 0.99);  // stagnation
  EXPECT_LE(ex.cpmax, 1.0);
  EXPECT_GT(ex.ymax, 0.0);
  EXPECT_LT(ex.ymin, 0.0);
}

TEST(Joukowski, PointCountIsClampedToWhatTheHandOverHolds) {
  EXPECT_EQ(aerofoil::clampPoints(5), 8);
  EXPECT_EQ(aerofoil::clampPoints(0), 8);
  EXPECT_EQ(aerofoil::clampPoints(-40), 8);
  EXPECT_EQ(aerofoil::clampPoints(256), 256);
  EXPECT_EQ(aerofoil::clampPoints(1199), 1199);
  EXPECT_EQ(aerofoil::clampPoints(1200), 1199);
  EXPECT_EQ(aerofoil::clampPoints(2000000000), 1199);
}

// What the window shows: rounding residues as 0, real small results as
// they are, and a word when N is held to its bounds.
TEST(Joukowski, WindowShowsResiduesAsZeroAndSaysWhenNIsClamped) {
  double h = 0;  // the camber spinner five steps up and back down
  for (int k = 0; k < 10; ++k) h += k < 5 ? 0.02 : -0.02;
  const Joukowski back = solved(12.0, 0.131, h);
  for (double v : {back.cmFocus, back.yFocus, back.alphaZeroLift, solved(5, 0.0, 0.0).maxThickSym,
                   solved(12.0, 0.131, 0.0).alphaZeroLift}) {
    EXPECT_TRUE(v != 0.0 || std::signbit(v)) << v;  // a residue or -0, not a plain 0
    EXPECT_EQ(aerofoil::shownResult(v), 0.0);
    EXPECT_FALSE(std::signbit(aerofoil::shownResult(v)));
  }
  const Joukowski fine = solved(12.0, 0.131, 0.001);  // the spinner's finest camber
  EXPECT_GT(fine.yFocus, 10 * aerofoil::kShownZero);
  EXPECT_EQ(aerofoil::shownResult(fine.yFocus), fine.yFocus);
  EXPECT_EQ(aerofoil::clampNote(5), "N = 5 is below 8: N = 8 is used");
  EXPECT_EQ(aerofoil::clampNote(1500), "N = 1500 is above 1199: N = 1199 is used");
  EXPECT_EQ(aerofoil::clampNote(1199), "");
}
