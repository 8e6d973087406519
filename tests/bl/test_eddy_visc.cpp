// Eddy viscosity: the outer constant joins its bound values at Re_theta
// 100 and 10000, the inner mixing-length value holds from the wall up to
// the first point where it reaches the outer value, and the transitional
// intermittency grows from near 0 at transition to 1 downstream; a
// transition at the first marched station keeps the intermittency integral
// on the surface.
#include <cmath>

#include "march/eddy_viscosity.h"
#include "march_fixture.h"

namespace {


class EddyViscosity : public MarchArrays {
 protected:
  static constexpr int NX = 10;

  void SetUp() override {
    MarchArrays::SetUp();
    stations(0.1, 0.02, [](double) { return 1.0; });
    grid(60, 0.002, 1.12);
    exponential_profile(3, 1.0);
    ms.NTR = 3;  // far upstream: gamma = 1
  }

  // Outer constant recovered from the edge value eps_o = sqrt(Re) alpha
  // (ue eta_e - int u deta) gamma rho/mu, gamma = 1, rho = mu = 1.
  double alpha_at(double rtheta) {
    st.rtheta(NX - 1) = rtheta;
    bl::eddy_visc(pass, NX);
    double D = 0.0;
    for (int j = 2; j <= sd.NP; ++j) D += lp.aa(j) * (lp.u(3, j - 1) + lp.u(3, j));
    return lp.b(3, sd.NP) / (sd.SQRE * (st.ue(NX) * lp.eta(sd.NP) - D));
  }
};

TEST_F(EddyViscosity, OuterConstantJoinsItsBoundValues) {
  ASSERT_DOUBLE_EQ(bl::intermittency(pass, NX, ms.NTR), 1.0);
  EXPECT_NEAR(alpha_at(20000.0), 0.016799973332135565, 1e-15);
  EXPECT_NEAR(alpha_at(10000.0), 0.016799973332135565, 1e-9);
  EXPECT_NEAR(alpha_at(100.0), 0.04149999052705189, 1e-9);
  EXPECT_NEAR(alpha_at(50.0), 0.04149999052705189, 1e-15);
  EXPECT_GT(alpha_at(1000.0), alpha_at(5000.0));  // falls with Re_theta in between
}

TEST_F(EddyViscosity, InnerLayerFromTheWallOuterLayerToTheEdge) {
  st.rtheta(NX - 1) = 3000.0;
  bl::eddy_visc(pass, NX);
  EXPECT_EQ(lp.b(3, 1), 0.0);  // no mixing length at the wall
  const double outer = lp.b(3, sd.NP);
  int j = 2;
  while (j <= sd.NP && lp.b(3, j) < outer) {
    EXPECT_GT(lp.b(3, j), lp.b(3, j - 1)) << j;  // mixing length grows off the wall
    ++j;
  }
  ASSERT_LT(j, sd.NP);  // the switch lies inside the layer
  EXPECT_GT(j, 3);
  for (; j <= sd.NP; ++j) EXPECT_EQ(lp.b(3, j), outer) << j;  // rho = mu = 1: one value
}

// Stations 0.002 apart from x = 0.1 at Re = 1e7: three intervals after the
// transition station give gamma of a few per cent; 0.2 further downstream
// the layer is fully turbulent.
TEST_F(EddyViscosity, IntermittencyGrowsFromTransitionToOne) {
  stations(0.1, 0.002, [](double) { return 1.0; });
  const double g0 = bl::intermittency(pass, 5, 3);
  EXPECT_GT(g0, 0.01);
  EXPECT_LT(g0, 0.06);
  EXPECT_LT(g0, bl::intermittency(pass, 6, 3));
  stations(0.1, 0.02, [](double) { return 1.0; });
  EXPECT_EQ(bl::intermittency(pass, 12, 3), 1.0);
}

// Transition at station 3 gives NTR = 1: the integral would start at
// station 0, which does not exist.  It starts at the stagnation node.
TEST_F(EddyViscosity, TransitionAtTheFirstMarchedStationStaysOnTheSurface) {
  stations(0.0, 0.01, [](double x) { return 5.0 * x; });  // node 1: stagnation point
  const double g1 = bl::intermittency(pass, 3, 1);
  EXPECT_TRUE(std::isfinite(g1));
  EXPECT_EQ(g1, bl::intermittency(pass, 3, 2));
  ms.NTR = 1;
  st.rtheta(2) = 50.0;
  bl::eddy_visc(pass, 3);
  for (int j = 1; j <= sd.NP; ++j) EXPECT_TRUE(std::isfinite(lp.b(3, j))) << j;
}

}  // namespace
