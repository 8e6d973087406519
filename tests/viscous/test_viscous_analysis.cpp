// The viscous analysis against what the physics requires of it: symmetry,
// the decambering that lowers the lift, its vanishing with the displacement
// thickness, independence of the grids, and sweeps that settle.
#include <cmath>

#include <gtest/gtest.h>

#include "flow_field.h"
#include "joukowski.h"
#include "session_layer.h"
#include "viscous_analysis.h"

namespace {

struct Viscous {
  aerofoil::Joukowski af;
  viscous::Result r;
  bl::SurfaceResult upper, lower;
};

// One analysis of the section (e/R1, h/R1) at alpha, transition tripped at
// x/c 0.05 on both surfaces, or at the windows' arc lengths; with the
// coupling's own closure (Spalart-Allmaras) or the one given.
Viscous analyse(double alpha, double e, double h, double re_mill, int n = 256, int np = 41, bool trip_xc = true,
                bl::Turbulence model = viscous::Settings{}.turbulence) {
  Viscous v;
  aerofoil::resizePoints(v.af, n);
  aerofoil::solveSection(v.af, alpha, e, h);
  bl::ComputationParameters p;
  p.re_mill = re_mill;
  p.np_in = np;
  if (trip_xc) p.xtr_xc[0] = p.xtr_xc[1] = 0.05;
  viscous::Settings settings;
  settings.turbulence = model;
  v.r = viscous::analyse(v.af, p, settings);
  EXPECT_TRUE(v.r.status.ok) << v.r.status.message;
  EXPECT_TRUE(v.r.converged) << "alpha " << alpha << ": " << v.r.sweeps << " sweeps";
  // Settled: the last sweep moved the lift and the surface speed by less than 1e-5.
  EXPECT_LT(v.r.change_cl, 1e-5);
  EXPECT_LT(v.r.change_ue, 1e-5);
  v.upper = v.r.surfaces[0];
  v.lower = v.r.surfaces[1];
  return v;
}

double displacementAtTrailingEdge(const bl::SurfaceResult& r) { return r.at_trailing_edge(bl::Column::d1); }

}  // namespace

// A symmetric section at zero incidence: no lift, no moment, and the two
// surfaces and their half-wakes alike.
TEST(ViscousAnalysis, SymmetricSectionAtZeroIncidenceCarriesNoLift) {
  const Viscous v = analyse(0.0, 0.1, 0.0, 3.0);
  EXPECT_NEAR(v.r.cl, 0.0, 1e-4);
  EXPECT_NEAR(v.r.cm, 0.0, 1e-5);
  EXPECT_NEAR(v.upper.at_trailing_edge(bl::Column::d2), v.lower.at_trailing_edge(bl::Column::d2), 1e-3 * v.upper.at_trailing_edge(bl::Column::d2));
  EXPECT_NEAR(v.upper[bl::Column::d2].back(), v.lower[bl::Column::d2].back(), 1e-3 * v.upper[bl::Column::d2].back());
  EXPECT_GT(v.r.cd, v.r.cd_friction);
  EXPECT_GT(v.r.cd_friction, 0.0);
}

// The displacement decambers a cambered section: less lift at a given
// angle, and the angle of zero lift moves towards zero.
TEST(ViscousAnalysis, CamberedSectionLosesLiftAndItsZeroLiftAngleMovesTowardsZero) {
  const Viscous a = analyse(-4.0, 0.1, 0.1, 3.0), b = analyse(0.0, 0.1, 0.1, 3.0);
  EXPECT_LT(b.r.cl, b.af.clift);
  const double slope = (b.r.cl - a.r.cl) / 4.0;
  const double zero_lift = -b.r.cl / slope;  // degrees, from the chord of the two angles
  EXPECT_LT(b.af.alphaZeroLift, zero_lift);
  EXPECT_LT(zero_lift, 0.0);
}

// The lift lost to the displacement goes with the displacement: from
// Re 1e7 to 1e10 the trailing-edge displacement thickness halves and falls
// towards zero, and the relative lift deficit keeps to it in proportion.
TEST(ViscousAnalysis, LiftDeficitShrinksWithTheDisplacementThickness) {
  double ratio0 = 0.0, d0 = 1.0;
  for (double re_mill : {10.0, 1000.0, 10000.0}) {
    const Viscous v = analyse(4.0, 0.1, 0.0, re_mill);
    const double deficit = (v.af.clift - v.r.cl) / v.af.clift;
    const double d1 = displacementAtTrailingEdge(v.upper) + displacementAtTrailingEdge(v.lower);
    EXPECT_GT(deficit, 0.0) << re_mill;
    EXPECT_LT(d1, d0) << re_mill;
    d0 = d1;
    if (ratio0 == 0.0) ratio0 = deficit / d1;
    EXPECT_NEAR(deficit / d1, ratio0, 0.1 * ratio0) << re_mill;
  }
}

// N and Np doubled change the lift and the drag by less than half a per
// cent.  (The trip stays where the windows put it, near the nose: a trip at
// a chord position falls on the first station behind it, a station later
// on the coarser contour.)
TEST(ViscousAnalysis, LiftAndDragConvergeWithTheGrids) {
  const Viscous coarse = analyse(4.0, 0.1, 0.0, 10.0, 256, 41, false), fine = analyse(4.0, 0.1, 0.0, 10.0, 512, 81, false);
  EXPECT_NEAR(fine.r.cl, coarse.r.cl, 0.005 * fine.r.cl);
  EXPECT_NEAR(fine.r.cd, coarse.r.cd, 0.005 * fine.r.cd);
}

// At Re 1 million the layer behind the trip reaches the outer edge of its
// normal grid, which then grows by two points; whether a station grows can
// turn on the last digits of its profile.  A station that grew in one sweep
// and not in the next kept the sweeps from settling (a cycle of two sweeps,
// 3e-5 in the surface speed, for ever); each converges now.
// (With Spalart-Allmaras the thick cambered section takes 53 sweeps: its
// layer answers the rising pressure more, and the sweeps settle more slowly.)
TEST(ViscousAnalysis, GrowthOfTheNormalGridLetsTheSweepsSettle) {
  const struct {
    double alpha, e, h;
  } cases[] = {{2.0, 0.15, 0.05}, {3.0, 0.2, 0.08}, {1.0, 0.1, 0.1}};
  for (bl::Turbulence model : {bl::Turbulence::algebraic, bl::Turbulence::spalart_allmaras})
    for (const auto& c : cases) {
      const Viscous v = analyse(c.alpha, c.e, c.h, 1.0, 256, 41, true, model);
      EXPECT_LT(v.r.sweeps, model == bl::Turbulence::algebraic ? 50 : 60) << c.alpha << " " << c.e << " " << c.h;
    }
}

// The mass defect is relaxed by half from sweep to sweep on every contour:
// a reviewer found the sweeps of N 160 and 192 unsettled at 0.7 (there the
// defect is carried onto the outer flow's FFT grid, 256 points, by
// interpolation, and the trailing edge answers a change more sharply than on
// a contour of 128 or 256 intervals); at 0.5 they settle like the others.
TEST(ViscousAnalysis, SweepsSettleOnContoursOfEverySize) {
  for (int n : {96, 160, 192}) {
    const Viscous v = analyse(4.0, 0.1, 0.1, 3.0, n);
    EXPECT_LT(v.r.sweeps, 50) << n;
  }
}

// The displacement body the flow view draws: outside the section, thicker
// than it by both layers' displacement thickness at the trailing edge, and
// the wake's centre line from the edge downstream with the flow.
TEST(ViscousAnalysis, DisplacementBodyLiesOutsideTheSectionAndFollowsTheWake) {
  const Viscous v = analyse(4.0, 0.131, 0.0, 1.0);
  const viscous::DisplacementBody& b = v.r.body;
  ASSERT_FALSE(b.empty());
  const aerofoil::FlowField field(v.af);
  for (std::size_t side = 0; side < 2; ++side)
    for (std::size_t j = 0; j < b.x[side].size(); ++j)
      ASSERT_FALSE(field.inside({b.x[side][j], b.y[side][j]})) << side << " node " << j;
  // At the trailing edge the two lines lie the sum of the layers' d1 apart.
  const auto teNode = [](const bl::SurfaceResult& r) { return static_cast<std::size_t>(r.wall_nodes - 1); };
  const double gap = std::hypot(b.x[0][teNode(v.upper)] - b.x[1][teNode(v.lower)],
                                b.y[0][teNode(v.upper)] - b.y[1][teNode(v.lower)]);
  EXPECT_NEAR(gap, displacementAtTrailingEdge(v.upper) + displacementAtTrailingEdge(v.lower), 1e-3);
  ASSERT_GT(b.wakeX.size(), 10u);
  EXPECT_NEAR(b.wakeX.front(), v.af.x[0], 1e-9);
  EXPECT_NEAR(b.wakeY.front(), v.af.y[0], 1e-9);
  EXPECT_NEAR(b.wakeX.back() - b.wakeX.front(), 1.5, 0.1);  // the wake's 1.5 chords
  // The upper half's line above the centre line all along the wake.
  const std::size_t last = b.x[0].size() - 1;
  EXPECT_GT(b.y[0][last], b.wakeY.back());
  EXPECT_LT(b.y[1][b.x[1].size() - 1], b.wakeY.back());
}

// A raised cancellation flag: the analysis stops within the sweep it is
// in (the marches look at the flag before every station) and says
// cancelled; once the flag is lowered the same analysis settles.
TEST(ViscousAnalysis, RaisedFlagStopsWithinOneSweep) {
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, 128);
  aerofoil::solveSection(af, 4.0, 0.1, 0.0);
  bl::CancelFlag cancel{false};
  viscous::Run run;
  run.cancel = &cancel;
  run.progress = [&](const viscous::Progress& p) {
    if (p.sweeps == 2) cancel = true;
  };
  const viscous::Result stopped = viscous::analyse(af, bl::ComputationParameters{}, viscous::Settings{}, {}, run);
  EXPECT_TRUE(stopped.status.cancelled);
  EXPECT_EQ(stopped.status.message, "cancelled");
  EXPECT_EQ(stopped.sweeps, 2);

  cancel = false;
  run.progress = nullptr;
  const viscous::Result again = viscous::analyse(af, bl::ComputationParameters{}, viscous::Settings{}, {}, run);
  EXPECT_TRUE(again.status.ok && again.converged) << again.status.message;
}

// An analysis that runs out of sweeps counts them one way, with reports
// (whose extra march on the settled flow is no sweep) and without; its
// numbers are given only while its last sweep changed them by less than
// the bound, none (NaN) beyond it.
TEST(ViscousAnalysis, SweepsCountedOneWayAndSwingingNumbersWithheld) {
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, 128);
  aerofoil::solveSection(af, 4.0, 0.1, 0.0);
  viscous::Settings three;
  three.max_sweeps = 3;
  for (bool reports : {false, true}) {
    // The caller's report files, held: written to memory, not to files.
    bl::ReportFiles held;
    held.set_holding(true);
    viscous::Run run;
    run.reports = &held;
    run.write_reports = reports;
    const viscous::Result r = viscous::analyse(af, bl::ComputationParameters{}, three, {}, run);
    EXPECT_TRUE(r.status.ok) << r.status.message;
    // The last sweep's reports reach the caller's files, and only when asked for.
    EXPECT_EQ(held.held_text(bl::Report::CalcBl).empty(), !reports);
    EXPECT_FALSE(r.converged);
    EXPECT_EQ(r.sweeps, 3) << "reports " << reports;
    EXPECT_GT(std::max(r.change_cl, r.change_ue), three.largest_shown_change);
    EXPECT_TRUE(std::isnan(r.cl) && std::isnan(r.cd) && std::isnan(r.cm)) << r.cl;
  }
  three.largest_shown_change = 1.0;  // a bound the third sweep's change is within
  const viscous::Result r = viscous::analyse(af, bl::ComputationParameters{}, three);
  EXPECT_TRUE(std::isfinite(r.cl) && std::isfinite(r.cd)) << r.cl;
}

// Behind a symmetric section the two half-wakes are one wake, and the outer
// law's eddy viscosity is that of its whole displacement: 1.5 chords
// behind, the wake has recovered to H 1.07 (with one half's displacement
// alone it is 1.10).
TEST(ViscousAnalysis, TheWakeMixesWithTheDisplacementOfBothHalves) {
  const Viscous v = analyse(0.0, 0.1, 0.0, 10.0, 256, 41, true, bl::Turbulence::algebraic);
  EXPECT_LT(v.upper[bl::Column::h12].back(), 1.085);
  EXPECT_LT(v.lower[bl::Column::h12].back(), 1.085);
}

namespace {

// The box scheme's layer, but its n-th march fails on the lower surface, as
// a march past stall can (a singular pivot).
class LayerFailingAt final : public viscous::LayerSolver {
 public:
  explicit LayerFailingAt(int n) : real_(bl::ComputationParameters{}, viscous::LayerRun{}), n_(n) {}
  bl::Status split(const std::vector<double>& s, const std::vector<double>& v, int n, const std::vector<double>& x,
                   const std::vector<double>& y) override {
    return real_.split(s, v, n, x, y);
  }
  const bl::SurfaceValues& split_surface(bl::Surface which) const override { return real_.split_surface(which); }
  bl::Status march(const viscous::LayerMarch& m, bool write_reports) override {
    if (++marches_ != n_) {
      const bl::Status st = real_.march(m, write_reports);
      failed_ = real_.failed_surface();
      return st;
    }
    failed_ = bl::Surface::lower;
    return bl::Status::failure("singular pivot at station 163");
  }
  bl::SurfaceResult result(bl::Surface which) const override { return real_.result(which); }
  const std::vector<std::string>& cautions() const override { return real_.cautions(); }
  std::optional<bl::Surface> failed_surface() const override { return failed_; }
  bool writes_reports() const override { return false; }
  bool cancel_requested() const override { return false; }

 private:
  viscous::SessionLayer real_;
  int n_, marches_ = 0;
  std::optional<bl::Surface> failed_;
};

}  // namespace

// A march that fails: in the first sweep the analysis fails, saying which
// sweep and handing back the surface whose march failed; once the sweeps
// are close to settling it ends with the sweep before (numbers given, not
// settled), and says why.
TEST(ViscousAnalysis, AFailedMarchIsHandedBack) {
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, 128);
  aerofoil::solveSection(af, 4.0, 0.1, 0.0);
  LayerFailingAt first(1);
  const viscous::Result r = viscous::analyse(first, af, viscous::Settings{}, {}, false);
  EXPECT_FALSE(r.status.ok);
  EXPECT_EQ(r.status.message, "sweep 1 of the viscous analysis: singular pivot at station 163");
  EXPECT_EQ(r.failed_surface, bl::Surface::lower);

  LayerFailingAt late(14);
  const viscous::Result e = viscous::analyse(late, af, viscous::Settings{}, {}, false);
  ASSERT_TRUE(e.status.ok) << e.status.message;
  EXPECT_FALSE(e.converged);
  EXPECT_EQ(e.unmarchable, "sweep 14 of the viscous analysis: singular pivot at station 163");
  EXPECT_EQ(e.sweeps, 13);
  EXPECT_TRUE(std::isfinite(e.cl) && std::isfinite(e.cd));
}
