// The march over a whole surface: refusals of surfaces it cannot march,
// the report layout along the march (column headers, dumps of stations 162
// and 163 only, passes in the order they ran), results stored as reported,
// and the guarded failures: a station that produces no finite numbers, an
// outer edge at the grid capacity, transition at the first marched station.
#include <cmath>
#include <filesystem>
#include <regex>

#include "march/surface_march.h"
#include "core/block_solver.h"
#include "march/pass.h"
#include "report/fortran_format.h"
#include "solver_fixture.h"
#include "surface_table.h"
#include "setup/work_arrays.h"

namespace {


class SurfaceMarch : public SolverTest {
 protected:
  void SetUp() override {
    SolverTest::SetUp();
    blx.params = bl::ComputationParameters{};
    blx.n_bl_max = 0;
  }

  // Accelerating flow ue = s (1 + s) on n evenly spaced nodes up to s_end,
  // laminar throughout unless a transition position is given.
  void accelerating(int slot, int n, double s_end) {
    surface_table(blx, slot, n, [=](int i) { return s_end * (i - 1) / (n - 1); },
                  [](double s) { return s * (1.0 + s); });
    blx.params.xtr_surf[slot / 5] = 10.0;
    blx.params.xinv_surf[slot / 5] = s_end;
  }

  bl::Status run(int isurf) { return march(isurf); }

  // Entries of a dump file per station, from its " IT=... NX=..." lines.
  std::map<int, int> dump_entries(const std::string& file, const char* lead) {
    std::map<int, int> n;
    const std::regex head(std::string("^") + lead + " IT=[ 0-9]{5} NX=([ 0-9]{5})");
    std::istringstream in(read(file));
    std::string line;
    std::smatch m;
    while (std::getline(in, line))
      if (std::regex_search(line, m, head)) ++n[std::stoi(m[1])];
    return n;
  }
};

TEST_F(SurfaceMarch, SurfacesThatCannotBeMarchedAreRefused) {
  accelerating(0, 2, 0.1);
  bl::Status s = run(0);
  EXPECT_FALSE(s.ok);
  EXPECT_NE(s.message.find("at least 3"), std::string::npos) << s.message;

  accelerating(0, 8, 0.1);
  blx.s_bl(5, 0) = blx.s_bl(4, 0);  // a zero step
  s = run(0);
  EXPECT_FALSE(s.ok);
  EXPECT_NE(s.message.find("node 5"), std::string::npos) << s.message;

  accelerating(0, 8, 0.1);
  blx.ue_bl(6, 0) = 0.0;  // a second stagnation point
  s = run(0);
  EXPECT_FALSE(s.ok);
  EXPECT_NE(s.message.find("node 6"), std::string::npos) << s.message;

  accelerating(0, 8, 0.1);
  blx.ue_bl(1, 0) = blx.ue_bl(2, 0);  // no growth from the first node
  EXPECT_FALSE(run(0).ok);

  accelerating(0, 8, 0.1);
  blx.params.np_in = 900;  // parameters out of range
  s = run(0);
  EXPECT_FALSE(s.ok);
  EXPECT_NE(s.message.find("Np"), std::string::npos) << s.message;
  blx.params.np_in = 41;
  EXPECT_FALSE(march(2).ok);     // no such surface
  EXPECT_FALSE(march(0, 5).ok);  // no such element

  EXPECT_FALSE(std::filesystem::exists(dir / "CalcBl.out"));  // refused before anything
  EXPECT_FALSE(std::filesystem::exists(dir / "InputBl.out"));
}

// A starting profile that cannot be solved ends the pass, and the user hears
// why even when its report cannot be written either.
TEST_F(SurfaceMarch, FailedStartingProfileIsToldWhenItsReportIsLostToo) {
  accelerating(0, 8, 0.1);
  blx.params.kv = 10.0;  // steps growing tenfold: the starting system is singular
  reports.set_folder((dir / "missing").string());
  const bl::Status s = run(0);
  EXPECT_FALSE(s.ok);
  EXPECT_NE(s.message.find("starting profile"), std::string::npos) << s.message;
  EXPECT_NE(s.message.find("singular"), std::string::npos) << s.message;
  EXPECT_EQ(blx.cf_bl(3, 0), 0.0);  // nothing marched
}

// A long accelerating laminar surface: never inverse, never turbulent,
// headers before stations 3, 40, 80, 120, 160, every station stored as
// reported, and only stations 162 and 163 dumped at each iteration.
TEST_F(SurfaceMarch, LongLaminarSurfaceReportsStoresAndDumps) {
  accelerating(0, 170, 1.0);
  const bl::Status s = run(0);
  ASSERT_TRUE(s.ok) << s.message;
  EXPECT_EQ(blx.params.xinv_surf[0], 1.0);
  EXPECT_EQ(blx.params.xtr_surf[0], 10.0);

  const std::string calc = read("CalcBl.out");
  const auto rows = station_rows(calc);
  ASSERT_EQ(rows.size(), 168u);
  for (const StationRow& r : rows) {
    EXPECT_EQ(r.ninv, 0);
    EXPECT_EQ(r.ktbl, 1);
    EXPECT_LE(r.kiter, 21);
    EXPECT_EQ(r.real_field(0), fx::E(12, 5, blx.s_bl(r.P, 0)));
    EXPECT_EQ(r.real_field(1), fx::E(12, 5, blx.ue_bl(r.P, 0)));
    EXPECT_EQ(r.real_field(3), fx::E(12, 5, blx.d1_bl(r.P, 0)));
    EXPECT_EQ(r.real_field(4), fx::E(12, 5, blx.rv_bl(r.P, 0)));
    EXPECT_EQ(r.real_field(5), fx::E(12, 5, blx.cf_bl(r.P, 0)));
    EXPECT_GT(r.cf, 0.0);
  }
  const std::string header =
      "\n   NX       X          UE          ME          D1         ROV          CF        DUmax    JUmax Kiter NP\n";
  std::vector<int> before;
  for (std::size_t at = calc.find(header); at != std::string::npos; at = calc.find(header, at + 1))
    before.push_back(std::stoi(calc.substr(at + header.size(), 5)));
  EXPECT_EQ(before, (std::vector<int>{3, 40, 80, 120, 160}));

  const auto net = dump_entries("NetFunc.out", "");
  const auto sys = dump_entries("Debug.out", "");
  auto kiter = [&](int P) { return rows[static_cast<std::size_t>(P - 3)].kiter; };
  EXPECT_EQ(net, (std::map<int, int>{{2, 1}, {3, 1}, {162, kiter(162)}, {163, kiter(163)}}));
  // Debug.out heads each iteration twice (system, then profiles).
  EXPECT_EQ(sys, (std::map<int, int>{{162, 2 * kiter(162)}, {163, 2 * kiter(163)}}));
  EXPECT_TRUE(ms.dumps_open);  // until the lower pass ends
}

TEST_F(SurfaceMarch, PassesFollowEachOtherInTheReport) {
  accelerating(0, 12, 0.2);
  accelerating(5, 15, 0.3);
  for (int computation = 0; computation < 2; ++computation) {
    ASSERT_TRUE(run(0).ok);
    ASSERT_TRUE(run(1).ok);
    EXPECT_FALSE(ms.dumps_open);
  }
  const std::regex surface(" (Upper|Lower) surface,  Element=           0");
  std::string order;
  const std::string calc = read("CalcBl.out");
  for (std::sregex_iterator m(calc.begin(), calc.end(), surface), end; m != end; ++m) order += (*m)[1].str()[0];
  EXPECT_EQ(order, "ULUL");
  EXPECT_EQ(station_rows(calc).size(), 2u * (10 + 13));
  // Each pass opens with its header lines and closes with its end line.
  const std::string opening =
      "   Start  of b.l. computation 0\n Upper surface,  Element=           0\n"
      "   Start  of b.l. computation 1\n   Start  of b.l. computation 2\n   Start  of b.l. computation 3\n"
      " Re=   10000000.000    XTR=    10.000   XINV=     0.200\n NP=   41   ETAE=     6.000   VGP=     1.100\n";
  EXPECT_EQ(calc.rfind(opening, 0), 0u);
  EXPECT_EQ(calc.substr(calc.size() - 30), "  The end of b.l. computation\n");
}

// An edge velocity of 1e300 at station 9 overflows the pressure gradient:
// the pass stops there and says so, the stations before it keep their
// results, nothing from 9 on is left standing as a result, the working
// arrays are released and the report is closed off.
TEST_F(SurfaceMarch, StationWithoutFiniteNumbersEndsThePassCleanly) {
  accelerating(0, 16, 0.3);
  ASSERT_TRUE(run(0).ok);
  std::vector<double> cf;
  for (int i = 1; i <= 16; ++i) cf.push_back(blx.cf_bl(i, 0));

  accelerating(0, 16, 0.3);
  blx.ue_bl(9, 0) = blx.ue_inv(9, 0) = 1e300;
  const bl::Status s = run(0);
  EXPECT_FALSE(s.ok);
  EXPECT_NE(s.message.find("station 9"), std::string::npos) << s.message;
  for (int i = 3; i <= 8; ++i) EXPECT_EQ(blx.cf_bl(i, 0), cf[static_cast<std::size_t>(i - 1)]) << i;
  for (int i = 9; i <= 16; ++i) {
    EXPECT_EQ(blx.cf_bl(i, 0), 0.0) << i;
    EXPECT_EQ(blx.ue_bl(i, 0), blx.ue_inv(i, 0)) << i;
  }
  EXPECT_FALSE(ca.amat.allocated());

  const std::string calc = read("CalcBl.out");
  const std::string second = calc.substr(calc.rfind("Upper surface"));
  EXPECT_NE(second.find("\n The pass stopped at station           9\n"), std::string::npos);
  EXPECT_EQ(second.substr(second.size() - 30), "  The end of b.l. computation\n");
  EXPECT_EQ(station_rows(second).back().P, 8);
}

// A laminar layer decelerated to separation before x = 0.02, where the
// separation switch is not yet active, marched in the direct mode: the
// first station near separation stops at the iteration limit, and the
// safeguarded iteration finds no solution either (there is none past
// separation with the edge velocity given), so the station is accepted with
// its 21st iterate and one iteration-limit line, as plain Newton iteration
// left it; the next one breaks down with a singular pivot block, which ends
// the pass with a message naming station and point.
TEST_F(SurfaceMarch, DirectModeSeparationHitsTheIterationLimitThenStops) {
  const int n = 40;
  surface_table(blx, 0, n, [=](int i) { return 0.019 * (i - 1) / (n - 1); },
                [](double x) { return x < 0.005 ? 200.0 * x : 1.0 - 0.2 * (x - 0.005) / 0.014; });
  blx.params.xtr_surf[0] = 10.0;
  testing::internal::CaptureStdout();
  const bl::Status s = run(0);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_FALSE(s.ok);
  EXPECT_NE(s.message.find("station 27"), std::string::npos) << s.message;
  EXPECT_NE(s.message.find("singular"), std::string::npos) << s.message;

  const std::string calc = read("CalcBl.out");
  EXPECT_NE(calc.find(" Safeguarded iteration did not converge at station          26\n"), std::string::npos);
  const auto rows = station_rows(calc);
  ASSERT_EQ(rows.back().P, 26);
  EXPECT_EQ(rows.back().kiter, 21);
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) EXPECT_LE(rows[i].kiter, 20);
  const std::string limit = " k_iter > k_iterMax IT=   21 NX=   26   X=";
  EXPECT_EQ(out.find(limit), out.rfind(limit));
  EXPECT_NE(out.find(limit), std::string::npos);
}

// A normal grid of 821 points whose edge lies inside the layer: the edge
// growth would run past the arrays; the pass goes on with the grid it has
// and says from which station the edge was held.
TEST_F(SurfaceMarch, EdgeHeldAtTheGridCapacity) {
  accelerating(0, 10, 0.1);
  blx.params.np_in = 821;
  blx.params.kv = 1.0;
  blx.params.eta_e = 1.0;  // the stagnation layer is about 2.4 thick
  const bl::Status s = run(0);
  EXPECT_TRUE(s.ok) << s.message;
  EXPECT_EQ(ms.outcome[0].edge_limited_at, 3);  // a caution apart from the status
  EXPECT_NE(bl::edge_limit_note(0, 3).find("821 points at station 3"), std::string::npos);
  EXPECT_NE(read("CalcBl.out").find("The outer edge of the normal grid was held at"), std::string::npos);
  for (int i = 3; i <= 10; ++i) EXPECT_TRUE(std::isfinite(blx.cf_bl(i, 0))) << i;
}

// Transition at 0 makes station 3 the first turbulent one: the
// intermittency integral starts at the stagnation node, not before it.
TEST_F(SurfaceMarch, TransitionAtTheStagnationPoint) {
  accelerating(0, 30, 0.3);
  blx.params.xtr_surf[0] = 0.0;
  ASSERT_TRUE(run(0).ok);
  const auto rows = station_rows(read("CalcBl.out"));
  ASSERT_EQ(rows.size(), 28u);
  for (const StationRow& r : rows) {
    EXPECT_EQ(r.ktbl, 2);
    EXPECT_TRUE(std::isfinite(r.cf) && r.cf > 0) << r.P;
  }
  EXPECT_EQ(blx.params.xtr_surf[0], 0.0);
}

// Reports off: no file appears, and the results are those of a run with
// reports.
TEST_F(SurfaceMarch, ReportsOffChangeNoResult) {
  accelerating(0, 40, 0.5);
  blx.params.xtr_surf[0] = 0.05;
  ASSERT_TRUE(run(0).ok);
  std::vector<double> d2;
  for (int i = 3; i <= 40; ++i) d2.push_back(blx.d2_bl(i, 0));
  reports.close_all();
  for (const auto& e : std::filesystem::directory_iterator(dir)) std::filesystem::remove(e.path());

  reports.set_enabled(false);
  accelerating(0, 40, 0.5);  // the march wrote its edge velocities back
  blx.params.xtr_surf[0] = 0.05;
  const bl::Status s = run(0);
  reports.set_enabled(true);
  ASSERT_TRUE(s.ok) << s.message;
  EXPECT_TRUE(std::filesystem::is_empty(dir));
  for (int i = 3; i <= 40; ++i) EXPECT_EQ(blx.d2_bl(i, 0), d2[static_cast<std::size_t>(i - 3)]) << i;
}

}  // namespace
