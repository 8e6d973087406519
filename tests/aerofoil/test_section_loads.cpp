// Lift and moment from the surface pressure against their closed forms,
// and the trailing streamline.
#include <gtest/gtest.h>

#include <cmath>

#include "outer_flow.h"
#include "solved_section.h"
#include "surface_loads.h"
#include "trailing_streamline.h"

using aerofoil::Complex;

TEST(SectionLoads, IntegratedPressureConvergesToTheClosedFormsAtSecondOrder) {
  for (double h : {0.0, 0.1}) {
    double clError[3], cmError[3];
    for (int k = 0; k < 3; ++k) {
      const int n = 128 << k;
      const aerofoil::Joukowski af = solved(8.0, 0.1, h, n);
      const aerofoil::OuterFlow flow(af);
      aerofoil::OuterSolution s;
      flow.solve(std::vector<double>(n + 1, 0.0), {}, s);
      const aerofoil::SectionLoads p = aerofoil::integratePressure(af.x, af.y, s.v, af.alphaDeg);
      const aerofoil::BareLoads exact = aerofoil::bareLoads(flow.plane());
      clError[k] = p.cl - exact.cl;
      cmError[k] = p.cm - exact.cm;
      EXPECT_LT(std::fabs(p.cd), 2e-2 / n);  // d'Alembert
      if (h == 0.0) {
        EXPECT_NEAR(exact.cl, af.clift, 1e-14);
      }
    }
    for (int k = 1; k < 3; ++k) {
      EXPECT_NEAR(clError[k - 1] / clError[k], 4.0, 0.2) << h;
      EXPECT_NEAR(cmError[k - 1] / cmError[k], 4.0, 0.2) << h;
    }
    EXPECT_LT(std::fabs(clError[2]), 1e-4);
  }
}

TEST(SectionLoads, FocusMomentIsTheSectionsOnTheTrueChord) {
  // The section's closed forms hold on the chord of the symmetric section
  // (exactly so when h = 0); the moment about the focus is the same one.
  for (double h : {0.0, 0.1}) {
    const aerofoil::Joukowski af = solved(5.0, 0.1, h, 256);
    const aerofoil::CirclePlane cp = aerofoil::circlePlane(af);
    const aerofoil::BareLoads b = aerofoil::bareLoads(cp);
    EXPECT_NEAR(b.cmFocus, -af.cmFocus * std::pow(af.chord / cp.len, 2), 1e-14);
    EXPECT_NEAR(b.xFocus, af.xFocus, h == 0.0 ? 1e-14 : 5e-5);
    EXPECT_NEAR(b.yFocus, af.yFocus, h == 0.0 ? 1e-14 : 5e-5);
    // About the focus the moment does not change with incidence.
    const aerofoil::Joukowski other = solved(-3.0, 0.1, h, 256);
    const aerofoil::BareLoads c = aerofoil::bareLoads(aerofoil::circlePlane(other), b.xFocus, b.yFocus);
    EXPECT_NEAR(c.cm, b.cmFocus, 1e-14);
  }
}

TEST(TrailingStreamline, SymmetricSectionAtZeroIncidenceFollowsTheAxis) {
  const aerofoil::Joukowski af = solved(0.0, 0.131, 0.0, 256);
  const aerofoil::OuterFlow flow(af);
  const aerofoil::CirclePlane& cp = flow.plane();
  aerofoil::Streamline line;
  ASSERT_EQ(aerofoil::trailingStreamline(flow, flow.bareFlow(0.0), {3.0, 0.002, 1.1}, line), "");
  EXPECT_EQ(line.s.back(), 3.0);
  EXPECT_NEAR(line.s[1], 0.002, 1e-15);
  EXPECT_NEAR(line.s[2] - line.s[1], 0.0022, 1e-15);
  for (std::size_t k = 0; k < line.s.size(); ++k) {
    EXPECT_EQ(line.y[k], 0.0);
    EXPECT_NEAR(line.x[k] - line.x[0], line.s[k], 1e-12);
    // On the axis z > a is real: speed (1 - r^2/(z - xc)^2) / (1 - a^2/z^2).
    const double zeta = line.x[k] * cp.len + cp.map->origin.real();
    const double z = 0.5 * (zeta + std::sqrt(zeta * zeta - 4.0));
    const double q =
        k == 0 ? 1.0 / cp.r : (1.0 - std::pow(cp.r / (z - cp.centre.real()), 2)) / (1.0 - 1.0 / (z * z));
    EXPECT_NEAR(line.q[k], q, k == 0 ? 1e-4 : 1e-13) << k;
  }
}

TEST(TrailingStreamline, LiftingLineKeepsTheBodysStreamFunction) {
  // Stream function Im[(z - c) e^{-i alpha} + r^2 e^{i alpha}/(z - c) +
  // i Gamma/(2 pi) ln(z - c)], equal to Gamma ln(r)/(2 pi) on the body;
  // Runge-Kutta in sqrt(s) keeps the line on it, better with finer steps.
  const aerofoil::Joukowski af = solved(6.0, 0.1, 0.1, 256);
  const aerofoil::OuterFlow flow(af);
  const aerofoil::CirclePlane& cp = flow.plane();
  const double gamma = flow.bareGamma() * cp.len;
  double previous = 0.0;
  for (int substeps : {1, 2, 4}) {
    aerofoil::Streamline line;
    aerofoil::trailingStreamline(flow, flow.bareFlow(flow.bareGamma()), {3.0, 0.002, 1.1}, line, substeps);
    double worst = 0.0;
    for (std::size_t k = 1; k < line.x.size(); ++k) {
      const Complex rel = aerofoil::toCircle(cp, Complex(line.x[k], line.y[k])) - cp.centre;
      const Complex w = rel * std::polar(1.0, -cp.alpha) + cp.r * cp.r * std::polar(1.0, cp.alpha) / rel +
                        Complex(0.0, gamma / 6.283185307179586) * std::log(rel);
      worst = std::max(worst, std::fabs(w.imag() - gamma / 6.283185307179586 * std::log(cp.r)));
    }
    EXPECT_LT(worst, 3e-5);
    if (substeps > 1) {
      EXPECT_LT(worst, previous / 6.0);
    }
    previous = worst;
    EXPECT_NEAR(line.q[0], std::cos(cp.alpha + cp.beta) / cp.r, 1e-4);
  }
  aerofoil::Streamline line;
  EXPECT_NE(aerofoil::trailingStreamline(flow, flow.bareFlow(0.0), {3.0, -1.0, 1.1}, line), "");
}
