// The field of the exact flow against the surface numbers, for a
// Joukowski section in closed form and a NACA section through its
// numerical map: both come from the same map and circulation, so the
// field next to the wall must carry the surface speed, the section must be
// a streamline, and a point must come back from the circle plane.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "flow_field.h"
#include "numerical_map.h"
#include "section_model.h"
#include "solved_section.h"
#include "stream_grid.h"

using aerofoil::Complex;

namespace {

aerofoil::Joukowski naca4412(double alpha, int n = 256) {
  aerofoil::SectionInputs in;
  in.kind = aerofoil::SectionKind::naca;
  in.naca = "4412";
  in.n = n;
  std::string why;
  const auto model = aerofoil::makeSection(in, why);
  EXPECT_TRUE(model) << why;
  aerofoil::Joukowski af;
  model->solve(alpha, af);
  return af;
}

aerofoil::Joukowski karmanTrefftz(double alpha) {
  aerofoil::SectionInputs in;
  in.kind = aerofoil::SectionKind::karmanTrefftz;
  in.eR1 = 0.1;
  in.hR1 = 0.05;
  in.teAngleDeg = 15.0;
  std::string why;
  aerofoil::Joukowski af;
  aerofoil::makeSection(in, why)->solve(alpha, af);
  return af;
}

// The sections of every test: a cambered Joukowski section (a cusp, closed
// form), NACA 4412 (a numerical map) and a Karman-Trefftz section (a wedge,
// where the trailing edge is a stagnation point).
struct Case {
  const char* name;
  aerofoil::Joukowski af;
};
std::vector<Case> sections() {
  return {{"Joukowski", solved(8.0, 0.131, 0.05)}, {"NACA 4412", naca4412(6.0)}, {"Karman-Trefftz", karmanTrefftz(5.0)}};
}

// Point i moved off the wall by h chords along the outward normal: the
// contour runs from the trailing edge over the upper surface, the outside
// on its right.
Complex offWall(const aerofoil::Joukowski& af, int i, double h) {
  const Complex t(af.x[i + 1] - af.x[i - 1], af.y[i + 1] - af.y[i - 1]);
  return Complex(af.x[i], af.y[i]) - h * Complex(0.0, 1.0) * t / std::abs(t);
}

}  // namespace

TEST(FlowField, SpeedOffTheWallTendsToTheSurfaceSpeedAtFirstOrder) {
  // One contour step h off the wall the speed is the surface speed V less
  // kappa V h (a potential flow along a wall of curvature kappa has
  // dV/dn = -kappa V): the difference falls with h, at first order, at the
  // rate the wall's curvature gives.  Away from the edges, where the steps
  // crowd.
  for (const Case& c : sections()) {
    const aerofoil::Joukowski& af = c.af;
    const aerofoil::FlowField field(af);
    double worst[2] = {0.0, 0.0}, slope = 0.0;
    for (int i = 20; i < af.currentN - 20; i += 7) {
      const double h = af.s[i + 1] - af.s[i], v = std::fabs(af.v[i]);
      // Next to the stagnation point the flow off the wall is the
      // stagnation flow's, which the wall's speed does not tell.
      if (v < 0.35) continue;
      double dv[2];
      for (int k = 0; k < 2; ++k) {
        const aerofoil::FieldValue f = field.at(offWall(af, i, h / (1 << k)));
        ASSERT_FALSE(f.inside) << c.name << " point " << i;
        dv[k] = f.speed - v;
        worst[k] = std::max(worst[k], std::fabs(dv[k]));
      }
      // The curvature of the circle through points i-1, i, i+1.
      const Complex a(af.x[i - 1], af.y[i - 1]), b(af.x[i], af.y[i]), e(af.x[i + 1], af.y[i + 1]);
      const double kappa = 2.0 * std::imag(std::conj(b - a) * (e - b)) / (std::abs(b - a) * std::abs(e - b) * std::abs(e - a));
      // The slope from the two steps, extrapolated to the wall.
      const double dvdn = (4.0 * dv[1] - dv[0]) / h;
      slope = std::max(slope, std::fabs(dvdn + kappa * v) / (1.0 + std::fabs(kappa * v)));
    }
    EXPECT_LT(slope, 0.03) << c.name;
    EXPECT_GT(worst[0] / worst[1], 1.7) << c.name;
    EXPECT_LT(worst[0] / worst[1], 2.3) << c.name;
  }
}

TEST(FlowField, SectionAndDividingStreamlineCarryPsiZero) {
  // psi = 0 on every contour point and along both branches of the
  // dividing streamline, which leave the stagnation points; the speed
  // vanishes at the front stagnation point.
  for (const Case& c : sections()) {
    const aerofoil::FlowField field(c.af);
    for (int i = 1; i < c.af.currentN; ++i)
      ASSERT_NEAR(field.at(Complex(c.af.x[i], c.af.y[i])).psi, 0.0, 1e-10) << c.name << " point " << i;
    aerofoil::FlowField::Branches circle, chord;
    field.dividingStreamline(100.0, 1.05, circle, chord);
    for (const auto* branch : {&chord.upstream, &chord.downstream})
      for (std::size_t k = 1; k < branch->size(); ++k)
        ASSERT_NEAR(field.at((*branch)[k]).psi, 0.0, 1e-10) << c.name;
    EXPECT_NEAR(std::abs(chord.downstream.front() - Complex(c.af.x[0], c.af.y[0])), 0.0, 1e-12) << c.name;
    EXPECT_NEAR(field.atCircle(circle.upstream.front()).speed, 0.0, 1e-12) << c.name;
    // The trailing edge: a finite speed leaving a cusp, none at a wedge.
    const double te = field.at(Complex(c.af.x[0], c.af.y[0])).speed;
    if (c.af.map && c.af.map->trailingEdgeAngle() > 0)
      EXPECT_EQ(te, 0.0) << c.name;
    else
      EXPECT_GT(te, 0.5) << c.name;
    // Far downstream the branch runs with the free stream (its downwash
    // falling as the circulation over the distance).
    const Complex far = chord.downstream.back() - chord.downstream[chord.downstream.size() - 2];
    EXPECT_NEAR(std::arg(far), c.af.alphaDeg * 3.141592653589793 / 180.0, 0.005) << c.name;
  }
}

TEST(FlowField, CirclePlaneImageMapsBackAndTheInsideIsKnown) {
  for (const Case& c : sections()) {
    const aerofoil::FlowField field(c.af);
    // The middle of a chord across the section is inside.
    const int n = c.af.currentN;
    for (int i = n / 8; i < 3 * n / 8; i += 5)
      EXPECT_TRUE(field.inside(0.5 * Complex(c.af.x[i] + c.af.x[n - i], c.af.y[i] + c.af.y[n - i]))) << c.name << i;
    // A lattice of points about it, none on the contour: those outside map
    // to the circle's outside and back.
    int outside = 0;
    for (double x = -0.49; x <= 1.5; x += 0.125)
      for (double y = -0.495; y <= 0.5; y += 0.0625) {
        const Complex p(x, y);
        if (std::fabs(y) > 0.1 || x < -0.05 || x > 1.05) EXPECT_FALSE(field.inside(p)) << c.name << " " << p;
        if (field.inside(p)) continue;
        ++outside;
        const Complex z = field.toCircle(p);
        EXPECT_GE(std::abs(z), field.radius() * (1 - 1e-12));
        EXPECT_LT(std::abs(field.toChord(z) - p), 1e-11) << c.name << " " << p;
        // The value at the image is the value at the point.
        EXPECT_NEAR(field.atCircle(z).cp, field.at(p).cp, 1e-10);
      }
    EXPECT_GT(outside, 230) << c.name;
  }
}

TEST(FlowField, RingsMappedAtOnceAreMappedPointByPoint) {
  // The numerical map sums its series on a ring by FFT: the same images and
  // derivatives as point by point, on the circle and off it.
  const aerofoil::Joukowski af = naca4412(4.0);
  const aerofoil::SectionMap& map = *af.map;
  const std::vector<double> rho{map.r, 1.01 * map.r, 1.5 * map.r, 6.0 * map.r};
  std::vector<Complex> chord, derivative;
  map.mapRings(rho, 64, chord, &derivative);
  for (std::size_t k = 0; k < rho.size(); ++k)
    for (std::size_t j = 0; j < 64; ++j) {
      const Complex z = map.centre + std::polar(rho[k], 2.0 * 3.141592653589793 * static_cast<double>(j) / 64.0);
      ASSERT_LT(std::abs(chord[k * 64 + j] - map.toChord(z)), 1e-13) << k << " " << j;
      ASSERT_LT(std::abs(derivative[k * 64 + j] - map.derivative(z)), 1e-11) << k << " " << j;
    }
}

TEST(StreamGrid, StreamlinesDrawnLieOnTheirLevels) {
  // The contoured streamlines, carried to the section plane by the mapped
  // grid, lie on their level of the exact stream function to within what
  // a straight piece between two mapped nodes misses (a few thousandths of
  // a chord, under a pixel of the view).
  for (const Case& c : sections()) {
    const aerofoil::FlowField field(c.af);
    const aerofoil::StreamGrid grid = aerofoil::streamGrid(field, aerofoil::reachFor(field, -0.6, 1.6, -1, 1), 256, false);
    // The grid covers the view: its corners lie within the outermost ring.
    for (const Complex corner : {Complex(-0.6, -1), Complex(-0.6, 1), Complex(1.6, -1), Complex(1.6, 1)})
      EXPECT_LT(std::abs(field.toCircle(corner)), grid.radius.back()) << c.name << " " << corner;
    const double spacing = aerofoil::streamSpacing(2.0, 24);
    const std::vector<aerofoil::StreamLine> lines = aerofoil::streamLines(grid, grid.chord, spacing);
    EXPECT_GT(lines.size(), 30u) << c.name;
    double worst = 0.0;
    for (const aerofoil::StreamLine& l : lines)
      for (std::size_t k = 0; k < l.points.size(); k += 5) {
        const aerofoil::FieldValue v = field.at(l.points[k]);
        if (!v.inside && std::abs(l.points[k] - Complex(0.5, 0)) < 1.5)
          worst = std::max(worst, std::fabs(v.psi - l.level * spacing) / v.speed);
      }
    EXPECT_LT(worst, 3e-3) << c.name;  // psi / |V|: the distance across the streamlines
  }
}
