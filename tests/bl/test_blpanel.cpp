// Surface split at the stagnation point and its report "sxr_ue.out".
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "report_folder_fixture.h"
#include "setup/surface_split.h"
#include "small_contour.h"

namespace {

// A contour of N intervals with unit arc-length steps and a speed falling
// linearly through zero at contour position p0 (between two points); the
// points lie at x = s, y = s / 10.
bl::Contour contour(int N, double p0) {
  bl::Contour c;
  c.n = N;
  for (int i = 1; i <= N + 1; ++i) {
    c.s.push_back(i - 1);
    c.v.push_back(p0 - i);
    c.x.push_back(i - 1);
    c.y.push_back(0.1 * (i - 1));
  }
  return c;
}

// The line of the report that starts with the given text.
std::string line_starting(const std::string& text, const std::string& start) {
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(start, 0) == 0) return line;
  return "";
}

class Split : public ReportFolderTest {
 protected:
  bl::SplitSurfaces split;
  bl::Status run(bl::Contour& c) { return bl::split_at_stagnation(c, reports, split); }
};

}  // namespace

TEST_F(Split, StagnationAtATenthOfPanel65) {
  const int N = 200;
  bl::Contour c = contour(N, 65.1);
  ASSERT_TRUE(run(c).ok);
  const std::string rep = read("sxr_ue.out");
  EXPECT_EQ(line_starting(rep, "  Icrit="), "  Icrit=   65    Scrit=   0.641000E+02   0.400000E+00");
  EXPECT_EQ(line_starting(rep, "    SU="), "    SU=   0.100000E+00    SL=   0.900000E+00");
  EXPECT_EQ(line_starting(rep, " N0_UP="), " N0_UP= 0   N0_LOW= 1");

  // Point 65 (0.1 of a panel away) is dropped, point 66 kept.
  const bl::SurfaceValues &up = split.upper, &low = split.lower;
  ASSERT_EQ(up.nodes(), 65);
  ASSERT_EQ(low.nodes(), N - 63);
  EXPECT_EQ(up.wall_nodes, up.nodes());
  EXPECT_EQ(low.wall_nodes, low.nodes());
  EXPECT_NEAR(up.s[1], 1.1, 1e-12);  // point 64
  EXPECT_NEAR(up.ue[1], 1.1, 1e-12);
  EXPECT_NEAR(low.s[1], 0.9, 1e-12);  // point 66
  EXPECT_NEAR(low.ue[1], 0.9, 1e-12);
  EXPECT_NEAR(up.s[64], 64.1, 1e-12);           // point 1
  EXPECT_NEAR(low.s[N - 64], N - 64.1, 1e-12);  // point N+1
  // Each node where its contour point lies, the stagnation node in its panel.
  EXPECT_NEAR(up.x[0], 64.1, 1e-12);
  EXPECT_NEAR(low.y[0], 6.41, 1e-12);
  EXPECT_EQ(up.x[1], 63.0);
  EXPECT_EQ(low.y[1], 6.5);

  for (const bl::SurfaceValues* surf : {&up, &low}) {
    EXPECT_EQ(surf->s[0], 0.0);
    EXPECT_EQ(surf->ue[0], 0.0);
    for (int j = 1; j < surf->nodes(); ++j) {
      EXPECT_GT(surf->s[j], surf->s[j - 1]);
      EXPECT_GT(surf->ue[j], 0.0);
    }
  }
  // Every contour point once, less the dropped ones, plus the stagnation
  // node on both surfaces.
  EXPECT_EQ(up.nodes() + low.nodes(), N + 1 + 0 + 1);
}

TEST_F(Split, QuarterPanelDropsThePoint) {
  bl::Contour c = contour(100, 65.25);  // SU exactly 0.25, SL 0.75
  ASSERT_TRUE(run(c).ok);
  EXPECT_EQ(line_starting(read("sxr_ue.out"), " N0_UP="), " N0_UP= 0   N0_LOW= 1");
  EXPECT_EQ(split.upper.nodes(), 65);
  EXPECT_EQ(split.upper.nodes() + split.lower.nodes(), 101 + 1);

  c = contour(100, 65.75);  // SL exactly 0.25: the lower neighbour goes
  ASSERT_TRUE(run(c).ok);
  EXPECT_EQ(line_starting(read("sxr_ue.out"), " N0_UP="), " N0_UP= 1   N0_LOW= 0");
  EXPECT_EQ(split.upper.nodes(), 66);
  EXPECT_EQ(split.lower.nodes(), 101 - 65);
  EXPECT_NEAR(split.upper.s[1], 0.75, 1e-12);  // point 65 kept upstream
  EXPECT_NEAR(split.lower.s[1], 1.25, 1e-12);  // point 67, point 66 dropped
}

TEST_F(Split, RepeatedSplitGivesTheSameSurfaces) {
  bl::Contour c = contour(150, 40.3);
  ASSERT_TRUE(run(c).ok);
  const bl::SplitSurfaces first = split;
  ASSERT_TRUE(run(c).ok);
  EXPECT_EQ(line_starting(read("sxr_ue.out"), "  Icrit=").substr(0, 38), "  Icrit=   40    Scrit=   0.000000E+00");
  for (const auto& [now, then] : {std::pair{&split.upper, &first.upper}, std::pair{&split.lower, &first.lower}}) {
    ASSERT_EQ(now->nodes(), then->nodes());
    for (int j = 0; j < then->nodes(); ++j) {
      EXPECT_NEAR(now->s[j], then->s[j], 1e-12);
      EXPECT_EQ(now->ue[j], then->ue[j]);
    }
  }
}

TEST_F(Split, CountsOfAFineContourPrintAsStars) {
  bl::Contour c = contour(256, 129.4);
  ASSERT_TRUE(run(c).ok);
  const std::string rep = read("sxr_ue.out");
  EXPECT_EQ(line_starting(rep, "  N_UP="), "  N_UP=**    N_LOW=**  N_NODES=**");
  EXPECT_EQ(line_starting(rep, "  Icrit="), "  Icrit=  129    Scrit=   0.128400E+03   0.100000E+00");
}

// The complete report of a small contour, byte for byte.
TEST_F(Split, ReportLayout) {
  bl::Contour c = small_contour();
  ASSERT_TRUE(run(c).ok);
  EXPECT_EQ(read("sxr_ue.out"), slurp(std::filesystem::path(VELTARO_TEST_DATA) / "sxr_ue_small.out"));
  EXPECT_TRUE(split.upper.x.empty());  // a contour without coordinates
}

TEST_F(Split, RefusalChangesNothing) {
  struct Case {
    const char* what;
    bl::Contour contour;
    const char* message_part;
  };
  bl::Contour too_long = contour(1199, 600.5);
  too_long.n = 1200;
  const Case cases[] = {
      {"speed never changes sign strictly", contour(20, 30.5), "no stagnation point"},  // all positive
      {"speed exactly zero at a point", contour(20, 10.0), "no stagnation point"},  // products 0, never negative
      {"contour above 1200 points", too_long, "1200"},
      {"upper surface above 600 nodes", contour(1100, 700.5), "600"},
      {"lower surface above 600 nodes", contour(1100, 400.5), "600"},
      {"no contour", contour(0, 0.5), "points"},
  };
  bl::Contour previous = contour(30, 10.5);
  ASSERT_TRUE(run(previous).ok);
  const bl::SplitSurfaces before = split;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    { std::ofstream old(dir / "sxr_ue.out"); old << "previous split\n"; }
    bl::Contour c = k.contour;
    const bl::Status st = run(c);
    EXPECT_FALSE(st.ok);
    EXPECT_NE(st.message.find(k.message_part), std::string::npos) << st.message;
    EXPECT_EQ(read("sxr_ue.out"), "previous split\n");
    EXPECT_EQ(split.upper.s, before.upper.s);
    EXPECT_EQ(split.lower.s, before.lower.s);
    if (c.s.size() > 4) {
      EXPECT_EQ(c.s[4], k.contour.s[4]);  // not re-based
    }
  }
}

TEST_F(Split, UnwritableReportRefusesTheSplit) {
  bl::Contour c = contour(50, 20.5);
  reports.set_folder((dir / "missing").string());
  const bl::Status st = run(c);
  EXPECT_FALSE(st.ok);
  EXPECT_NE(st.message.find("sxr_ue.out"), std::string::npos);
  EXPECT_EQ(split.upper.nodes(), 0);
  EXPECT_EQ(c.s[0], 0.0);  // not re-based
}
