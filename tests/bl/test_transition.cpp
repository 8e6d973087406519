// The separation forecast that forces transition or switches on the inverse
// mode.  (Michel's criterion is held by the flat plate of the validation
// tests.)
#include <cmath>

#include "march_fixture.h"
#include "march/transition.h"

namespace {


class SeparationForecast : public MarchArrays {
 protected:
  static constexpr int NS = 6;
  int ninv = 0;

  void SetUp() override {
    MarchArrays::SetUp();
    stations(0.0, 0.1, [](double) { return 1.0; });
    sd.CFSEP = 0.15;
    sd.XINV = st.x(kStations);
    for (int i = 1; i <= kStations; ++i) st.cf_bc(i) = 0.0;
  }

  // Cf^2 of stations NS-2, NS-1 on a line reaching m^2 = (CFSEP/SQRE)^2 at xs.
  void falling_towards(double xs) {
    const double m2 = std::pow(sd.CFSEP / sd.SQRE, 2);
    for (int i = NS - 2; i <= NS - 1; ++i) st.cfb(i) = std::sqrt(m2 + 1e-6 * (xs - st.x(i)));
  }

  void check() {
    bl::sep_check(ninv, sd.XINV, sd.XTR, NS, sd.NXT, st.x, st.cfb, st.cf_bc, sd.CFSEP, sd.SQRE);
  }
};

TEST_F(SeparationForecast, TurbulentLayerGoesOverToTheInverseMode) {
  sd.XTR = 0.1;
  falling_towards(0.47);
  check();
  EXPECT_EQ(ninv, NS);
  EXPECT_NEAR(sd.XINV, 0.47, 1e-9);
  for (int i = 1; i < NS; ++i) EXPECT_EQ(st.cf_bc(i), 0.0);
  for (int i = NS; i <= kStations; ++i) EXPECT_EQ(st.cf_bc(i), 0.15);
}

TEST_F(SeparationForecast, LaminarLayerIsMadeTurbulentInstead) {
  sd.XTR = 0.6;  // x(NS) = 0.5 still laminar
  falling_towards(0.47);
  check();
  EXPECT_EQ(sd.XTR, st.x(NS));
  EXPECT_EQ(ninv, 0);
  EXPECT_EQ(sd.XINV, st.x(kStations));
}

TEST_F(SeparationForecast, NoCrossingInsideTheLastIntervalChangesNothing) {
  sd.XTR = 0.1;
  for (double xs : {0.5 /* exactly at x(NS) */, 0.52, 0.35}) {
    falling_towards(xs);
    check();
    EXPECT_EQ(ninv, 0) << xs;
    EXPECT_EQ(sd.XINV, st.x(kStations));
    EXPECT_EQ(sd.XTR, 0.1);
  }
  // Equal skin friction at both stations: an infinite forecast, or a NaN
  // when it equals m as well.
  st.cfb(NS - 2) = st.cfb(NS - 1) = 0.01;
  check();
  st.cfb(NS - 2) = st.cfb(NS - 1) = sd.CFSEP / sd.SQRE;
  check();
  EXPECT_EQ(ninv, 0);
  EXPECT_EQ(sd.XINV, st.x(kStations));
}

}  // namespace
