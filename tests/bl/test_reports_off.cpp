// Report writing switched off, over a whole computation of both surfaces
// (split, input preparation, starting profile, march): not one file and not
// one diagnostic line appears, and every stored result is bit for bit that
// of the same computation with every report written.
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "report_folder_fixture.h"
#include "session/session.h"

namespace {

// Closed contour of 2 pi arc length, trailing edge at s = 0: the surface
// speed 1.2 cos(s/2) + 0.6 sin(s) + 0.1 changes sign once, near s = 3.3
// (between two contour points), and both surfaces first accelerate and then
// slow down towards the trailing edge, so the march goes through transition
// and decelerated flow.
struct Contour {
  static constexpr int kN = 96;
  std::vector<double> s, v;
  Contour() {
    for (int i = 0; i <= kN; ++i) {
      const double t = 2.0 * M_PI * i / kN;
      s.push_back(t);
      v.push_back(1.2 * std::cos(0.5 * t) + 0.6 * std::sin(t) + 0.1);
    }
  }
};

// Everything the computation leaves as results.
struct Results {
  std::vector<double> values;
  std::vector<int> counts;
  static Results take(const bl::Session& session) {
    Results r;
    for (bl::Surface which : bl::kBothSurfaces) {
      const bl::SurfaceResult s = session.surface(which);
      r.counts.push_back(s.nodes());
      for (const std::vector<double>& v : s.columns) r.values.insert(r.values.end(), v.begin(), v.end());
      r.values.push_back(s.xtr);
      r.values.push_back(s.xinv);
    }
    return r;
  }
};

class ReportsOff : public ReportFolderTest {
 protected:
  bl::Session session;
  bl::ReportFiles& reports = session.reports();

  void SetUp() override {
    ReportFolderTest::SetUp();
    reports.set_folder(dir.string());
  }
  void TearDown() override {
    reports.set_enabled(true);
    reports.close_all();
    ReportFolderTest::TearDown();
  }

  bl::Status bl_calculation(const Contour& c) {
    bl::Status st = session.hand_over_contour(c.s, c.v, Contour::kN);
    if (st.ok) st = session.new_computation();
    return st;
  }
};

TEST_F(ReportsOff, NothingWrittenAndEveryResultBitForBitThatWithReports) {
  const Contour c;
  reports.set_diagnostics(false);
  const bl::Status with = bl_calculation(c);
  reports.set_diagnostics(true);
  ASSERT_TRUE(with.ok) << with.message;
  const Results written = Results::take(session);
  ASSERT_GT(written.counts[0], 20);
  ASSERT_GT(written.counts[1], 20);
  reports.close_all();
  for (const char* f : {"sxr_ue.out", "CalcBl.out", "InputBl.out", "init2d.OUT"})
    EXPECT_FALSE(read(f).empty()) << f;
  for (const auto& e : std::filesystem::directory_iterator(dir)) std::filesystem::remove(e.path());

  reports.set_enabled(false);
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  const bl::Status without = bl_calculation(c);
  const std::string out = ::testing::internal::GetCapturedStdout();
  const std::string err = ::testing::internal::GetCapturedStderr();
  ASSERT_TRUE(without.ok) << without.message;

  EXPECT_TRUE(std::filesystem::is_empty(dir));
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "");
  const Results silent = Results::take(session);
  EXPECT_EQ(silent.counts, written.counts);
  ASSERT_EQ(silent.values.size(), written.values.size());
  for (std::size_t k = 0; k < silent.values.size(); ++k)
    ASSERT_EQ(std::signbit(silent.values[k]), std::signbit(written.values[k])) << k;
  EXPECT_EQ(silent.values, written.values);
}

// Switching the reports back on starts every report afresh: the march report
// and the split of a computation after an unreported one are those of a
// first computation.  (The input report is left out: it prints the inverse-
// mode skin friction left by the previous pass, reported or not.)
TEST_F(ReportsOff, ReportsBackOnStartAfresh) {
  const Contour c;
  reports.set_diagnostics(false);
  ASSERT_TRUE(bl_calculation(c).ok);
  reports.close_all();
  const std::string calc = read("CalcBl.out"), split = read("sxr_ue.out");
  for (const auto& e : std::filesystem::directory_iterator(dir)) std::filesystem::remove(e.path());

  reports.set_enabled(false);
  ASSERT_TRUE(bl_calculation(c).ok);
  reports.set_enabled(true);
  ASSERT_TRUE(bl_calculation(c).ok);
  reports.set_diagnostics(true);
  reports.close_all();
  EXPECT_EQ(read("CalcBl.out"), calc);
  EXPECT_EQ(read("sxr_ue.out"), split);
}

}  // namespace
