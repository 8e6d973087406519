// Stagnation-point starting profile: grid, Hiemenz solution, report.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "setup/stagnation_profile.h"
#include "solver_fixture.h"

namespace {

constexpr double kHiemenzWallShear = 1.2325877;  // f''(0) of the Hiemenz flow

class StartProfile : public SolverTest {
 protected:
  // The iteration tables so far, handed to the report file first.
  std::string report() {
    EXPECT_TRUE(reports.status(bl::Report::Init2d).ok);
    return read("init2d.OUT");
  }
};

int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

double largest_shear_correction(const bl::StartingProfile& sp, int NP) {
  double m = 0;
  for (int j = 1; j <= NP; ++j) m = std::fmax(m, std::fabs(sp.delv_s(j)));
  return m;
}

}  // namespace

TEST_F(StartProfile, DefaultGridAndHiemenzSolution) {
  ASSERT_TRUE(bl::solve_stagnation_profile(sp, reports, ca, 41, 1.1, 6.0, 1).ok);
  // Geometric grid of 40 steps, ratio 1.1, summing to 6.
  EXPECT_NEAR(sp.deta_s(1), 0.6 / (std::pow(1.1, 40) - 1), 1e-15);
  EXPECT_NEAR(sp.deta_s(1), 0.0135565, 5e-8);
  EXPECT_NEAR(sp.eta_s(41), 6.0, 1e-12);
  // ... continued geometrically to the last point for the edge growth.
  EXPECT_NEAR(sp.deta_s(821) / sp.deta_s(820), 1.1, 1e-12);
  EXPECT_DOUBLE_EQ(sp.a_s(821), 0.5 * sp.deta_s(820));
  EXPECT_DOUBLE_EQ(sp.eta_s(821), sp.eta_s(820) + sp.deta_s(820));

  // 41 points leave a discretisation error of 4e-4 in the wall shear
  // (1.232986 against 1.232588).
  EXPECT_NEAR(sp.v_s(1), 1.232986, 1e-6);
  EXPECT_NEAR(sp.v_s(1), kHiemenzWallShear, 5e-4);
  EXPECT_EQ(sp.u_s(1), 0.0);
  EXPECT_NEAR(sp.u_s(41), 1.0, 1e-12);
  EXPECT_EQ(sp.f_s(1), 0.0);
  EXPECT_LT(largest_shear_correction(sp, 41), 1e-6);
  EXPECT_NEAR(sp.v_s(41), 0.0, 1e-5);  // no shear left at the edge

  const std::string rep = report();
  EXPECT_EQ(rep.rfind("  Start  of b.l. (init_2d) 1\n  Start  of b.l. (init_2d) 2\n"
                      "  Start  of b.l. (init_2d) 3\n"
                      "  J         ETA              F              U              V          DELV \n"
                      "  1       0.000000       0.000000       0.000000",
                      0),
            0u);
  // The last table's DELV column: no correction large enough to print.
  std::istringstream last(rep.substr(rep.rfind("  J ")));
  std::string row, final_row;
  std::getline(last, row);
  int rows = 0;
  while (std::getline(last, row)) {
    ++rows;
    final_row = row;
    const std::string delv = row.substr(63);
    EXPECT_TRUE(delv == "       0.000000" || delv == "      -0.000000") << row;
  }
  EXPECT_EQ(rows, 41);
  // Far from the wall f = eta - 0.6479 (displacement of the Hiemenz layer).
  EXPECT_EQ(final_row.substr(0, 33), " 41       6.000000       5.352061");
}

// The box scheme is second order: halving every step (uniform grids, and
// geometric grids with the ratio's square root) divides the error of the
// wall shear by four.
TEST_F(StartProfile, WallShearConvergesAtSecondOrder) {
  auto error = [this](int np, double vgp) {
    EXPECT_TRUE(bl::solve_stagnation_profile(sp, reports, ca, np, vgp, 6.0, 1).ok);
    return std::fabs(sp.v_s(1) - kHiemenzWallShear);
  };
  const double uniform[] = {error(61, 1.0), error(121, 1.0), error(241, 1.0)};
  EXPECT_NEAR(uniform[0] / uniform[1], 4.0, 0.1);
  EXPECT_NEAR(uniform[1] / uniform[2], 4.0, 0.1);
  const double geometric[] = {error(41, 1.1), error(81, std::sqrt(1.1))};
  EXPECT_NEAR(geometric[0] / geometric[1], 4.0, 0.1);
  EXPECT_LT(geometric[1], 1e-4);
}

TEST_F(StartProfile, StepRatioNearOneGivesUniformFirstStep) {
  // Within 0.001 of 1 the first step is ETAE/(NP-1) but still grows by VGP,
  // so the grid overshoots ETAE slightly.
  ASSERT_TRUE(bl::solve_stagnation_profile(sp, reports, ca, 41, 1.0005, 6.0, 1).ok);
  EXPECT_DOUBLE_EQ(sp.deta_s(1), 0.15);
  EXPECT_DOUBLE_EQ(sp.deta_s(2), 1.0005 * 0.15);
  EXPECT_NEAR(sp.eta_s(41), 0.15 * (std::pow(1.0005, 40) - 1) / 0.0005, 1e-12);
  EXPECT_GT(sp.eta_s(41), 6.05);
  EXPECT_NEAR(sp.v_s(1), kHiemenzWallShear, 3e-3);  // steps of 0.15 and more

  ASSERT_TRUE(bl::solve_stagnation_profile(sp, reports, ca, 41, 1.0, 6.0, 1).ok);  // exactly uniform
  EXPECT_NEAR(sp.eta_s(41), 6.0, 1e-12);
}

TEST_F(StartProfile, SecondCallContinuesTheReport) {
  ASSERT_TRUE(bl::solve_stagnation_profile(sp, reports, ca, 41, 1.1, 6.0, 1).ok);
  const std::string first = report();
  ASSERT_TRUE(bl::solve_stagnation_profile(sp, reports, ca, 31, 1.1, 6.0, 1).ok);
  const std::string both = report();
  EXPECT_EQ(both.substr(0, first.size()), first);
  EXPECT_EQ(both.substr(first.size(), 28), "  Start  of b.l. (init_2d) 1");
  EXPECT_EQ(count(both, "(init_2d) 3"), 2);
}

TEST_F(StartProfile, GridOutsideCapacityRefusedBeforeAnything) {
  ASSERT_TRUE(bl::solve_stagnation_profile(sp, reports, ca, 41, 1.1, 6.0, 1).ok);
  const std::string report_before = report();
  const double shear = sp.v_s(1);
  for (int np : {1, 0, -5, 822, 100000}) {
    const bl::Status s = bl::solve_stagnation_profile(sp, reports, ca, np, 1.1, 6.0, 1);
    EXPECT_FALSE(s.ok) << np;
    EXPECT_NE(s.message.find("821"), std::string::npos) << s.message;
  }
  EXPECT_FALSE(bl::solve_stagnation_profile(sp, reports, ca, 41, 1.1, 6.0, 2).ok);  // undefined start type
  EXPECT_EQ(sp.v_s(1), shear);
  EXPECT_EQ(report(), report_before);

  ASSERT_TRUE(bl::solve_stagnation_profile(sp, reports, ca, 821, 1.0, 6.0, 1).ok);  // the full capacity is usable
  EXPECT_NEAR(sp.v_s(1), kHiemenzWallShear, 1e-5);
}

TEST_F(StartProfile, FirstCallOfARunNeedsNoPriorFile) {
  reports.close_all();
  reports.set_folder((dir / "missing").string());
  EXPECT_TRUE(bl::solve_stagnation_profile(sp, reports, ca, 41, 1.1, 6.0, 1).ok);  // the profile is solved ...
  EXPECT_NEAR(sp.v_s(1), kHiemenzWallShear, 5e-4);
  const bl::Status written = reports.status(bl::Report::Init2d);  // ... but the report is lost and says so
  EXPECT_FALSE(written.ok);
  EXPECT_NE(written.message.find("init2d.OUT"), std::string::npos);
}

// Every coefficient of the starting profile's Newton system must be the
// derivative of its box residual (the negative of the right-hand side) with
// respect to the variable it multiplies: central differences on a profile
// off the solution, where every residual is non-zero.
TEST_F(StartProfile, NewtonSystemIsTheLinearisationOfTheResiduals) {
  const int np = 9;
  sp.allocate(np);
  bl::similarity_grid(sp, np, 1.2, 3.0);
  bl::cubic_first_guess(sp, np);
  for (int j = 2; j <= np; ++j) {  // off the cubic, so that no term vanishes
    sp.f_s(j) += 0.01 * std::sin(1.0 * j);
    sp.u_s(j) += 0.02 * std::cos(2.0 * j);
    sp.v_s(j) += 0.03 * std::sin(3.0 * j);
  }
  ca.allocate();
  bl::newton_coefficients(sp, np);
  bl::newton_system(sp, ca, np);
  const bl::CoreArrays base = ca;

  const double h = 1e-6;
  auto residual = [&](int row, int j) {  // F = -r of the current profile
    bl::newton_coefficients(sp, np);
    bl::newton_system(sp, ca, np);
    return -ca.rvec(row, j);
  };
  for (int k = 1; k <= np; ++k)
    for (int c = 1; c <= 3; ++c) {
      double& var = c == 1 ? sp.f_s(k) : c == 2 ? sp.u_s(k) : sp.v_s(k);
      const double keep = var;
      for (int j = std::max(1, k - 1); j <= std::min(np, k + 1); ++j)
        for (int row = 1; row <= 3; ++row) {
          var = keep + h;
          const double plus = residual(row, j);
          var = keep - h;
          const double minus = residual(row, j);
          var = keep;
          const double fd = (plus - minus) / (2 * h);
          const bl::Alloc3<double>& block = k == j - 1 ? base.amat : k == j ? base.bmat : base.cmat;
          // The wall and edge rows pin a correction; their right-hand sides
          // are zero whatever the profile, and so are their derivatives.
          const bool pinned = (j == 1 && row <= 2) || (j == np && row == 3);
          if (pinned) EXPECT_EQ(fd, 0.0) << "row " << row << " of point " << j;
          else EXPECT_NEAR(block(row, c, j), fd, 1e-6 * (1.0 + std::fabs(fd)))
              << "row " << row << " of point " << j << ", variable " << c << " of point " << k;
        }
    }
  ca.release();
}
