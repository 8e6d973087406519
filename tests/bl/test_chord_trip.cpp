// A trip given as x/c: the arc length of the point of the surface at that
// x/c, behind the leading edge.
#include <gtest/gtest.h>

#include "setup/chord_trip.h"

// The surface runs from the stagnation point (x/c 0.005) round the leading
// edge (node 2, x/c 0) and back along its side; its nodes are unevenly
// spaced.  x/c 0.09 lies a quarter of the way from node 3 to node 4, in x
// and so in arc length along the straight piece between them.
TEST(ChordTrip, TheTripLiesWhereTheSurfaceReachesItsChordPosition) {
  bl::SurfaceValues v;
  v.s = {0.0, 0.01, 0.05, 0.25, 0.65, 1.05};
  v.x = {0.005, 0.0, 0.04, 0.24, 0.64, 1.0};
  v.y.assign(v.s.size(), 0.0);
  v.ue.assign(v.s.size(), 1.0);
  v.wall_nodes = 6;
  EXPECT_NEAR(bl::trip_arc_length(v, 0.09), 0.10, 1e-15);
  EXPECT_NEAR(bl::trip_arc_length(v, 0.64), 0.65, 1e-15);
}
