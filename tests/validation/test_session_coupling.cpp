// What the session gives a viscous-inviscid coupling, on the default section
// (e/R1 0.131, h/R1 0, N 256):
//   - the split surfaces name the contour point of each node, so that a
//     mass defect computed along them maps back onto the contour;
//   - surfaces continued into the wake are marched with their laws, the
//     wake nodes in the results, without reports when asked and without
//     touching the settings; a refused law puts the results before back;
//   - a trip given as x/c puts transition at that chord position at every
//     angle, or at the first station where the stagnation point lies
//     behind it.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "../bl/report_folder_fixture.h"
#include "joukowski.h"
#include "session/session.h"

namespace {

class SessionCoupling : public ReportFolderTest {
 protected:
  aerofoil::Joukowski af;
  bl::Session session;

  void hand_over(double alpha) {
    aerofoil::resizePoints(af, 256);
    aerofoil::solveSection(af, alpha, 0.131, 0.0);
    session.reports().set_folder(dir.string());
    session.reports().set_diagnostics(false);
    ASSERT_TRUE(session.hand_over_contour(af.s, af.v, af.currentN, af.x, af.y).ok);
  }
};

TEST_F(SessionCoupling, SplitSurfacesNameTheirContourPoints) {
  hand_over(12.0);
  for (bl::Surface which : bl::kBothSurfaces) {
    const bl::SurfaceValues& surface = session.split_surface(which);
    ASSERT_EQ(surface.contour_point.size(), surface.s.size());
    EXPECT_EQ(surface.contour_point[0], -1);  // the stagnation point lies between two
    for (std::size_t k = 1; k < surface.s.size(); ++k) {
      const std::size_t p = static_cast<std::size_t>(surface.contour_point[k]);
      EXPECT_EQ(surface.x[k], af.x[p]);
      EXPECT_EQ(surface.y[k], af.y[p]);
    }
    // The trailing edge is contour point 0 on the upper surface, N on the lower.
    EXPECT_EQ(surface.contour_point.back(), which == bl::Surface::upper ? 0 : af.currentN);
  }
}

TEST_F(SessionCoupling, GivenSurfacesAreMarchedIntoTheWakeWithTheSettingsKept) {
  hand_over(4.0);
  ASSERT_TRUE(session.new_computation().ok);
  const bl::ComputationParameters settings = session.parameters();
  const std::string calc = read("CalcBl.out");

  std::array<bl::SurfaceValues, 2> surfaces;
  std::array<bl::InteractionLaw, 2> laws;
  for (bl::Surface which : bl::kBothSurfaces) {
    bl::SurfaceValues& s = surfaces[bl::index(which)] = session.split_surface(which);
    for (int k = 1; k <= 40; ++k) {  // straight on behind the trailing edge, the flow recovering
      s.s.push_back(s.s.back() + 1e-3 * std::pow(1.1, k));
      s.ue.push_back(1.0 - (1.0 - s.ue[static_cast<std::size_t>(s.wall_nodes - 1)]) * std::exp(-(s.s.back() - s.s[static_cast<std::size_t>(s.wall_nodes - 1)]) / 0.1));
    }
    bl::InteractionLaw& law = laws[bl::index(which)];
    law.m_before.assign(s.s.size(), 0.0);
    law.coeff.assign(bl::InteractionLaw::coefficients_for(s.nodes()), 0.0);
  }
  ASSERT_TRUE(session.march_given(surfaces, {&laws[0], &laws[1]}, false).ok);
  EXPECT_EQ(read("CalcBl.out"), calc);  // no report of these passes
  for (bl::Surface which : bl::kBothSurfaces) {
    const int i = bl::index(which);
    const bl::SurfaceResult r = session.surface(which);
    ASSERT_EQ(r.nodes(), surfaces[static_cast<std::size_t>(i)].nodes());
    EXPECT_EQ(r.wall_nodes, session.split_surface(which).nodes());
    EXPECT_EQ(r[bl::Column::cf].back(), 0.0);
    EXPECT_GT(r[bl::Column::d2].back(), 0.0);
    EXPECT_EQ(r.xinv, surfaces[static_cast<std::size_t>(i)].s.back());  // the positions used
    EXPECT_EQ(session.parameters().xtr_surf[i], settings.xtr_surf[i]);
    EXPECT_EQ(session.parameters().xinv_surf[i], settings.xinv_surf[i]);
  }

  laws[1].coeff.pop_back();  // a law that does not fit its surface
  const bl::SurfaceResult before = session.surface(bl::Surface::lower);
  const bl::Status refused = session.march_given(surfaces, {&laws[0], &laws[1]}, false);
  EXPECT_FALSE(refused.ok);
  EXPECT_NE(refused.message.find("interaction law of the lower surface"), std::string::npos) << refused.message;
  EXPECT_EQ(session.surface(bl::Surface::lower)[bl::Column::d2], before[bl::Column::d2]);
}

TEST_F(SessionCoupling, TripGivenAsChordPositionAtEveryAngle) {
  for (double alpha : {4.0, 12.0}) {
    bl::ComputationParameters p;
    p.xtr_xc[0] = 0.01;  // ahead of laminar separation behind the suction peak at 12 degrees (x/c 0.019)
    p.xtr_xc[1] = 0.02;  // the stagnation point lies behind it at 12 degrees (x/c 0.036)
    ASSERT_TRUE(session.restart(p).ok);
    session.reports().set_enabled(false);
    hand_over(alpha);
    ASSERT_TRUE(session.new_computation().ok);
    for (bl::Surface which : bl::kBothSurfaces) {
      const bl::SurfaceValues& s = session.split_surface(which);
      const int P = session.surface(which).transition_at;  // the first turbulent station
      const double X = *p.xtr_xc[bl::index(which)];
      ASSERT_GT(P, 2) << alpha << " " << bl::name(which);
      const auto x = [&](int i) { return s.x[static_cast<std::size_t>(i - 1)]; };
      if (which == bl::Surface::lower && alpha == 12.0) {
        EXPECT_EQ(P, 3) << alpha << " " << bl::name(which);
      } else {  // on the surface's own side, where x/c grows towards the trailing edge
        EXPECT_GE(x(P), X) << alpha << " " << bl::name(which);
        EXPECT_LT(x(P - 1), X) << alpha << " " << bl::name(which);
      }
    }
  }
}

}  // namespace
