// The march over a whole surface: refusals of surfaces it cannot march,
// the report layout along the march (column headers, dumps of stations 162
// and 163 only, passes in the order they ran), results stored as reported,
// and the guarded failures: a station that produces no finite numbers, an
// outer edge at the grid capacity, transition at the first marched station.
#include <cmath>
#include <filesystem>
#include <regex>

#include "march/surface_march.h"
#include "report/fortran_format.h"
#include "solver_fixture.h"
#include "surface_table.h"

namespace {


class SurfaceMarch : public SolverTest {
 protected:
  // Accelerating flow ue = s (1 + s) on n evenly spaced nodes up to s_end,
  // laminar throughout unless a transition position is given.
  bl::SurfaceValues accelerating(bl::Surface which, int n, double s_end) {
    params.xtr_surf[bl::index(which)] = 10.0;
    params.xinv_surf[bl::index(which)] = s_end;
    return surface_table(n, [=](int i) { return s_end * (i - 1) / (n - 1); },
                         [](double s) { return s * (1.0 + s); });
  }
  bl::SurfaceValues accelerating(int n, double s_end) { return accelerating(bl::Surface::upper, n, s_end); }

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
  bl::SurfaceResult r = march(accelerating(2, 0.1));
  EXPECT_FALSE(r.status.ok);
  EXPECT_NE(r.status.message.find("at least 3"), std::string::npos) << r.status.message;

  bl::SurfaceValues surf = accelerating(8, 0.1);
  surf.s[4] = surf.s[3];  // a zero step
  r = march(surf);
  EXPECT_FALSE(r.status.ok);
  EXPECT_NE(r.status.message.find("node 5"), std::string::npos) << r.status.message;

  surf = accelerating(8, 0.1);
  surf.ue[5] = 0.0;  // a second stagnation point
  r = march(surf);
  EXPECT_FALSE(r.status.ok);
  EXPECT_NE(r.status.message.find("node 6"), std::string::npos) << r.status.message;

  surf = accelerating(8, 0.1);
  surf.ue[0] = surf.ue[1];  // no growth from the first node
  EXPECT_FALSE(march(surf).status.ok);

  params.np_in = 900;  // parameters out of range
  r = march(accelerating(8, 0.1));
  EXPECT_FALSE(r.status.ok);
  EXPECT_NE(r.status.message.find("Np"), std::string::npos) << r.status.message;

  EXPECT_FALSE(std::filesystem::exists(dir / "CalcBl.out"));  // refused before anything
  EXPECT_FALSE(std::filesystem::exists(dir / "InputBl.out"));
}

// A grid whose starting profile cannot be solved (steps growing tenfold:
// a first step of 5e-39) is refused before the pass, and the user hears
// why even when no report can be written.
TEST_F(SurfaceMarch, AGridTheStartingProfileCannotUseIsToldWhenNoReportCanBeWritten) {
  params.kv = 10.0;
  reports.set_folder((dir / "missing").string());
  const bl::SurfaceResult r = march(accelerating(8, 0.1));
  EXPECT_FALSE(r.status.ok);
  EXPECT_NE(r.status.message.find("the normal grid of ETAe = 6, Kv = 10"), std::string::npos) << r.status.message;
  EXPECT_EQ(r[bl::Column::cf][2], 0.0);  // nothing marched
}

// A long accelerating laminar surface: never inverse, never turbulent,
// headers before stations 3, 40, 80, 120, 160, every station stored as
// reported, and only stations 162 and 163 dumped at each iteration.
TEST_F(SurfaceMarch, LongLaminarSurfaceReportsStoresAndDumps) {
  const bl::SurfaceResult r = march(accelerating(170, 1.0));
  ASSERT_TRUE(r.status.ok) << r.status.message;
  EXPECT_EQ(r.xinv, 1.0);
  EXPECT_EQ(r.xtr, 10.0);
  EXPECT_EQ(r.inverse_at + r.transition_at, 0);

  const bl::SurfaceResult& result = r;
  const std::string calc = read("CalcBl.out");
  const auto rows = station_rows(calc);
  ASSERT_EQ(rows.size(), 168u);
  for (const StationRow& row : rows) {
    EXPECT_EQ(row.ninv, 0);
    EXPECT_EQ(row.ktbl, 1);
    EXPECT_LE(row.kiter, 21);
    const auto at = [&](bl::Column c) { return fx::E(12, 5, result[c][static_cast<std::size_t>(row.P - 1)]); };
    EXPECT_EQ(row.real_field(0), at(bl::Column::s));
    EXPECT_EQ(row.real_field(1), at(bl::Column::ue));
    EXPECT_EQ(row.real_field(3), at(bl::Column::d1));
    EXPECT_EQ(row.real_field(4), at(bl::Column::rv));
    EXPECT_EQ(row.real_field(5), at(bl::Column::cf));
    EXPECT_GT(row.cf, 0.0);
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
  EXPECT_TRUE(state.dumps_open);  // until the lower pass ends
}

TEST_F(SurfaceMarch, PassesFollowEachOtherInTheReport) {
  const bl::SurfaceValues upper = accelerating(bl::Surface::upper, 12, 0.2);
  const bl::SurfaceValues lower = accelerating(bl::Surface::lower, 15, 0.3);
  for (int computation = 0; computation < 2; ++computation) {
    ASSERT_TRUE(march(upper).status.ok);
    ASSERT_TRUE(march(lower, bl::Surface::lower).status.ok);
    EXPECT_FALSE(state.dumps_open);
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
  bl::SurfaceValues surf = accelerating(16, 0.3);
  const std::vector<double> cf = march(surf)[bl::Column::cf];

  surf.ue[8] = 1e300;
  const bl::SurfaceResult r = march(surf);
  EXPECT_FALSE(r.status.ok);
  EXPECT_NE(r.status.message.find("station 9"), std::string::npos) << r.status.message;
  for (int i = 2; i < 8; ++i) EXPECT_EQ(r[bl::Column::cf][i], cf[i]) << i;
  for (int i = 8; i < 16; ++i) {
    EXPECT_EQ(r[bl::Column::cf][i], 0.0) << i;
    EXPECT_EQ(r[bl::Column::ue][i], r[bl::Column::ue_inv][i]) << i;
  }

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
  const bl::SurfaceValues surf =
      surface_table(n, [=](int i) { return 0.019 * (i - 1) / (n - 1); },
                    [](double x) { return x < 0.005 ? 200.0 * x : 1.0 - 0.2 * (x - 0.005) / 0.014; });
  params.xtr_surf[0] = 10.0;
  testing::internal::CaptureStdout();
  const bl::Status s = march(surf).status;
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
  params.np_in = 821;
  params.kv = 1.0;
  params.eta_e = 1.0;  // the stagnation layer is about 2.4 thick
  const bl::SurfaceResult r = march(accelerating(10, 0.1));
  EXPECT_TRUE(r.status.ok) << r.status.message;
  EXPECT_EQ(r.edge_limited_at, 3);  // a caution apart from the status
  EXPECT_NE(bl::edge_limit_note(bl::Surface::upper, 3).find("821 points at station 3"), std::string::npos);
  EXPECT_NE(read("CalcBl.out").find("The outer edge of the normal grid was held at"), std::string::npos);
  for (double cf : r[bl::Column::cf]) EXPECT_TRUE(std::isfinite(cf));
}

// Transition at 0 makes station 3 the first turbulent one: the
// intermittency integral starts at the stagnation node, not before it.
TEST_F(SurfaceMarch, TransitionAtTheStagnationPoint) {
  const bl::SurfaceValues surf = accelerating(30, 0.3);
  params.xtr_surf[0] = 0.0;
  const bl::SurfaceResult result = march(surf);
  ASSERT_TRUE(result.status.ok);
  const auto rows = station_rows(read("CalcBl.out"));
  ASSERT_EQ(rows.size(), 28u);
  for (const StationRow& r : rows) {
    EXPECT_EQ(r.ktbl, 2);
    EXPECT_TRUE(std::isfinite(r.cf) && r.cf > 0) << r.P;
  }
  EXPECT_EQ(result.xtr, 0.0);
  EXPECT_EQ(result.transition_at, 3);
}

// Reports off: no file appears, and the results are those of a run with
// reports.
TEST_F(SurfaceMarch, ReportsOffChangeNoResult) {
  const bl::SurfaceValues surf = accelerating(40, 0.5);
  params.xtr_surf[0] = 0.05;
  const bl::SurfaceResult with = march(surf);
  ASSERT_TRUE(with.status.ok);
  reports.close_all();
  for (const auto& e : std::filesystem::directory_iterator(dir)) std::filesystem::remove(e.path());

  reports.set_enabled(false);
  const bl::SurfaceResult without = march(surf);
  reports.set_enabled(true);
  ASSERT_TRUE(without.status.ok) << without.status.message;
  EXPECT_TRUE(std::filesystem::is_empty(dir));
  EXPECT_EQ(without.columns, with.columns);
}

}  // namespace
