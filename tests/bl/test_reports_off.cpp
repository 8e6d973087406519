// Report writing switched off, over a whole computation of both surfaces
// (split, input preparation, starting profile, march): not one file and not
// one diagnostic line appears, and every stored result is bit for bit that
// of the same computation with every report written.
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "session/session.h"
#include "session/exchange_data.h"
#include "report_folder_fixture.h"

namespace {

using bl::blx;

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

// Everything the computation leaves in the exchange data.
struct Results {
  std::vector<double> values;
  std::vector<int> counts;
  static Results take() {
    Results r;
    for (int slot : {0, 5}) {
      const int n = blx.n_bl(slot);
      r.counts.push_back(n);
      for (int i = 1; i <= n; ++i)
        for (double q : {blx.s_bl(i, slot), blx.ue_bl(i, slot), blx.ue_inv(i, slot), blx.cf_bl(i, slot),
                         blx.d1_bl(i, slot), blx.d2_bl(i, slot), blx.rv_bl(i, slot), blx.h12_bl(i, slot)})
          r.values.push_back(q);
    }
    for (int isurf : {0, 1}) {
      r.values.push_back(blx.xtr_surf(isurf));
      r.values.push_back(blx.xinv_surf(isurf));
    }
    for (int i = 1; i <= Contour::kN + 1; ++i) r.values.push_back(blx.s_cont(i));
    return r;
  }
};

class ReportsOff : public ReportFolderTest {
 protected:
  void SetUp() override {
    ReportFolderTest::SetUp();
    bl::set_default_parameters();
  }
  void TearDown() override {
    bl::set_reports_enabled(true);
    ReportFolderTest::TearDown();
  }

  static bl::Status bl_calculation(const Contour& c) {
    bl::Status st = bl::hand_over_contour(c.s, c.v, Contour::kN);
    if (st.ok) st = bl::new_computation();
    return st;
  }
};

TEST_F(ReportsOff, NothingWrittenAndEveryResultBitForBitThatWithReports) {
  const Contour c;
  bl::set_diagnostics_enabled(false);
  const bl::Status with = bl_calculation(c);
  bl::set_diagnostics_enabled(true);
  ASSERT_TRUE(with.ok) << with.message;
  const Results written = Results::take();
  ASSERT_GT(written.counts[0], 20);
  ASSERT_GT(written.counts[1], 20);
  bl::close_reports();
  for (const char* f : {"sxr_ue.out", "CalcBl.out", "InputBl.out", "init2d.OUT"})
    EXPECT_FALSE(read(f).empty()) << f;
  for (const auto& e : std::filesystem::directory_iterator(dir)) std::filesystem::remove(e.path());

  bl::set_reports_enabled(false);
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  const bl::Status without = bl_calculation(c);
  const std::string out = ::testing::internal::GetCapturedStdout();
  const std::string err = ::testing::internal::GetCapturedStderr();
  ASSERT_TRUE(without.ok) << without.message;

  EXPECT_TRUE(std::filesystem::is_empty(dir));
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "");
  const Results silent = Results::take();
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
  bl::set_diagnostics_enabled(false);
  ASSERT_TRUE(bl_calculation(c).ok);
  bl::close_reports();
  const std::string calc = read("CalcBl.out"), split = read("sxr_ue.out");
  for (const auto& e : std::filesystem::directory_iterator(dir)) std::filesystem::remove(e.path());

  bl::set_reports_enabled(false);
  ASSERT_TRUE(bl_calculation(c).ok);
  bl::set_reports_enabled(true);
  ASSERT_TRUE(bl_calculation(c).ok);
  bl::set_diagnostics_enabled(true);
  bl::close_reports();
  EXPECT_EQ(read("CalcBl.out"), calc);
  EXPECT_EQ(read("sxr_ue.out"), split);
}

}  // namespace
