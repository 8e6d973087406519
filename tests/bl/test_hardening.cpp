// Faults found by the randomized sweep over the program's inputs, each
// kept here so that it cannot come back.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "report_folder_fixture.h"
#include "setup/surface_split.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using SweepFault = ReportFolderTest;

// Contour of N intervals, unit arc-length steps, speed through zero
// between points 5 and 6.
bl::Contour plain_contour(int N) {
  bl::Contour c;
  c.n = N;
  for (int i = 1; i <= N + 1; ++i) {
    c.s.push_back(i - 1);
    c.v.push_back(5.5 - i);
  }
  return c;
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
    bl::Contour contour = plain_contour(20);
    bl::SplitSurfaces split;
    ASSERT_TRUE(bl::split_at_stagnation(contour, reports, split).ok);
    const std::string before = read("sxr_ue.out");
    const bl::SplitSurfaces kept = split;
    (c.speed ? contour.v : contour.s)[static_cast<std::size_t>(c.point - 1)] = c.value;
    const bl::Status st = bl::split_at_stagnation(contour, reports, split);
    EXPECT_FALSE(st.ok) << "point " << c.point;
    EXPECT_NE(st.message.find("point " + std::to_string(c.point)), std::string::npos) << st.message;
    EXPECT_EQ(split.upper.s, kept.upper.s);
    EXPECT_EQ(read("sxr_ue.out"), before);
  }
}
