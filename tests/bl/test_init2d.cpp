// Stagnation-point starting profile: grid, Hiemenz solution, report.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "setup/stagnation_profile.h"
#include "solver_fixture.h"

namespace {

constexpr double kHiemenzWallShear = 1.2325877;  // f''(0) of the Hiemenz flow

using StartProfile = SolverTest;

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
  ASSERT_TRUE(bl::init_2d(sp, reports, 41, 1.1, 6.0, 1).ok);
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

  const std::string rep = read("init2d.OUT");
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
    EXPECT_TRUE(bl::init_2d(sp, reports, np, vgp, 6.0, 1).ok);
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
  ASSERT_TRUE(bl::init_2d(sp, reports, 41, 1.0005, 6.0, 1).ok);
  EXPECT_DOUBLE_EQ(sp.deta_s(1), 0.15);
  EXPECT_DOUBLE_EQ(sp.deta_s(2), 1.0005 * 0.15);
  EXPECT_NEAR(sp.eta_s(41), 0.15 * (std::pow(1.0005, 40) - 1) / 0.0005, 1e-12);
  EXPECT_GT(sp.eta_s(41), 6.05);
  EXPECT_NEAR(sp.v_s(1), kHiemenzWallShear, 3e-3);  // steps of 0.15 and more

  ASSERT_TRUE(bl::init_2d(sp, reports, 41, 1.0, 6.0, 1).ok);  // exactly uniform
  EXPECT_NEAR(sp.eta_s(41), 6.0, 1e-12);
}

TEST_F(StartProfile, SecondCallContinuesTheReport) {
  ASSERT_TRUE(bl::init_2d(sp, reports, 41, 1.1, 6.0, 1).ok);
  const std::string first = read("init2d.OUT");
  ASSERT_TRUE(bl::init_2d(sp, reports, 31, 1.1, 6.0, 1).ok);
  const std::string both = read("init2d.OUT");
  EXPECT_EQ(both.substr(0, first.size()), first);
  EXPECT_EQ(both.substr(first.size(), 28), "  Start  of b.l. (init_2d) 1");
  EXPECT_EQ(count(both, "(init_2d) 3"), 2);
}

TEST_F(StartProfile, GridOutsideCapacityRefusedBeforeAnything) {
  ASSERT_TRUE(bl::init_2d(sp, reports, 41, 1.1, 6.0, 1).ok);
  const std::string report_before = read("init2d.OUT");
  const double shear = sp.v_s(1);
  for (int np : {1, 0, -5, 822, 100000}) {
    const bl::Status s = bl::init_2d(sp, reports, np, 1.1, 6.0, 1);
    EXPECT_FALSE(s.ok) << np;
    EXPECT_NE(s.message.find("821"), std::string::npos) << s.message;
  }
  EXPECT_FALSE(bl::init_2d(sp, reports, 41, 1.1, 6.0, 2).ok);  // undefined start type
  EXPECT_EQ(sp.v_s(1), shear);
  reports.status(bl::Report::Init2d);
  EXPECT_EQ(read("init2d.OUT"), report_before);

  ASSERT_TRUE(bl::init_2d(sp, reports, 821, 1.0, 6.0, 1).ok);  // the full capacity is usable
  EXPECT_NEAR(sp.v_s(1), kHiemenzWallShear, 1e-5);
}

TEST_F(StartProfile, FirstCallOfARunNeedsNoPriorFile) {
  reports.close_all();
  reports.set_folder((dir / "missing").string());
  const bl::Status s = bl::init_2d(sp, reports, 41, 1.1, 6.0, 1);
  EXPECT_FALSE(s.ok);  // the profile is solved, but the report is lost and says so
  EXPECT_NE(s.message.find("init2d.OUT"), std::string::npos);
  EXPECT_NEAR(sp.v_s(1), kHiemenzWallShear, 5e-4);
}
