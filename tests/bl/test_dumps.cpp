// Dumps of a station: byte-for-byte layouts of "NetFunc.out" and
// "Debug.out" for a three-point layer, kept in tests/data, and dumps that
// go nowhere when report writing is switched off.
#include <filesystem>

#include "core/block_solver.h"
#include "report/dumps.h"
#include "march/march_state.h"
#include "solver_fixture.h"
#include "setup/solver_scalars.h"
#include "setup/work_arrays.h"

namespace {


class StationDumps : public SolverTest {
 protected:
  void SetUp() override {
    SolverTest::SetUp();
    wa.allocate(5);
    ca.allocate();
    sd.NP = 3;
    wa.x(4) = 0.125;
    wa.ue(4) = 1.5;
    wa.roe8(4) = 1.0;
    wa.emue8(4) = 1.0;
    // Distinct values in every printed array, so a swapped column shows.
    for (int j = 1; j <= 3; ++j) {
      wa.eta(j) = 0.1 * (j - 1) * j;
      wa.deta(j) = 0.2 * j;
      wa.aa(j) = 0.05 * (j - 1);
      wa.f(3, j) = 0.01 * j;
      wa.u(3, j) = 0.5 * j;
      wa.v(3, j) = 3.0 / j;
      wa.b(3, j) = 10.0 * j;
      wa.ccro(3, j) = 1.0;
      wa.tte(j) = 1.0 + 0.001 * j;
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
    ms.kIter = 7;
    ms.DUmax = 2.5e-7;
    ms.JUmax = 2;
    ASSERT_TRUE(reports.open_dumps().ok);
  }
  void TearDown() override {
    static_cast<void>(reports.close_dumps());
    ca.release();
    wa.release();
    SolverTest::TearDown();
  }
};

TEST_F(StationDumps, LayoutsMatchTheKeptFiles) {
  bl::dump_net(pass, 4, 3);
  bl::dump_sys(pass, 4, 7, 3);
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
  bl::dump_net(pass, 4, 3);
  bl::dump_sys(pass, 4, 7, 3);
  EXPECT_TRUE(reports.close_dumps().ok);
  reports.set_enabled(true);
  EXPECT_FALSE(std::filesystem::exists(dir / "NetFunc.out"));
  EXPECT_FALSE(std::filesystem::exists(dir / "Debug.out"));
}

}  // namespace
