// The default aerofoil (alpha 12 degrees, e/R1 0.131, h/R1 0, N 256,
// default parameters), handed over and split as the aerofoil window does:
// both surfaces reach the trailing edge with finite results, the skin
// friction is positive up to the inverse mode, the stored results are the
// reported ones, and two computations leave their passes in the report in
// the order upper, lower, upper, lower with the same results; the second
// one's reports show what the first left behind.
#include <cmath>
#include <string>
#include <vector>

#include "../bl/solver_fixture.h"
#include "../bl/surface_table.h"
#include "joukowski.h"
#include "report/fortran_format.h"
#include "setup/surface_split.h"

namespace {


class DefaultAerofoil : public SolverTest {
 protected:
  bl::Contour contour;
  bl::SplitSurfaces surfaces;
  bl::SurfaceResult results[2];

  void SetUp() override {
    SolverTest::SetUp();
    aerofoil::Joukowski af;
    aerofoil::resizePoints(af, 256);
    aerofoil::solveSection(af, 12.0, 0.131, 0.0);
    contour = bl::Contour{af.currentN, af.s, af.v, af.x, af.y};
    split();
    params.xinv_surf[0] = surfaces.upper.s.back();
    params.xinv_surf[1] = surfaces.lower.s.back();
  }

  void split() { ASSERT_TRUE(bl::split_at_stagnation(contour, reports, surfaces).ok); }
  const bl::SurfaceValues& surface(int k) const { return k == 0 ? surfaces.upper : surfaces.lower; }

  // One computation: both surfaces, their positions kept for the next one;
  // the marched results of both in a list.
  std::vector<double> compute() {
    std::vector<double> list;
    for (int k = 0; k <= 1; ++k) {
      bl::SurfaceResult& r = results[k];
      r = march(surface(k), bl::kBothSurfaces[k]);
      EXPECT_TRUE(r.status.ok) << r.status.message;
      params.xtr_surf[k] = r.xtr;
      params.xinv_surf[k] = r.xinv;
      for (const bl::ColumnInfo& c : bl::kColumnInfo)
        if (c.marched) list.insert(list.end(), r[c.column].begin() + 2, r[c.column].end());
      list.push_back(r.xtr);
      list.push_back(r.xinv);
    }
    return list;
  }
};

TEST_F(DefaultAerofoil, BothSurfacesReachTheTrailingEdge) {
  compute();
  const std::string calc = read("CalcBl.out");
  const auto rows = station_rows(calc);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(results[0].nodes() - 2 + results[1].nodes() - 2));

  std::size_t next_row = 0;
  for (int k = 0; k <= 1; ++k) {
    const bl::SurfaceResult& r = results[k];
    for (int i = 2; i < r.nodes(); ++i, ++next_row) {
      for (const bl::ColumnInfo& c : bl::kColumnInfo)
        EXPECT_TRUE(std::isfinite(r[c.column][i])) << c.name << ", surface " << k << " station " << i + 1;
      if (r[bl::Column::s][i] <= r.xinv) {
        EXPECT_GT(r[bl::Column::cf][i], 0.0) << "surface " << k << " station " << i + 1;
      }
      // Stored as reported.
      const StationRow& row = rows[next_row];
      ASSERT_EQ(row.P, i + 1);
      const auto at = [&](bl::Column c) { return fx::E(12, 5, r[c][i]); };
      EXPECT_EQ(row.real_field(0), at(bl::Column::s));
      EXPECT_EQ(row.real_field(1), at(bl::Column::ue));
      EXPECT_EQ(row.real_field(3), at(bl::Column::d1));
      EXPECT_EQ(row.real_field(4), at(bl::Column::rv));
      EXPECT_EQ(row.real_field(5), at(bl::Column::cf));
    }
    EXPECT_EQ(r.xtr, k == 0 ? 0.02 : 0.03);  // tripped before Michel's point
    EXPECT_LE(r.xinv, r[bl::Column::s].back());
  }
  // At 12 degrees the suction side separates just ahead of the trailing
  // edge; the pressure side stays attached.
  EXPECT_GT(results[0].xinv, 0.9);
  EXPECT_LT(results[0].xinv, results[0][bl::Column::s].back());
  EXPECT_EQ(results[1].xinv, results[1][bl::Column::s].back());

  // Each pass: opening lines, grid table, then column headers before 3, 40, 80, 120.
  const std::string header = "\n   NX       X          UE";
  int headers = 0;
  for (std::size_t at = calc.find(header); at != std::string::npos; at = calc.find(header, at + 1)) ++headers;
  int expected = 0;
  for (const bl::SurfaceResult& r : results)
    for (int P = 3; P <= r.nodes(); ++P) expected += (P == 3 || P % 40 == 0) ? 1 : 0;
  EXPECT_EQ(headers, expected);
  EXPECT_EQ(calc.rfind("   Start  of b.l. computation 0\n Upper surface,  Element=           0\n", 0), 0u);
  EXPECT_NE(calc.find("   Start  of b.l. computation 0\n Lower surface,  Element=           0\n"), std::string::npos);
}

TEST_F(DefaultAerofoil, RecalculationRepeatsThePasses) {
  const std::vector<double> first = compute();
  const int last_count = state.iterations;  // Newton iterations of the lower pass's last station
  split();  // "Recalculate": the split again restores the inviscid edge velocity
  const std::vector<double> second = compute();
  // The second split re-bases the arc lengths by an offset of rounding size,
  // so the results agree to rounding, not bit for bit.
  ASSERT_EQ(first.size(), second.size());
  double worst = 0.0;
  for (std::size_t i = 0; i < first.size(); ++i)
    worst = std::fmax(worst, std::fabs(first[i] - second[i]) / std::fmax(std::fabs(first[i]), 1e-300));
  EXPECT_LT(worst, 1e-9);

  std::string order;
  const std::string calc = read("CalcBl.out");
  for (std::size_t at = calc.find(" surface,  Element="); at != std::string::npos;
       at = calc.find(" surface,  Element=", at + 1))
    order += calc[at - 5];
  EXPECT_EQ(order, "ULUL");

  // What the recalculation's reports show that the first computation's do
  // not: its upper pass prints the inverse-mode skin friction the last pass
  // left (the very first pass prints 0) and, in its first dumps, the Newton
  // count the last pass ended with; its split finds the stagnation point
  // where the first split put s = 0.
  const std::string input = read("InputBl.out");
  std::string cfsep;
  for (std::size_t at = input.find("CFSEP="); at != std::string::npos; at = input.find("CFSEP=", at + 1))
    cfsep += input.substr(at + 6, 10);
  EXPECT_EQ(cfsep, "     0.000     0.150     0.150     0.150");
  const std::string dumps = read("NetFunc.out");
  ASSERT_NE(last_count, 0);
  EXPECT_EQ(dumps.substr(dumps.find(" IT="), 18), " IT=" + fx::I(5, last_count) + " NX=    2");
  const std::string split_report = read("sxr_ue.out");
  EXPECT_LT(std::fabs(std::stod(split_report.substr(split_report.find("Scrit=") + 6, 15))), 1e-12);
}

}  // namespace
