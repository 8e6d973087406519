// Dumps of a station: byte-for-byte layouts of "NetFunc.out" and
// "Debug.out" for a three-point layer, kept in tests/data, and dumps that
// go nowhere when report writing is switched off.
#include <filesystem>

#include "core/block_solver.h"
#include "core/layer_profiles.h"
#include "report/dumps.h"
#include "report_folder_fixture.h"

namespace {


class StationDumps : public ReportFolderTest {
 protected:
  bl::LayerProfiles lp;
  bl::CoreArrays ca;
  const bl::DumpHead head{7, 4, 0.125, 1.5};  // iteration 7 of station 4

  void SetUp() override {
    ReportFolderTest::SetUp();
    lp.allocate();
    ca.allocate();
    // Distinct values in every printed array, so a swapped column shows.
    for (int j = 1; j <= 3; ++j) {
      lp.eta(j) = 0.1 * (j - 1) * j;
      lp.deta(j) = 0.2 * j;
      lp.aa(j) = 0.05 * (j - 1);
      lp.f(3, j) = 0.01 * j;
      lp.u(3, j) = 0.5 * j;
      lp.v(3, j) = 3.0 / j;
      lp.b(3, j) = 10.0 * j;
      lp.ccro(3, j) = 1.0;
      lp.tte(j) = 1.0 + 0.001 * j;
      ca.det(j) = -2.0 * j;
      for (int k = 1; k <= 3; ++k) {
        ca.q(k, j) = 100.0 * j + k;
        ca.qp(k, j) = -(10.0 * j + k);
        ca.rq(k, j) = j == 1 ? 0.0 : 1e-5 * k * j;
        ca.rvec(k, j) = 1e-3 * (k + j);
        for (int m = 1; m <= 3; ++m) {
          ca.dqdx(k, m, j) = k == m ? 1.0 : 0.0;
          ca.dqpdx(k, m, j) = 0.1 * k + 0.01 * m + j;
          ca.amat(k, m, j) = -(k + m + j);
          ca.bmat(k, m, j) = 2.0 * (k + m + j);
          ca.cmat(k, m, j) = 0.5 * (k * m + j);
        }
      }
    }
    ASSERT_TRUE(reports.open_dumps().ok);
  }
  void TearDown() override {
    static_cast<void>(reports.close_dumps());
    ReportFolderTest::TearDown();
  }

  // Both dumps of the three-point layer: edge Mach number 0, density and
  // viscosity ratios 1, largest correction 2.5e-7 at point 2.
  void dump() {
    const bl::ProfileTable profile = bl::profile_table(lp, 3, 3);
    bl::dump_net(reports, head, 0.0, profile);
    bl::dump_sys(reports, head, 1.0, 1.0, 2.5e-7, 2, ca, profile);
  }
};

TEST_F(StationDumps, LayoutsMatchTheKeptFiles) {
  dump();
  ASSERT_TRUE(reports.close_dumps().ok);
  EXPECT_EQ(read("NetFunc.out"), slurp(std::string(VELTARO_TEST_DATA) + "/NetFunc_small.out"));
  EXPECT_EQ(read("Debug.out"), slurp(std::string(VELTARO_TEST_DATA) + "/Debug_small.out"));
}

TEST_F(StationDumps, NothingIsWrittenWithReportsOff) {
  static_cast<void>(reports.close_dumps());
  std::filesystem::remove(dir / "NetFunc.out");
  std::filesystem::remove(dir / "Debug.out");
  reports.set_enabled(false);
  EXPECT_TRUE(reports.open_dumps().ok);
  dump();
  EXPECT_TRUE(reports.close_dumps().ok);
  reports.set_enabled(true);
  EXPECT_FALSE(std::filesystem::exists(dir / "NetFunc.out"));
  EXPECT_FALSE(std::filesystem::exists(dir / "Debug.out"));
}

}  // namespace
