// The hand-over of a contour to a session: a contour that cannot be split
// never disturbs the one handed over before.
#include <vector>

#include "report_folder_fixture.h"
#include "session/session.h"

namespace {

class HandOver : public ReportFolderTest {
 protected:
  bl::Session session;
  void SetUp() override {
    ReportFolderTest::SetUp();
    session.reports().set_folder(dir.string());
  }
};

const std::vector<double> kS = {0.0, 0.3, 0.5, 0.55, 0.7, 1.0};
const std::vector<double> kV = {0.9, 0.6, 0.2, -0.3, -0.8, -1.0};

}  // namespace

TEST_F(HandOver, RefusedContourLeavesThePreviousHandOver) {
  ASSERT_TRUE(session.hand_over_contour(kS, kV, 5).ok);
  EXPECT_EQ(session.surface(bl::Surface::upper).nodes(), 4);
  EXPECT_EQ(session.surface(bl::Surface::lower).nodes(), 4);
  const std::vector<double> upper = session.surface(bl::Surface::upper)[bl::Column::s];
  const std::string split = read("sxr_ue.out");

  // No change of sign: nothing to split at.
  const std::vector<double> s = {0.0, 0.2, 0.4, 0.6, 0.8, 1.0, 1.2, 1.4};
  const std::vector<double> v(8, 0.5);
  const bl::Status st = session.hand_over_contour(s, v, 7);
  EXPECT_FALSE(st.ok);
  EXPECT_FALSE(st.message.empty());
  EXPECT_EQ(read("sxr_ue.out"), split);

  // More points than a split takes.
  const std::vector<double> big(1300, 0.0);
  EXPECT_FALSE(session.hand_over_contour(big, big, 1250).ok);

  // A recalculation splits the contour of the first hand-over again.
  static_cast<void>(session.recalculate());
  EXPECT_EQ(session.surface(bl::Surface::upper)[bl::Column::s], upper);
}
