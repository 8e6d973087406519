// What the session gives a viscous-inviscid coupling, on the default section
// (e/R1 0.131, h/R1 0, N 256): split surfaces whose nodes name their
// contour points; those surfaces continued into the wake and marched with
// their laws, without reports and without touching the settings; a trip
// given as x/c at that chord position at every angle, or at the first
// station where the stagnation point lies behind it.
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

TEST_F(SessionCoupling, GivenSurfacesAreMarchedIntoTheWakeWithTheSettingsKept) {
  hand_over(4.0);
  ASSERT_TRUE(session.new_computation().ok);
  const bl::ComputationParameters settings = session.parameters();
  const std::string calc = read("CalcBl.out");

  std::array<bl::SurfaceValues, 2> surfaces;
  std::array<bl::InteractionLaw, 2> laws;
  for (bl::Surface which : bl::kBothSurfaces) {
    bl::SurfaceValues& s = surfaces[bl::index(which)] = session.split_surface(which);
    EXPECT_EQ(s.contour_point.front(), -1);  // the stagnation point lies between two
    for (std::size_t k = 1; k < s.s.size(); ++k) EXPECT_EQ(s.x[k], af.x[static_cast<std::size_t>(s.contour_point[k])]);
    EXPECT_EQ(s.contour_point.back(), which == bl::Surface::upper ? 0 : af.currentN);  // the trailing edge
    const double s_te = s.s.back(), ue_te = s.ue.back();
    for (int k = 1; k <= 40; ++k) {  // straight on behind the trailing edge, the flow recovering
      s.s.push_back(s.s.back() + 1e-3 * std::pow(1.1, k));
      s.ue.push_back(1.0 - (1.0 - ue_te) * std::exp(-(s.s.back() - s_te) / 0.1));
    }
    laws[bl::index(which)].m_before.assign(s.s.size(), 0.0);
    laws[bl::index(which)].coeff.assign(bl::InteractionLaw::coefficients_for(s.nodes()), 0.0);
  }
  ASSERT_TRUE(session.march_given(surfaces, {&laws[0], &laws[1]}, false).ok);
  EXPECT_EQ(read("CalcBl.out"), calc);  // no report of these passes
  for (bl::Surface which : bl::kBothSurfaces) {
    const int i = bl::index(which);
    const bl::SurfaceResult r = session.surface(which);
    ASSERT_EQ(r.nodes(), surfaces[static_cast<std::size_t>(i)].nodes());
    EXPECT_EQ(r[bl::Column::cf].back(), 0.0);
    EXPECT_EQ(r.xinv, surfaces[static_cast<std::size_t>(i)].s.back());  // the positions used
    EXPECT_EQ(session.parameters().xinv_surf[i], settings.xinv_surf[i]);
  }
}

TEST_F(SessionCoupling, TripGivenAsChordPositionAtEveryAngle) {
  for (double alpha : {4.0, 12.0}) {
    bl::ComputationParameters p;
    p.xtr_xc[0] = 0.01;  // ahead of laminar separation behind the suction peak at 12 degrees (x/c 0.019)
    p.xtr_xc[1] = 0.02;  // the stagnation point lies behind it at 12 degrees (x/c 0.036)
    ASSERT_TRUE(session.restart(p).ok);
    hand_over(alpha);
    ASSERT_TRUE(session.new_computation().ok);
    for (bl::Surface which : bl::kBothSurfaces) {
      const bl::SurfaceValues& s = session.split_surface(which);
      const auto x = [&](int i) { return s.x[static_cast<std::size_t>(i - 1)]; };
      const int P = session.surface(which).transition_at;  // the first turbulent station
      const double X = *p.xtr_xc[bl::index(which)];
      ASSERT_GT(P, 2) << alpha << " " << bl::name(which);
      if (which == bl::Surface::lower && alpha == 12.0) {
        EXPECT_EQ(P, 3);
      } else {  // on the surface's own side, where x/c grows towards the trailing edge
        EXPECT_GE(x(P), X) << alpha << " " << bl::name(which);
        EXPECT_LT(x(P - 1), X) << alpha << " " << bl::name(which);
      }
    }
  }
}

}  // namespace
