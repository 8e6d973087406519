// Faults found by the randomized sweep over the program's inputs, each
// kept here so that it cannot come back.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "setup/surface_split.h"
#include "session/exchange_data.h"
#include "solver_fixture.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using SweepFault = SolverTest;

// Contour of N intervals, unit arc-length steps, speed through zero
// between points 5 and 6.
void plain_contour(bl::ExchangeData& blx, int N) {
  blx = bl::ExchangeData{};
  blx.n_cont(0) = N;
  for (int i = 1; i <= N + 1; ++i) {
    blx.s_cont(i) = i - 1;
    blx.v_cont(i) = 5.5 - i;
  }
}

}  // namespace

// A contour point without a finite arc length or speed (the sharp leading
// edge of e/R1 = 0 has an infinite speed) used to pass the split into the
// surface tables, where only the march found it.  The split refuses it,
// names the point, and leaves the tables and the report as they were.
TEST_F(SweepFault, SplitRefusesContourPointsThatAreNotFinite) {
  const struct {
    int point;
    bool speed;
    double value;
  } cases[] = {{2, true, kInf}, {9, true, -kInf}, {12, true, kNaN}, {1, false, kNaN}, {7, false, kInf}};
  for (const auto& c : cases) {
    plain_contour(blx, 20);
    ASSERT_TRUE(bl::BLPanel(blx, reports, 0).ok);
    const std::string before = read("sxr_ue.out");
    const bl::ExchangeData kept = blx;
    (c.speed ? blx.v_cont(c.point) : blx.s_cont(c.point)) = c.value;
    const bl::Status st = bl::BLPanel(blx, reports, 0);
    EXPECT_FALSE(st.ok) << "point " << c.point;
    EXPECT_NE(st.message.find("point " + std::to_string(c.point)), std::string::npos) << st.message;
    EXPECT_EQ(blx.n_bl(0), kept.n_bl(0));
    EXPECT_EQ(blx.s_bl(2, 0), kept.s_bl(2, 0));
    EXPECT_EQ(read("sxr_ue.out"), before);
  }
}
