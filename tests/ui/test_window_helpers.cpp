// The windows' toolkit-free helpers: where the boundary-layer window goes
// on the screen, and which N a refused section fits with.
#include <gtest/gtest.h>

#include "fitting_points.h"
#include "session/session.h"
#include "window_placement.h"

TEST(PlaceBeside, WhollyOnTheScreenBesideTheOwnerWhereThereIsRoom) {
  const ScreenRect main{383, 79, 600, 609};  // the aerofoil window centred on 1366 x 768
  const struct {
    ScreenRect owner;
    int screenW, screenH;
    ScreenRect expected;
  } cases[] = {
      {{0, 0, 600, 609}, 1600, 1300, {600, 0, 800, 700}},       // right of it
      {{900, 300, 600, 609}, 1600, 1300, {100, 300, 800, 700}},  // left of it
      {main, 1366, 768, {566, 68, 800, 700}},  // no room beside: the screen's right edge
      {{700, 79, 600, 609}, 1366, 768, {0, 68, 800, 700}},  // more room on the left
      {{0, 0, 600, 609}, 640, 480, {0, 0, 640, 480}},        // shrunk to a small screen
  };
  for (const auto& c : cases) {
    const ScreenRect r = placeBeside(c.owner, 800, 700, c.screenW, c.screenH);
    EXPECT_TRUE(r.x == c.expected.x && r.y == c.expected.y && r.w == c.expected.w &&
                r.h == c.expected.h)
        << c.screenW << " x " << c.screenH << ": " << r.x << ", " << r.y << ", " << r.w << " x " << r.h;
  }
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

  const int n = largestFittingN(af);
  EXPECT_EQ(n, 1070);  // what the window names at the defaults
  const auto splits = [&](int points) {
    aerofoil::Joukowski trial;
    aerofoil::resizePoints(trial, points);
    aerofoil::solveSection(trial, af.alphaDeg, af.eR1, af.hR1);
    return session.hand_over_contour(trial.s, trial.v, points).ok;
  };
  EXPECT_TRUE(splits(n));
  for (int m = n + 1; m < 1199; ++m) ASSERT_FALSE(splits(m)) << m;

  const std::string note = fittingNNote(af, refused.message);
  EXPECT_NE(note.find("N = " + std::to_string(n) + " fits this section"), std::string::npos) << note;
  // Any other refusal gets no such note.
  EXPECT_EQ(fittingNNote(af, "surface split: no stagnation point"), "");
}
