// The windows' toolkit-free helpers: which N a refused section fits with.
#include <gtest/gtest.h>

#include "fitting_points.h"
#include "session/session.h"

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
  const auto splits = [&](int points) {
    aerofoil::Joukowski trial;
    aerofoil::resizePoints(trial, points);
    aerofoil::solveSection(trial, af.alphaDeg, af.eR1, af.hR1);
    return session.hand_over_contour(trial.s, trial.v, points).ok;
  };
  EXPECT_TRUE(splits(n));
  for (int m = n + 1; m < 1199; ++m) ASSERT_FALSE(splits(m)) << m;
  EXPECT_NEAR(n, 1199 * 599 / 672, 3);  // the nodes grow in proportion to N

  const std::string note = fittingNNote(af, refused.message);
  EXPECT_NE(note.find("N = " + std::to_string(n) + " fits this section"), std::string::npos) << note;
  // Any other refusal gets no such note.
  EXPECT_EQ(fittingNNote(af, "surface split: no stagnation point"), "");
}
