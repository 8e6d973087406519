// Computations side by side: two sessions share nothing, so two sections
// computed at the same time on two threads give every report byte and every
// result exactly as each computed alone; and within one session the upper
// and the lower pass run side by side with the same reports, diagnostic
// lines and results as one after the other.
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "../bl/report_folder_fixture.h"
#include "joukowski.h"
#include "session/session.h"

namespace {

struct Outcome {
  std::map<std::string, std::string> reports;  // file name -> text
  std::vector<double> results;
  bool ok = false;
};

// "BL Calculation" and one "Recalculate" on a section, reports in folder;
// the diagnostic lines, when asked for, into *diagnostics.
Outcome compute(const aerofoil::SectionInputs& in, const std::filesystem::path& folder, bool side_by_side = true,
                std::string* diagnostics = nullptr) {
  std::filesystem::create_directories(folder);
  bl::Session session;
  session.reports().set_folder(folder.string());
  session.reports().set_diagnostics(diagnostics != nullptr);
  session.set_concurrent_surfaces(side_by_side);
  if (diagnostics) testing::internal::CaptureStdout();
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, in.n);
  aerofoil::solveSection(af, in.alphaDeg, in.eR1, in.hR1);
  Outcome out;
  out.ok = session.hand_over_contour(af.s, af.v, af.currentN, af.x, af.y).ok && session.new_computation().ok &&
           session.recalculate().ok;
  session.reports().close_all();
  if (diagnostics) *diagnostics = testing::internal::GetCapturedStdout();
  for (bl::Surface which : bl::kBothSurfaces) {
    const bl::SurfaceResult r = session.surface(which);
    for (const std::vector<double>& v : r.columns) out.results.insert(out.results.end(), v.begin(), v.end());
    out.results.push_back(r.xtr);
    out.results.push_back(r.xinv);
  }
  for (const auto& e : std::filesystem::directory_iterator(folder))
    out.reports[e.path().filename().string()] = ReportFolderTest::slurp(e.path());
  return out;
}

using IndependentSessions = ReportFolderTest;

}  // namespace

TEST_F(IndependentSessions, TwoSectionsAtOnceGiveWhatEachGivesAlone) {
  const aerofoil::SectionInputs a = aerofoil::joukowskiInputs(12.0, 0.131, 0.0, 160);   // separates near the trailing edge
  const aerofoil::SectionInputs b = aerofoil::joukowskiInputs(-3.0, 0.2, -0.1, 200);    // cambered, negative incidence
  const Outcome a_alone = compute(a, dir / "a_alone");
  const Outcome b_alone = compute(b, dir / "b_alone");
  ASSERT_TRUE(a_alone.ok);
  ASSERT_TRUE(b_alone.ok);
  ASSERT_NE(a_alone.results, b_alone.results);

  Outcome a_together, b_together;
  std::thread ta([&] { a_together = compute(a, dir / "a_together"); });
  std::thread tb([&] { b_together = compute(b, dir / "b_together"); });
  ta.join();
  tb.join();

  EXPECT_EQ(a_together.results, a_alone.results);
  EXPECT_EQ(b_together.results, b_alone.results);
  ASSERT_EQ(a_together.reports.size(), a_alone.reports.size());
  for (const auto& [name, text] : a_alone.reports) EXPECT_TRUE(a_together.reports[name] == text) << name;
  for (const auto& [name, text] : b_alone.reports) EXPECT_TRUE(b_together.reports[name] == text) << name;
}

TEST_F(IndependentSessions, SurfacesSideBySideGiveWhatTheyGiveOneAfterTheOther) {
  // The default section (the upper surface goes over to the inverse mode,
  // the outer edge grows) and a fine one whose stations 162 and 163 are
  // dumped on both surfaces.
  for (const aerofoil::SectionInputs& in : {aerofoil::SectionInputs{}, aerofoil::joukowskiInputs(4.0, 0.1, 0.05, 400)}) {
    std::string lines_apart, lines_together;
    const Outcome apart = compute(in, dir / "apart", false, &lines_apart);
    const Outcome together = compute(in, dir / "together", true, &lines_together);
    ASSERT_TRUE(apart.ok);
    EXPECT_EQ(together.results, apart.results);
    ASSERT_EQ(together.reports.size(), apart.reports.size());
    for (const auto& [name, text] : apart.reports) EXPECT_TRUE(together.reports.at(name) == text) << name;
    EXPECT_GT(apart.reports.at("NetFunc.out").size(), 1000u);
    EXPECT_TRUE(lines_together == lines_apart);
    std::filesystem::remove_all(dir / "apart");
    std::filesystem::remove_all(dir / "together");
  }
}
