// Box scheme at one station: the Newton system is the true linearisation
// of the box residuals, the wall and edge rows hold after an update, the
// inverse update meets the prescribed wall shear, and on the Hiemenz
// stagnation flow the iteration converges quadratically to the similarity
// wall shear with second-order accuracy in the grid step.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "core/block_solver.h"
#include "core/box_scheme.h"
#include "march/station_profiles.h"
#include "core/gas.h"
#include "setup/stagnation_profile.h"
#include "solver_fixture.h"

namespace {

using bl::sutherland;

class BoxScheme : public SolverTest {
 protected:
  static constexpr int P = 4;

  void SetUp() override {
    SolverTest::SetUp();
    st.allocate(6);
    lp.allocate();
    ca.allocate();
    sd.XINV = 10.0;  // direct mode unless a test moves it
    const double xs[] = {0.0, 0.1, 0.2, 0.32, 0.4, 0.5};
    int i = 0;
    for (double x : xs) {
      ++i;
      st.x(i) = x;
      st.ue(i) = 1.0 + x;
      st.roe8(i) = 1.1;
      st.te(i) = 280.0;
      st.emue(i) = 1.2 * sutherland(280.0);
    }
    bl::difference_weights(pass, P);
  }

  // Smooth boundary-layer-like profiles at the three levels, level 3 off
  // the solution so that every residual is non-zero.
  void hand_made_profile(int np, double wall_u) {
    grid(np, 0.08, 1.07);
    for (int k = 1; k <= 3; ++k) {
      const double ue = st.ue(P - 3 + k);
      for (int j = 1; j <= np; ++j) {
        const double e = lp.eta(j);
        const double wobble = k == 3 ? 0.03 * std::sin(3.0 * e) : 0.0;
        lp.u(k, j) = ue * (1.0 - std::exp(-1.3 * e)) + wobble;
        lp.v(k, j) = ue * 1.3 * std::exp(-1.3 * e) + wobble;
        lp.f(k, j) = ue * (e - (1.0 - std::exp(-1.3 * e)) / 1.3) + 0.01 * k;
        lp.b(k, j) = 2.0 * e * std::exp(-e);
      }
    }
    lp.u(3, 1) = wall_u;
  }

  // The fluxes and the Newton system of station P; the station's system.
  bl::StationSystem assemble() {
    bl::StationSystem s = system_at(P);
    bl::box_fluxes(s);
    bl::box_system(s);
    return s;
  }
};

// Every coefficient of the block rows must be minus the derivative of that
// row's right-hand side with respect to the variable it multiplies
// (central differences; properties do not depend on u when Me = 0).
TEST_F(BoxScheme, NewtonSystemIsTheLinearisationOfTheResiduals) {
  hand_made_profile(12, 0.02);
  st.dpdx(P) = -0.7;
  st.vww(P) = 0.05;
  st.uww(P) = 0.01;
  const int np = sd.NP;
  assemble();
  const bl::CoreArrays base = ca;

  const double h = 1e-6;
  for (int k = 1; k <= np; ++k) {
    for (int c = 1; c <= 3; ++c) {
      double& var = c == 1 ? lp.f(3, k) : c == 2 ? lp.u(3, k) : lp.v(3, k);
      const double keep = var;
      var = keep + h;
      assemble();
      const bl::CoreArrays plus = ca;
      var = keep - h;
      assemble();
      var = keep;
      for (int j = 1; j <= np; ++j)
        for (int r = 1; r <= 3; ++r) {
          const double slope = (plus.rvec(r, j) - ca.rvec(r, j)) / (2.0 * h);
          double coef = 0.0;
          if (k == j - 1) coef = base.amat(r, c, j);
          if (k == j) coef = base.bmat(r, c, j);
          if (k == j + 1) coef = base.cmat(r, c, j);
          EXPECT_NEAR(coef, -slope, 1e-7 * (1.0 + std::fabs(coef)))
              << "row " << r << " of block " << j << ", variable " << c << " at " << k;
        }
    }
  }
}

TEST_F(BoxScheme, DirectUpdateMeetsWallAndEdgeConditions) {
  for (int np : {2, 15}) {
    hand_made_profile(np, 0.02);
    st.eme(P) = 0.4;  // density varies across the layer
    st.vww(P) = 0.05;
    st.uww(P) = 0.01;
    st.dpdx(P) = -0.7;
    bl::StationSystem s = assemble();
    const double rho_wall = lp.ccro(3, 1);
    ASSERT_TRUE(bl::block_solve(ca, sd.NP, P, ca.rvec, ca.xvec).ok);
    bl::newton_update(s);

    const int n = sd.NP;
    EXPECT_NEAR(lp.u(3, 1), st.uww(P), 1e-15) << np;
    EXPECT_NEAR(lp.u(3, n), st.ue(P), 1e-15) << np;
    const double fx = ms.w.c1 * lp.f(1, 1) + ms.w.c2 * lp.f(2, 1) + ms.w.c3 * lp.f(3, 1);
    EXPECT_NEAR(fx, -rho_wall * st.vww(P), 1e-13) << np;
    EXPECT_EQ(lp.du(n), ca.xvec(2, n));
  }
  // An impermeable wall at rest stays so.
  hand_made_profile(15, 0.02);
  st.vww(P) = st.uww(P) = 0.0;
  bl::StationSystem s = assemble();
  ASSERT_TRUE(bl::block_solve(ca, sd.NP, P, ca.rvec, ca.xvec).ok);
  bl::newton_update(s);
  EXPECT_NEAR(lp.u(3, 1), 0.0, 1e-16);
  EXPECT_NEAR(ms.w.c1 * lp.f(1, 1) + ms.w.c2 * lp.f(2, 1) + ms.w.c3 * lp.f(3, 1), 0.0, 1e-13);
}

TEST_F(BoxScheme, GasPropertiesFollowTheTotalEnthalpy) {
  hand_made_profile(10, 0.0);
  st.eme(P) = 0.5;
  bl::StationSystem s = system_at(P);
  bl::box_fluxes(s);
  // Wall at rest: T/Te = 1 + (gamma-1)/2 Me^2, (gamma-1)/2 the single-
  // precision 0.2.  At the edge the gas is at the edge state.
  EXPECT_EQ(lp.tte(1), 1.0 + 0.25 * static_cast<double>(0.2f));
  EXPECT_EQ(lp.tte(sd.NP), 1.0);
  EXPECT_EQ(lp.ccro(3, sd.NP), st.roe8(P));
  EXPECT_DOUBLE_EQ(lp.ccmu(3, sd.NP), st.roe8(P) * sutherland(280.0) / st.emue(P));

  // Incompressible edge: uniform properties, bb varying only through b.
  s.at.eme = 0.0;
  bl::box_fluxes(s);
  for (int j = 1; j <= sd.NP; ++j) {
    EXPECT_EQ(lp.tte(j), 1.0);
    EXPECT_EQ(lp.ccmu(3, j), lp.ccmu(3, 1));
    EXPECT_EQ(lp.bb(j), (1.0 + lp.b(3, j)) * lp.ccmu(3, 1));
  }
}

TEST_F(BoxScheme, ReversedFlowDropsOnlyTheConvectiveVelocity) {
  hand_made_profile(10, 0.0);
  const int j = 3;
  lp.u(3, j) = -0.05;
  const double dpdx = -0.4;
  st.dpdx(P) = dpdx;
  bl::StationSystem s = system_at(P);
  bl::box_fluxes(s);
  const double rho = lp.ccro(3, j);
  const double dudx = ms.w.c2 * lp.u(2, j) + ms.w.c1 * lp.u(1, j);  // c3 * u+ = 0
  const double fx = ms.w.c3 * lp.f(3, j) + ms.w.c2 * lp.f(2, j) + ms.w.c1 * lp.f(1, j);
  EXPECT_EQ(ca.qp(1, j), rho * -0.05);  // continuity keeps the negative velocity
  EXPECT_DOUBLE_EQ(ca.qp(3, j), -fx * lp.v(3, j) + dpdx);
  EXPECT_DOUBLE_EQ(ca.dqpdx(3, 2, j), rho * dudx);
  EXPECT_NE(ca.dqpdx(3, 2, j), 0.0);
}

TEST_F(BoxScheme, InverseUpdateMeetsThePrescribedWallShear) {
  hand_made_profile(15, 0.0);
  sd.XINV = 0.3;  // station P at x = 0.32 lies beyond
  const int np = sd.NP;
  // Pressure gradient recomputed from the edge velocity, as in the march.
  st.dpdx(P) = -lp.ccro(3, np) * lp.u(3, np) *
               (ms.w.c3 * lp.u(3, np) + ms.w.c2 * lp.u(2, np) + ms.w.c1 * lp.u(1, np));
  bl::StationSystem s = assemble();

  // The sensitivity right-hand side is d(rvec)/d(dpdx) in the shear rows.
  for (int j = 1; j < np; ++j) {
    EXPECT_EQ(ca.eyvec(1, j), 0.0);
    EXPECT_EQ(ca.eyvec(2, j), 0.0);
    EXPECT_EQ(ca.eyvec(3, j), 2.0 * lp.aa(j + 1));
  }
  EXPECT_EQ(ca.eyvec(3, np), 2.0 * lp.aa(np));
  EXPECT_EQ(ca.bmat(3, 2, np), -2.0 * lp.aa(np) * bx.dres_edge);

  ASSERT_TRUE(bl::block_solve(ca, sd.NP, P, ca.rvec, ca.xvec).ok);
  ASSERT_TRUE(bl::block_solve(ca, sd.NP, P, ca.eyvec, ca.yvec).ok);
  const double cf = 0.0123;
  ASSERT_TRUE(bl::inverse_update(s, bl::prescribed_wall_shear(lp, cf)).ok);
  EXPECT_NEAR(lp.ccmu(3, 1) * lp.v(3, 1), cf / 2, 1e-15);
  EXPECT_NEAR(lp.u(3, 1), 0.0, 1e-15);  // the wall rows still hold

  // A wall shear that does not respond to the pressure gradient: refused,
  // the profiles untouched.
  const double v_wall = lp.v(3, 1);
  ca.yvec(3, 1) = 0.0;
  const bl::Status refused = bl::inverse_update(s, bl::prescribed_wall_shear(lp, cf));
  EXPECT_FALSE(refused.ok);
  EXPECT_NE(refused.message.find("station 4"), std::string::npos);
  EXPECT_EQ(lp.v(3, 1), v_wall);
}

// Hiemenz stagnation flow, ue = x: with the similarity profile F(eta) of
// F''' + F F'' + 1 - F'^2 = 0 the station profiles are f = x F, u = x F',
// v = x F'' (rho = 1, bb = 1, dpdx = -ue due/dx = -x; the scale
// sqrt(x/ue) is 1), and both x-differences are exact for them.
constexpr double kHiemenzWallShear = 1.2325877;  // F''(0)

struct NewtonRun {
  std::vector<double> du_max;  // largest |du| of each iteration
  double wall_shear = 0;       // v(3,1)/ue of the converged station
};

class BoxSchemeHiemenz : public SolverTest {  // the starting profile writes its report
 protected:
  // Station 4 of x = 0.9, 1.0, 1.1, 1.2 on the starting-profile grid; levels
  // 1 and 2 the starting profile scaled to stations 2 and 3, level 3 starting
  // from the unscaled profile of station 3 (9 % off).
  NewtonRun hiemenz_station(int np, double step_ratio, double eta_e) {
    EXPECT_TRUE(bl::solve_stagnation_profile(sp, reports, ca, np, step_ratio, eta_e, 1).ok);
    st.allocate(4);
    lp.allocate();
    ca.allocate();
    sd.NP = np;
    sd.XINV = 10.0;
    for (int j = 1; j <= bl::kMaxGridPoints; ++j) {
      lp.eta(j) = sp.eta_s(j);
      lp.deta(j) = sp.deta_s(j);
      lp.aa(j) = sp.a_s(j);
    }
    for (int i = 1; i <= 4; ++i) {
      st.x(i) = 0.8 + 0.1 * i;
      st.ue(i) = st.x(i);
      st.roe8(i) = 1.0;
      st.te(i) = 300.0;
      st.emue(i) = sutherland(300.0);
    }
    const int P = 4;
    bl::difference_weights(pass, P);
    bl::edge_pressure_gradient(pass, P);
    for (int k = 1; k <= 3; ++k) {
      const double xs = st.x(k == 3 ? P - 1 : P - 3 + k);
      for (int j = 1; j <= np; ++j) {
        lp.f(k, j) = xs * sp.f_s(j);
        lp.u(k, j) = xs * sp.u_s(j);
        lp.v(k, j) = xs * sp.v_s(j);
      }
    }

    NewtonRun run;
    for (int it = 0; it < 8; ++it) {
      bl::StationSystem s = system_at(P);
      bl::box_fluxes(s);
      bl::box_system(s);
      EXPECT_TRUE(bl::block_solve(ca, sd.NP, P, ca.rvec, ca.xvec).ok);
      bl::newton_update(s);
      double m = 0.0;
      for (int j = 1; j <= np; ++j) m = std::fmax(m, std::fabs(lp.du(j)));
      run.du_max.push_back(m);
      if (m < 1e-13) break;
    }
    run.wall_shear = lp.v(3, 1) / st.ue(P);
    ca.release();
    lp.release();
    st.release();
    return run;
  }
};

TEST_F(BoxSchemeHiemenz, NewtonConvergesQuadraticallyToTheSimilarityWallShear) {
  const NewtonRun standard = hiemenz_station(41, 1.1, 6.0);  // the default grid
  const NewtonRun coarse = hiemenz_station(81, 1.0, 8.0);    // uniform, step 0.1
  const NewtonRun fine = hiemenz_station(161, 1.0, 8.0);     // uniform, step 0.05
  for (const NewtonRun* run : {&standard, &coarse, &fine}) {
    ASSERT_LE(run->du_max.size(), 6u);
    EXPECT_LT(run->du_max.back(), 1e-13);
    // Quadratic: each correction is of the order of the square of the last.
    for (std::size_t k = 1; k < run->du_max.size(); ++k) {
      if (run->du_max.at(k) < 1e-14) break;
      EXPECT_LT(run->du_max.at(k), 10.0 * run->du_max.at(k - 1) * run->du_max.at(k - 1))
          << "iteration " << k + 1;
    }
  }
  EXPECT_NEAR(standard.wall_shear, kHiemenzWallShear, 1e-3);
  // The box scheme is second order in the step: halving it cuts the wall-
  // shear error by about four.
  const double e_coarse = coarse.wall_shear - kHiemenzWallShear;
  const double e_fine = fine.wall_shear - kHiemenzWallShear;
  EXPECT_LT(std::fabs(e_fine), 1e-3);
  EXPECT_NEAR(e_coarse / e_fine, 4.0, 0.3);
  std::printf("Hiemenz wall shear, exact %.7f; default grid %.7f; step 0.1 %.7f, 0.05 %.7f;"
              " error ratio %.3f\n",
              kHiemenzWallShear, standard.wall_shear, coarse.wall_shear, fine.wall_shear,
              e_coarse / e_fine);
  for (const NewtonRun* run : {&standard, &coarse, &fine}) {
    std::printf("  |du|max per iteration:");
    for (double d : run->du_max) std::printf(" %.2e", d);
    std::printf("\n");
  }
}

}  // namespace
