// The two drag figures a viscous analysis prints, from their definitions:
// Squire and Young's momentum defect carried to the far wake, and the wall
// shear resolved along the free stream.
#include <cmath>

#include <gtest/gtest.h>

#include "viscous_loads.h"

namespace {

// A surface of the given nodes along the chord (y = 0), with its results.
struct Wall {
  bl::SurfaceValues v;
  bl::SurfaceResult r;
  Wall(const std::vector<double>& s, const std::vector<double>& ue, const std::vector<double>& cf) {
    v.s = s;
    v.ue = ue;
    v.x = s;
    v.y.assign(s.size(), 0.0);
    v.wall_nodes = static_cast<int>(s.size());
    r = bl::SurfaceResult::unmarched(v);
    r[bl::Column::ue] = ue;
    r[bl::Column::cf] = cf;
  }
};

}  // namespace

// Where the wake has recovered (ue = 1) the drag is twice its momentum
// thickness whatever its shape; short of it the thickness grows as the
// speed recovers, by ue^((H + 5)/2).
TEST(ViscousLoads, SquireYoungCarriesTheMomentumDefectToTheFarWake) {
  Wall w({0.0, 1.0}, {1.0, 1.0}, {0.0, 0.0});
  w.r[bl::Column::d2] = {0.0, 0.004};
  w.r[bl::Column::h12] = {0.0, 1.8};
  EXPECT_DOUBLE_EQ(viscous::wake_drag(w.r), 0.008);
  w.r[bl::Column::ue][1] = 0.8;
  w.r[bl::Column::h12][1] = 1.4;
  EXPECT_NEAR(viscous::wake_drag(w.r), 0.008 * std::pow(0.8, 3.2), 1e-15);
}

// The wall shear per free-stream dynamic pressure is cf ue^2 (cf is taken
// with the local edge speed); along a wall turned by alpha from the free
// stream only its cosine share is drag.
TEST(ViscousLoads, FrictionDragIsTheWallShearAlongTheFreeStream) {
  const Wall w({0.0, 0.5, 1.5}, {1.2, 1.2, 1.2}, {0.004, 0.004, 0.004});
  EXPECT_NEAR(viscous::friction_drag(w.v, w.r, 0.0), 0.004 * 1.44 * 1.5, 1e-15);
  EXPECT_NEAR(viscous::friction_drag(w.v, w.r, 60.0), 0.5 * 0.004 * 1.44 * 1.5, 1e-15);
}
