// The windows' toolkit-free helpers: where the windows go on the screen,
// and which N a refused section (or polar) fits with.
#include <gtest/gtest.h>

#include "fitting_points.h"
#include "session/session.h"
#include "window_placement.h"

namespace {
// Outer frames of the windows as they open under a window manager whose
// decorations are 1, 1, 20, 5 pixels: the aerofoil window at the top left
// (its inputs and results in its first 250 pixels), the sizes the
// boundary-layer and polar windows ask for and their minima.
const ShownWindow kAerofoil{{0, 0, 602, 634}, {0, 0, 250, 634}};
const WindowSize kBl{802, 725, 579, 718}, kPolar{902, 685, 712, 558};

long long covered(const ScreenRect& r, const std::vector<ShownWindow>& shown, bool keepOnly) {
  long long a = 0;
  for (const ShownWindow& s : shown) a += overlapArea(r, keepOnly ? s.keep : s.frame);
  return a;
}
}  // namespace

TEST(WindowPlacement, SideBySideWhereThereIsRoomAndTheResultsAlwaysInSight) {
  // 1920 x 1080: the boundary-layer window right of the aerofoil window at
  // its full size; the polar window overlaps neither of the aerofoil
  // window, and of the boundary-layer window only a corner.
  const ScreenRect wide{0, 0, 1920, 1080};
  const ScreenRect bl = placeWindow(wide, kBl, {kAerofoil});
  EXPECT_TRUE(bl.x == 602 && bl.y == 0 && bl.w == 802 && bl.h == 725) << bl.x << " " << bl.w;
  const std::vector<ShownWindow> both{kAerofoil, {bl, {}}};
  const ScreenRect polar = placeWindow(wide, kPolar, both);
  EXPECT_EQ(overlapArea(polar, kAerofoil.frame), 0);
  EXPECT_LE(covered(polar, both, false), 196 * 203);
  EXPECT_TRUE(polar.right() <= 1920 && polar.bottom() <= 1080 && polar.w >= kPolar.minW && polar.h >= kPolar.minH);

  // 1366 x 768: the boundary-layer window narrower, beside the aerofoil
  // window; the polar window on the boundary-layer window, never on the
  // aerofoil window's inputs and results.
  const ScreenRect laptop{0, 0, 1366, 768};
  const ScreenRect bl2 = placeWindow(laptop, kBl, {kAerofoil});
  EXPECT_EQ(overlapArea(bl2, kAerofoil.frame), 0);
  EXPECT_TRUE(bl2.w >= kBl.minW && bl2.right() <= 1366 && bl2.bottom() <= 768);
  const std::vector<ShownWindow> both2{kAerofoil, {bl2, {}}};
  const ScreenRect polar2 = placeWindow(laptop, kPolar, both2);
  EXPECT_EQ(covered(polar2, both2, true), 0);
  // Over the aerofoil window's plot and the boundary-layer window's fields
  // together it covers less (334,648 pixels) than over the boundary-layer
  // window alone (366,680).
  EXPECT_LE(covered(polar2, both2, false), 340000) << polar2.x << " " << polar2.y;
  EXPECT_TRUE(polar2.right() <= 1366 && polar2.bottom() <= 768);

  // A screen smaller than a window: the whole screen.
  const ScreenRect tiny = placeWindow({0, 0, 640, 480}, kBl, {});
  EXPECT_TRUE(tiny.x == 0 && tiny.y == 0 && tiny.w == 640 && tiny.h == 480);
}

TEST(WindowPlacement, TileSharesTheWidthAndOverlapsOnlyBelowTheMinima) {
  const std::vector<WindowSize> three{{602, 634, 510, 634}, kBl, kPolar};
  const std::vector<ScreenRect> wide = tileWindows({0, 0, 1920, 1050}, three);
  ASSERT_EQ(wide.size(), 3u);
  EXPECT_EQ(wide[0].x, 0);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_GE(wide[i].w, three[i].minW);
    EXPECT_EQ(wide[i].h, 1050);
    if (i > 0) {
      EXPECT_EQ(wide[i].x, wide[i - 1].right());  // side by side, no overlap
    }
  }
  EXPECT_EQ(wide[2].right(), 1920);

  // Two windows too wide for the screen side by side: each at its
  // minimum, the overlap shared, the second at the right edge.
  const std::vector<ScreenRect> two = tileWindows({0, 0, 1000, 768}, {kBl, kPolar});
  EXPECT_TRUE(two[0].x == 0 && two[0].w == kBl.minW && two[1].w == kPolar.minW && two[1].right() == 1000);

  // The minima do not fit 1366 side by side: the aerofoil window in a
  // column of its own, wholly in sight, the others one below the other
  // beside it (the polar below), so that no window is a strip of its
  // width; each at least at its minimum, all on the screen.
  const std::vector<ScreenRect> narrow = tileWindows({0, 0, 1366, 768}, three);
  EXPECT_TRUE(narrow[0].x == 0 && narrow[0].y == 0 && narrow[0].h == 768);
  EXPECT_GE(narrow[0].w, three[0].minW);
  for (std::size_t i = 1; i < 3; ++i) {
    EXPECT_EQ(narrow[i].x, narrow[0].right());
    EXPECT_EQ(narrow[i].right(), 1366);
    EXPECT_GE(narrow[i].w, kPolar.minW);
    EXPECT_GE(narrow[i].h, three[i].minH);
  }
  EXPECT_EQ(narrow[1].y, 0);
  EXPECT_EQ(narrow[2].bottom(), 768);  // the polar below, on top of the other
  // A fourth window, the flow view, joins the second column.
  const std::vector<ScreenRect> four = tileWindows({0, 0, 1366, 768}, {three[0], kBl, kPolar, {1002, 625, 700, 480}});
  EXPECT_EQ(four[3].x, four[1].x);
  EXPECT_EQ(four[3].bottom(), 768);
}

TEST(FittingN, TheRefusalOfTooManyNodesNamesTheLargestNThatSplits) {
  // The default section at N = 1199: the upper surface would get 673 nodes.
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, 1199);
  aerofoil::solveSection(af, 12.0, 0.131, 0.0);
  bl::Session session;
  session.reports().set_enabled(false);
  const bl::Status refused = session.hand_over_contour(af.s, af.v, af.currentN);
  ASSERT_FALSE(refused.ok);

  std::string why;
  const auto section = aerofoil::makeSection(aerofoil::joukowskiInputs(12.0, 0.131, 0.0, 1199), why);
  const int n = largestFittingN(*section, 1199, {12.0});
  EXPECT_EQ(n, 1070);  // what the window names at the defaults
  const auto splits = [&](int points) {
    aerofoil::Joukowski trial;
    aerofoil::resizePoints(trial, points);
    aerofoil::solveSection(trial, af.alphaDeg, af.eR1, af.hR1);
    return session.hand_over_contour(trial.s, trial.v, points).ok;
  };
  EXPECT_TRUE(splits(n));
  for (int m = n + 1; m < 1199; ++m) ASSERT_FALSE(splits(m)) << m;

  const std::string note = fittingNNote(*section, af, refused.message);
  EXPECT_NE(note.find("N = " + std::to_string(n) + " fits this section"), std::string::npos) << note;
  // Any other refusal gets no such note.
  EXPECT_EQ(fittingNNote(*section, af, "surface split: no stagnation point"), "");
}

TEST(FittingN, APolarThatFailsAtEveryAngleAlikeSaysSoOnceWithTheNThatFitsThemAll) {
  polar::Settings set;
  set.section.eR1 = 0.131;
  set.section.hR1 = 0.0;
  set.section.n = 1199;
  set.angles = {-4, 6, 16};
  set.params = bl::ComputationParameters{};
  set.jobs = 1;
  std::vector<polar::Point> points;
  polar::compute(set, [&](const polar::Point& p) { points.push_back(p); });
  ASSERT_EQ(points.size(), 3u);
  std::string why;
  const auto section = aerofoil::makeSection(set.section, why);
  const int n = largestFittingN(*section, 1199, set.angles);
  const std::string said = polarFailureSummary(points, *section);
  EXPECT_EQ(said.rfind("All 3 angles failed: surface split:", 0), 0u) << said;
  EXPECT_NE(said.find("N = " + std::to_string(n) + " fits every angle"), std::string::npos) << said;
  // It does fit every angle, and one more does not.
  bl::Session session;
  session.reports().set_enabled(false);
  const auto splits = [&](double alpha, int m) {
    aerofoil::Joukowski af;
    aerofoil::resizePoints(af, m);
    aerofoil::solveSection(af, alpha, 0.131, 0.0);
    return session.hand_over_contour(af.s, af.v, m).ok;
  };
  bool oneMoreFails = false;
  for (double a : set.angles) {
    EXPECT_TRUE(splits(a, n)) << a;
    oneMoreFails = oneMoreFails || !splits(a, n + 1);
  }
  EXPECT_TRUE(oneMoreFails);
  // One angle computed: the count, no common reason.
  points[1].computed = true;
  EXPECT_EQ(polarFailureSummary(points, *section), "2 of 3 angles failed; their reasons are listed below.");
}
