// The march against classical boundary layers, on surface tables built
// here (node 1 the stagnation point):
//   - Hiemenz stagnation flow ue = x: Cf sqrt(Re_x) = 2 f''(0) = 2.4652 at
//     every station, the similarity solution held along the march;
//   - circular cylinder ue = 2 sin(s): laminar separation at s = 1.823
//     (104.5 degrees), where the separation forecast forces transition;
//   - flat plate behind a short accelerating start, tripped at s = 0.02:
//     the turbulent skin friction against the Schultz-Grunow correlation
//     Cf = 0.370 (log10 Re_x)^-2.584 for Re_x from 1e7 to 1e8.
#include <cmath>
#include <cstdio>

#include "../bl/solver_fixture.h"
#include "../bl/surface_table.h"
#include "march/surface_march.h"
#include "session/exchange_data.h"

namespace {


class ClassicalFlow : public SolverTest {
 protected:
  void SetUp() override {
    SolverTest::SetUp();
    blx.params = bl::ComputationParameters{};
    blx.n_bl_max = 0;
  }
  bl::Status march(double xtr) {
    blx.params.xtr_surf[0] = xtr;
    blx.params.xinv_surf[0] = blx.s_bl(blx.n_bl(0), 0);
    return SolverTest::march(0);
  }
};

TEST_F(ClassicalFlow, HiemenzWallShearHeldAlongTheMarch) {
  const int n = 101;
  surface_table(blx, 0, n, [](int i) { return (i - 1) / 100.0; }, [](double s) { return s; });
  const bl::Status s = march(10.0);
  ASSERT_TRUE(s.ok) << s.message;
  double worst = 0.0;
  for (int i = 3; i <= n; ++i) {
    const double x = blx.s_bl(i, 0);
    const double rex = blx.ue_inv(i, 0) * x * 1e7;
    const double c = blx.cf_bl(i, 0) * std::sqrt(rex);
    EXPECT_NEAR(c / 2.4652, 1.0, 2e-3) << "station " << i;
    worst = std::fmax(worst, std::fabs(c / 2.4652 - 1.0));
  }
  std::printf("Hiemenz flow: largest deviation of Cf sqrt(Re_x) from 2.4652: %.2e\n", worst);
  // Accelerating throughout: neither transition nor inverse mode.
  EXPECT_EQ(blx.params.xinv_surf[0], 1.0);
  EXPECT_EQ(blx.params.xtr_surf[0], 10.0);
}

TEST_F(ClassicalFlow, CylinderSeparationForcesTransition) {
  const int n = 121;
  surface_table(blx, 0, n, [](int i) { return 2.09 * (i - 1) / 120.0; }, [](double s) { return 2.0 * std::sin(s); });
  const bl::Status s = march(10.0);
  ASSERT_TRUE(s.ok) << s.message;
  std::printf("Cylinder: transition forced at s = %.4f (laminar separation 1.823)\n", blx.params.xtr_surf[0]);
  EXPECT_GE(blx.params.xtr_surf[0], 1.74);
  EXPECT_LE(blx.params.xtr_surf[0], 1.85);
  for (int i = 3; i <= n; ++i) EXPECT_TRUE(std::isfinite(blx.cf_bl(i, 0))) << i;
}

TEST_F(ClassicalFlow, TurbulentFlatPlateFollowsSchultzGrunow) {
  const int n = 300;
  // Nodes clustered at the nose, where the start accelerates into ue = 1.
  surface_table(blx, 0, n, [n](int i) { return std::pow((i - 1.0) / (n - 1), 3); },
                [](double s) { return 1.0 - std::exp(-s / 0.005); });
  blx.params.re_mill = 100.0;
  const bl::Status s = march(0.02);
  ASSERT_TRUE(s.ok) << s.message;
  double worst = 0.0;
  int compared = 0;
  for (int i = 3; i <= n; ++i) {
    const double rex = blx.s_bl(i, 0) * blx.ue_bl(i, 0) * 1e8;
    if (rex < 1e7 || rex > 1e8) continue;
    const double sg = 0.370 * std::pow(std::log10(rex), -2.584);
    EXPECT_NEAR(blx.cf_bl(i, 0) / sg, 1.0, 0.05) << "Re_x " << rex;
    worst = std::fmax(worst, std::fabs(blx.cf_bl(i, 0) / sg - 1.0));
    ++compared;
  }
  EXPECT_GT(compared, 100);
  std::printf("Flat plate: largest deviation from Schultz-Grunow over %d stations: %.1f %%\n", compared,
              100.0 * worst);
}

}  // namespace
