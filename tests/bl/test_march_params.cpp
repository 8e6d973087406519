// Integral quantities of a station against the closed forms of an
// exponential profile, the second-order x-derivative of the displacement
// flux, and the convergence measure including corrections that are not
// finite numbers.
#include <cmath>
#include <limits>

#include "march/integral_quantities.h"
#include "march/station_profiles.h"
#include "march_fixture.h"

namespace {


class StationIntegrals : public MarchArrays {};

// u/ue = 1 - exp(-eta) with rho = mu = 1: in the computational coordinate
// delta* = 1 - exp(-eta_e), theta = 1/2 - 2 exp(-eta_e) + exp(-2 eta_e)/2,
// wall shear ue; the physical values are these over sqrt(Re).
TEST_F(StationIntegrals, ExponentialProfileGivesItsClosedForms) {
  const double ue = 1.3;
  stations(0.1, 0.05, [ue](double) { return ue; });
  grid(400, 0.002, 1.01);
  const double etae = lp.eta(400), ex = std::exp(-etae);
  for (int k = 1; k <= 3; ++k) exponential_profile(k, ue);
  ms.w.c1 = 0.0;
  ms.w.c2 = -20.0;
  ms.w.c3 = 20.0;
  const int NX = 5;
  bl::bl_params(pass, NX, 3);

  const double dstar = 1.0 - ex, theta = 0.5 - 2.0 * ex + 0.5 * ex * ex;
  EXPECT_NEAR(st.d1_bc(NX), dstar, 1e-12);
  EXPECT_NEAR(st.d1b(NX) * sd.SQRE, dstar, 1e-12);
  EXPECT_NEAR(st.d2b(NX) * sd.SQRE / theta, 1.0, 3e-4);  // trapezoidal rule, steps to 0.1
  EXPECT_NEAR(st.h12(NX), dstar / theta, 6e-4);
  EXPECT_NEAR(st.cfb(NX), 2.0 / (ue * sd.SQRE), 1e-15);
  EXPECT_DOUBLE_EQ(st.cf_bc(NX), 2.0 * ue);
  // Re_theta = ue U8 theta / nu with nu = U8 / Re.
  EXPECT_NEAR(st.rtheta(NX) / (ue * st.d2b(NX) * sd.RE), 1.0, 1e-12);
  EXPECT_NEAR(st.rdels(NX) / (ue * st.d1b(NX) * sd.RE), 1.0, 1e-12);
  // Same profile at every level: no growth in x.
  EXPECT_NEAR(st.vww(NX), 0.0, 1e-12);
}

// The three-point weights of an uneven step are exact for a quadratic
// growth of the displacement flux Q = d1_bc roe8 ue.
TEST_F(StationIntegrals, DisplacementGrowthIsSecondOrderOnAnUnevenGrid) {
  stations(0.0, 0.1, [](double) { return 2.0; });
  st.x(4) = 0.3;
  st.x(5) = 0.38;
  st.x(6) = 0.5;
  const auto Q = [](double x) { return 0.7 + 3.0 * x - 5.0 * x * x; };
  for (int i = 4; i <= 5; ++i) st.d1_bc(i) = Q(st.x(i)) / 2.0;
  grid(60, 0.05, 1.05);
  exponential_profile(3, 2.0);
  bl::difference_weights(pass, 6);  // the march's own weights
  bl::bl_params(pass, 6, 3);
  const double q6 = st.d1_bc(6) * 2.0;
  // The quadratic through the three stations has slope 3 - 10 x at x(6) when
  // Q(6) lies on it; correct for the offset of the computed Q(6).
  const double exact = 3.0 - 10.0 * 0.5 + ms.w.c3 * (q6 - Q(0.5));
  EXPECT_NEAR(st.rv_bc(6), exact, 1e-10);
  EXPECT_NEAR(st.rov(6), st.roe(6) * st.rv_bc(6) / sd.SQRE * sd.U8, 1e-12);
}

class ConvergenceMeasure : public MarchArrays {};

TEST_F(ConvergenceMeasure, LargestCorrectionAndItsFirstPoint) {
  sd.NP = 6;
  const double du[] = {0.0, -3e-4, 1e-4, 3e-4, -2e-5, 0.0};
  for (int j = 1; j <= 6; ++j) lp.du(j) = du[j - 1];
  EXPECT_TRUE(bl::conv_max(lp, sd.NP, ms.DUmax, ms.JUmax).ok);
  EXPECT_EQ(ms.DUmax, 3e-4);
  EXPECT_EQ(ms.JUmax, 2);  // the first of two equal magnitudes

  for (int j = 1; j <= 6; ++j) lp.du(j) = 0.0;
  EXPECT_TRUE(bl::conv_max(lp, sd.NP, ms.DUmax, ms.JUmax).ok);
  EXPECT_EQ(ms.DUmax, 0.0);
  EXPECT_EQ(ms.JUmax, 2);  // all zero: the point of the last iteration stays
}

// A NaN correction never exceeds DUmax and would pass for convergence;
// it is a failure naming the point instead.
TEST_F(ConvergenceMeasure, NonFiniteCorrectionIsAFailure) {
  sd.NP = 5;
  for (int j = 1; j <= 5; ++j) lp.du(j) = 1e-9;
  lp.du(4) = std::numeric_limits<double>::quiet_NaN();
  const bl::Status s = bl::conv_max(lp, sd.NP, ms.DUmax, ms.JUmax);
  EXPECT_FALSE(s.ok);
  EXPECT_NE(s.message.find("grid point 4"), std::string::npos) << s.message;

  lp.du(4) = 1e-9;
  lp.du(2) = -std::numeric_limits<double>::infinity();
  EXPECT_FALSE(bl::conv_max(lp, sd.NP, ms.DUmax, ms.JUmax).ok);
}

}  // namespace
