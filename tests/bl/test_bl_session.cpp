// The hand-over of a contour to the boundary-layer side: a contour that
// cannot be split never disturbs the one handed over before.
#include <vector>

#include "session/session.h"
#include "session/exchange_data.h"
#include "report_folder_fixture.h"

namespace {

using bl::blx;

class HandOver : public ReportFolderTest {};

const std::vector<double> kS = {0.0, 0.3, 0.5, 0.55, 0.7, 1.0};
const std::vector<double> kV = {0.9, 0.6, 0.2, -0.3, -0.8, -1.0};

}  // namespace

TEST_F(HandOver, SplitsTheContourAndSetsTheInverseStartAtTheSurfaceEnds) {
  const bl::Status st = bl::hand_over_contour(kS, kV, 5);
  ASSERT_TRUE(st.ok) << st.message;
  EXPECT_EQ(blx.n_cont(0), 5);
  EXPECT_EQ(blx.n_bl(0), 4);
  EXPECT_EQ(blx.n_bl(5), 4);
  bl::set_inverse_start_to_surface_ends();
  EXPECT_EQ(blx.xinv_surf(0), blx.s_bl(4, 0));
  EXPECT_EQ(blx.xinv_surf(1), blx.s_bl(4, 5));
}

TEST_F(HandOver, RefusedContourLeavesThePreviousHandOver) {
  ASSERT_TRUE(bl::hand_over_contour(kS, kV, 5).ok);
  const double s4 = blx.s_cont(4), v4 = blx.v_cont(4);
  const std::string split = read("sxr_ue.out");

  // No change of sign: nothing to split at.
  const std::vector<double> s = {0.0, 0.2, 0.4, 0.6, 0.8, 1.0, 1.2, 1.4};
  const std::vector<double> v(8, 0.5);
  const bl::Status st = bl::hand_over_contour(s, v, 7);
  EXPECT_FALSE(st.ok);
  EXPECT_FALSE(st.message.empty());
  EXPECT_EQ(blx.n_cont(0), 5);
  EXPECT_EQ(blx.s_cont(4), s4);
  EXPECT_EQ(blx.v_cont(4), v4);
  EXPECT_EQ(read("sxr_ue.out"), split);

  // More points than the exchange data hold.
  const std::vector<double> big(1300, 0.0);
  EXPECT_FALSE(bl::hand_over_contour(big, big, 1250).ok);
  EXPECT_EQ(blx.n_cont(0), 5);
}
