// Surface split at the stagnation point and its report "sxr_ue.out".
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "setup/surface_split.h"
#include "session/exchange_data.h"
#include "solver_fixture.h"
#include "small_contour.h"

namespace {

// A contour of N intervals with unit arc-length steps and a speed falling
// linearly through zero at contour position p0 (between two points).
void hand_over(bl::ExchangeData& blx, int N, double p0) {
  blx = bl::ExchangeData{};
  blx.n_cont(0) = N;
  for (int i = 1; i <= N + 1; ++i) {
    blx.s_cont(i) = i - 1;
    blx.v_cont(i) = p0 - i;
  }
}

// The line of the report that starts with the given text.
std::string line_starting(const std::string& text, const std::string& start) {
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(start, 0) == 0) return line;
  return "";
}

using Split = SolverTest;

}  // namespace

TEST_F(Split, StagnationAtATenthOfPanel65) {
  const int N = 200;
  hand_over(blx, N, 65.1);
  ASSERT_TRUE(bl::BLPanel(blx, reports, 0).ok);
  const std::string rep = read("sxr_ue.out");
  EXPECT_EQ(line_starting(rep, "  Icrit="), "  Icrit=   65    Scrit=   0.641000E+02   0.400000E+00");
  EXPECT_EQ(line_starting(rep, "    SU="), "    SU=   0.100000E+00    SL=   0.900000E+00");
  EXPECT_EQ(line_starting(rep, " N0_UP="), " N0_UP= 0   N0_LOW= 1");

  // Point 65 (0.1 of a panel away) is dropped, point 66 kept.
  EXPECT_EQ(blx.n_bl(0), 65);
  EXPECT_EQ(blx.n_bl(5), N - 63);
  EXPECT_EQ(blx.n_bl_max, N - 63);
  EXPECT_NEAR(blx.s_bl(2, 0), 1.1, 1e-12);  // point 64
  EXPECT_NEAR(blx.ue_bl(2, 0), 1.1, 1e-12);
  EXPECT_NEAR(blx.s_bl(2, 5), 0.9, 1e-12);  // point 66
  EXPECT_NEAR(blx.ue_inv(2, 5), 0.9, 1e-12);
  EXPECT_NEAR(blx.s_bl(65, 0), 64.1, 1e-12);      // point 1
  EXPECT_NEAR(blx.s_bl(N - 63, 5), N - 64.1, 1e-12);  // point N+1

  for (int slot : {0, 5}) {
    EXPECT_EQ(blx.s_bl(1, slot), 0.0);
    EXPECT_EQ(blx.ue_bl(1, slot), 0.0);
    EXPECT_EQ(blx.ue_inv(1, slot), 0.0);
    for (int j = 2; j <= blx.n_bl(slot); ++j) {
      EXPECT_GT(blx.s_bl(j, slot), blx.s_bl(j - 1, slot));
      EXPECT_GT(blx.ue_bl(j, slot), 0.0);
    }
  }
  // Every contour point once, less the dropped ones, plus the stagnation
  // node on both surfaces.
  EXPECT_EQ(blx.n_bl(0) + blx.n_bl(5), N + 1 + 0 + 1);
}

TEST_F(Split, QuarterPanelDropsThePoint) {
  hand_over(blx, 100, 65.25);  // SU exactly 0.25, SL 0.75
  ASSERT_TRUE(bl::BLPanel(blx, reports, 0).ok);
  EXPECT_EQ(line_starting(read("sxr_ue.out"), " N0_UP="), " N0_UP= 0   N0_LOW= 1");
  EXPECT_EQ(blx.n_bl(0), 65);
  EXPECT_EQ(blx.n_bl(0) + blx.n_bl(5), 101 + 1);

  hand_over(blx, 100, 65.75);  // SL exactly 0.25: the lower neighbour goes
  ASSERT_TRUE(bl::BLPanel(blx, reports, 0).ok);
  EXPECT_EQ(line_starting(read("sxr_ue.out"), " N0_UP="), " N0_UP= 1   N0_LOW= 0");
  EXPECT_EQ(blx.n_bl(0), 66);
  EXPECT_EQ(blx.n_bl(5), 101 - 65);
  EXPECT_NEAR(blx.s_bl(2, 0), 0.75, 1e-12);   // point 65 kept upstream
  EXPECT_NEAR(blx.s_bl(2, 5), 1.25, 1e-12);   // point 67, point 66 dropped
}

TEST_F(Split, RepeatedSplitGivesTheSameSurfaces) {
  hand_over(blx, 150, 40.3);
  ASSERT_TRUE(bl::BLPanel(blx, reports, 0).ok);
  const bl::ExchangeData first = blx;
  blx.ue_bl(10, 0) = 123.0;  // as a march would have overwritten it
  ASSERT_TRUE(bl::BLPanel(blx, reports, 0).ok);
  EXPECT_EQ(line_starting(read("sxr_ue.out"), "  Icrit=").substr(0, 38), "  Icrit=   40    Scrit=   0.000000E+00");
  for (int slot : {0, 5}) {
    ASSERT_EQ(blx.n_bl(slot), first.n_bl(slot));
    for (int j = 1; j <= first.n_bl(slot); ++j) {
      EXPECT_NEAR(blx.s_bl(j, slot), first.s_bl(j, slot), 1e-12);
      EXPECT_EQ(blx.ue_bl(j, slot), first.ue_inv(j, slot));
    }
  }
}

TEST_F(Split, CountsOfAFineContourPrintAsStars) {
  hand_over(blx, 256, 129.4);
  ASSERT_TRUE(bl::BLPanel(blx, reports, 0).ok);
  const std::string rep = read("sxr_ue.out");
  EXPECT_EQ(line_starting(rep, "  N_UP="), "  N_UP=**    N_LOW=**  N_NODES=**");
  EXPECT_EQ(line_starting(rep, "  Icrit="), "  Icrit=  129    Scrit=   0.128400E+03   0.100000E+00");
}

// The complete report of a small contour, byte for byte.
TEST_F(Split, ReportLayout) {
  blx = bl::ExchangeData{};
  hand_over_small_contour(blx);
  ASSERT_TRUE(bl::BLPanel(blx, reports, 0).ok);
  EXPECT_EQ(read("sxr_ue.out"), slurp(std::filesystem::path(VELTARO_TEST_DATA) / "sxr_ue_small.out"));
}

TEST_F(Split, RefusalChangesNothing) {
  struct Case {
    const char* what;
    void (*setup)(bl::ExchangeData&);
    const char* message_part;
  };
  const Case cases[] = {
      {"speed never changes sign strictly", [](bl::ExchangeData& blx) {
         hand_over(blx, 20, 30.5);  // all positive
       }, "no stagnation point"},
      {"speed exactly zero at a point", [](bl::ExchangeData& blx) {
         hand_over(blx, 20, 10.0);  // V(10) = 0: products 0, never negative
       }, "no stagnation point"},
      {"contour above 1200 points", [](bl::ExchangeData& blx) { hand_over(blx, 1199, 600.5); blx.n_cont(0) = 1200; }, "1200"},
      {"upper surface above 600 nodes", [](bl::ExchangeData& blx) { hand_over(blx, 1100, 700.5); }, "600"},
      {"lower surface above 600 nodes", [](bl::ExchangeData& blx) { hand_over(blx, 1100, 400.5); }, "600"},
      {"no contour", [](bl::ExchangeData& blx) { hand_over(blx, 0, 0.5); }, "points"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.setup(blx);
    { std::ofstream old(dir / "sxr_ue.out"); old << "previous split\n"; }
    for (int slot : {0, 5}) {
      blx.n_bl(slot) = 7;
      blx.s_bl(2, slot) = 0.5;
    }
    const bl::ExchangeData before = blx;
    const bl::Status st = bl::BLPanel(blx, reports, 0);
    EXPECT_FALSE(st.ok);
    EXPECT_NE(st.message.find(c.message_part), std::string::npos) << st.message;
    EXPECT_EQ(read("sxr_ue.out"), "previous split\n");
    for (int slot : {0, 5}) {
      EXPECT_EQ(blx.n_bl(slot), 7);
      EXPECT_EQ(blx.s_bl(2, slot), 0.5);
    }
    EXPECT_EQ(blx.n_bl_max, before.n_bl_max);
    EXPECT_EQ(blx.s_cont(5), before.s_cont(5));
  }
  EXPECT_FALSE(bl::BLPanel(blx, reports, 5).ok);  // not an element
}

TEST_F(Split, UnwritableReportRefusesTheSplit) {
  hand_over(blx, 50, 20.5);
  reports.set_folder((dir / "missing").string());
  const bl::Status st = bl::BLPanel(blx, reports, 0);
  EXPECT_FALSE(st.ok);
  EXPECT_NE(st.message.find("sxr_ue.out"), std::string::npos);
  EXPECT_EQ(blx.n_bl(0), 0);
  EXPECT_EQ(blx.s_cont(1), 0.0);  // not re-based
}
