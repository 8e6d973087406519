// Station profiles: the start profile is the similarity solution scaled
// consistently (the box-scheme relations still hold on the scaled grid),
// the edge grows only past the single-precision shear threshold and never
// beyond the grid capacity, and the level shift carries the profiles down
// and scales the first guess with the edge velocity.
#include <cmath>

#include "march_fixture.h"
#include "setup/stagnation_profile.h"
#include "core/gas.h"
#include "solver_fixture.h"
#include "march/station_profiles.h"

namespace {


class StationStart : public SolverTest {
 protected:
  void SetUp() override {
    SolverTest::SetUp();
    st.allocate(4);
    lp.allocate();
    sd.NP = 41;
    ASSERT_TRUE(bl::solve_stagnation_profile(sp, reports, ca, 41, 1.1, 6.0, 1).ok);
    for (int i = 1; i <= 4; ++i) {
      st.x(i) = 0.01 * (i - 1);
      st.ue(i) = 3.0 * st.x(i) + 0.2 * st.x(i) * st.x(i);
      st.roe8(i) = st.emue8(i) = 1.0;
      st.te(i) = 300.0;
      st.emue(i) = bl::sutherland(300.0);
    }
  }
};

// The similarity profile satisfies f' = u and u' = v by the trapezoidal
// rule on its own grid; scaled with c = sqrt(x/ue) (eta = c eta_s,
// f = c ue f_s, u = ue u_s, v = ue v_s / c) the same relations must hold on
// the station grid.  A wrong power of c breaks one of them.
TEST_F(StationStart, ScaledProfileKeepsTheBoxRelationsOnTheStationGrid) {
  for (int s = 2; s <= 3; ++s) {
    bl::start_prof(pass, s, s);
    const double c = std::sqrt(st.x(s) / st.ue(s));
    EXPECT_NEAR(lp.eta(41), c * 6.0, 1e-12);
    for (int j = 2; j <= sd.NP; ++j) {
      EXPECT_NEAR(lp.f(s, j) - lp.f(s, j - 1), lp.aa(j) * (lp.u(s, j) + lp.u(s, j - 1)), 1e-9) << j;
      EXPECT_NEAR(lp.u(s, j) - lp.u(s, j - 1), lp.aa(j) * (lp.v(s, j) + lp.v(s, j - 1)), 1e-9) << j;
      EXPECT_EQ(lp.b(s, j), 0.0);
      EXPECT_DOUBLE_EQ(lp.ccro(s, j), 1.0);  // Me = 0: density and viscosity ratios 1
      EXPECT_DOUBLE_EQ(lp.ccmu(s, j), 1.0);
    }
    EXPECT_NEAR(lp.u(s, sd.NP), st.ue(s), 1e-12);
  }
  // The grid runs on to the capacity, for the edge growth.
  for (int i = 2; i <= bl::kMaxGridPoints; ++i) {
    EXPECT_NEAR(lp.eta(i) - lp.eta(i - 1), lp.deta(i - 1), 1e-14 * lp.eta(i));
    EXPECT_EQ(lp.aa(i), 0.5 * lp.deta(i - 1));
  }
}

class EdgeGrowth : public MarchArrays {
 protected:
  void SetUp() override {
    MarchArrays::SetUp();
    grid(30, 0.05, 1.08);
    for (int k = 1; k <= 3; ++k) exponential_profile(k, 1.0 + 0.1 * k);
    for (int j = 1; j <= bl::kMaxGridPoints; ++j) lp.tte(j) = lp.bb(j) = 1.0;
    for (int k = 1; k <= 3; ++k)
      for (int j = 1; j <= bl::kMaxGridPoints; ++j) lp.b(k, j) = 0.5;
  }
};

TEST_F(EdgeGrowth, ThresholdIsTheSinglePrecisionValue) {
  int grown = -1;
  lp.v(3, 30) = -9.999999747378752e-5;  // 1e-4 in single precision: closed
  bl::grow_edge(pass, grown);
  EXPECT_EQ(grown, 0);
  EXPECT_EQ(sd.NP, 30);

  lp.v(3, 30) = 0.0001;  // just above it
  bl::grow_edge(pass, grown);
  EXPECT_EQ(grown, 1);
  EXPECT_EQ(sd.NP, 32);
}

// Outside the layer: no shear, the edge velocity and properties of the old
// edge, and the stream function continued with slope rho u.
TEST_F(EdgeGrowth, NewPointsContinueTheUniformOuterFlow) {
  int grown = 0;
  bl::grow_edge(pass, grown);  // v(3,30) = 1.3 exp(-eta) is far above 1e-4
  ASSERT_EQ(grown, 1);
  for (int k = 1; k <= 3; ++k)
    for (int m = 31; m <= 32; ++m) {
      EXPECT_EQ(lp.v(k, m), 0.0);
      EXPECT_EQ(lp.u(k, m), lp.u(k, 30));
      EXPECT_EQ(lp.b(k, m), 0.5);
      EXPECT_NEAR(lp.f(k, m), lp.f(k, 30) + lp.u(k, 30) * (lp.eta(m) - lp.eta(30)), 1e-14);
    }
  EXPECT_EQ(ms.edge_limited, 0);
}

// The grid holds 821 points: at 820 or 821 points the edge is held where it
// is (formerly the extension wrote past the arrays), and the first station
// at which this happened is recorded.
TEST_F(EdgeGrowth, EdgeIsHeldAtTheGridCapacity) {
  ms.edge_limited = 0;
  ms.NX = 7;
  for (int np : {820, 821}) {
    grid(np, 0.001, 1.0);
    lp.v(3, np) = 0.5;
    int grown = -1;
    bl::grow_edge(pass, grown);
    EXPECT_EQ(grown, 0);
    EXPECT_EQ(sd.NP, np);
  }
  EXPECT_EQ(ms.edge_limited, 7);
  ms.NX = 9;
  int again = -1;
  bl::grow_edge(pass, again);
  EXPECT_EQ(again, 0);
  EXPECT_EQ(ms.edge_limited, 7);  // the first station is kept

  grid(819, 0.001, 1.0);  // 819 + 2 still fits
  lp.v(3, 819) = 0.5;
  int grown = 0;
  bl::grow_edge(pass, grown);
  EXPECT_EQ(grown, 1);
  EXPECT_EQ(sd.NP, 821);
  ms.edge_limited = 0;
}

class LevelShift : public MarchArrays {
 protected:
  void SetUp() override {
    MarchArrays::SetUp();
    grid(25, 0.05, 1.1);
    for (int k = 1; k <= 3; ++k) {
      exponential_profile(k, 1.0 + 0.1 * k);
      for (int j = 1; j <= 25; ++j) lp.b(k, j) = 0.1 * k;
    }
  }
};

TEST_F(LevelShift, LevelsMoveDownAndTheGuessFollowsTheEdgeVelocity) {
  stations(0.0, 0.1, [](double x) { return x < 0.45 ? 1.0 : 1.1; });  // ue(5) = 1, ue(6) = 1.1
  const double u3 = lp.u(3, 10), u2 = lp.u(2, 10), f3 = lp.f(3, 10), v3 = lp.v(3, 10);

  bl::shift_levels(pass, 5);  // constant edge velocity: the guess is the last profile
  EXPECT_EQ(lp.u(1, 10), u2);
  EXPECT_EQ(lp.u(2, 10), u3);
  EXPECT_EQ(lp.u(3, 10), u3);
  EXPECT_DOUBLE_EQ(lp.b(1, 10), 0.2);
  EXPECT_DOUBLE_EQ(lp.b(3, 10), 0.3);  // eddy viscosity of the last station kept

  bl::shift_levels(pass, 6);  // 10 % faster edge flow: f, u and v of the guess 10 % up
  EXPECT_DOUBLE_EQ(lp.u(3, 10), 1.1 * u3);
  EXPECT_DOUBLE_EQ(lp.f(3, 10), 1.1 * f3);
  EXPECT_DOUBLE_EQ(lp.v(3, 10), 1.1 * v3);
  EXPECT_EQ(lp.u(2, 10), u3);
  for (int j = 1; j <= 25; ++j) {
    EXPECT_DOUBLE_EQ(lp.tte(j), 1.0);
    EXPECT_DOUBLE_EQ(lp.ccro(3, j), 1.0);
    EXPECT_DOUBLE_EQ(lp.ccmu(3, j), 1.0);
  }
}

}  // namespace
