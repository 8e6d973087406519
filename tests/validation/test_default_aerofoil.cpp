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
#include "setup/surface_split.h"
#include "march/surface_march.h"
#include "session/exchange_data.h"
#include "joukowski.h"
#include "report/fortran_format.h"

namespace {


class DefaultAerofoil : public SolverTest {
 protected:
  void SetUp() override {
    SolverTest::SetUp();
    aerofoil::Joukowski af;
    const int N = 256;
    aerofoil::resizePoints(af, N);
    aerofoil::solveSection(af, 12.0, 0.131, 0.0);
    for (int i = 0; i <= N; ++i) {
      blx.s_cont(i + 1) = af.s[static_cast<std::size_t>(i)];
      blx.v_cont(i + 1) = af.v[static_cast<std::size_t>(i)];
    }
    blx.n_cont(0) = N;
    blx.params = bl::ComputationParameters{};
    split();
    blx.params.xinv_surf[0] = blx.s_bl(blx.n_bl(0), 0);
    blx.params.xinv_surf[1] = blx.s_bl(blx.n_bl(5), 5);
  }

  void split() {
    int k = 0;
    ASSERT_TRUE(bl::BLPanel(blx, reports, k).ok);
  }

  // One computation: both surfaces; the results of every slot in a list.
  std::vector<double> compute() {
    std::vector<double> results;
    for (int isurf = 0; isurf <= 1; ++isurf) {
      const bl::Status s = march(isurf);
      EXPECT_TRUE(s.ok) << s.message;
      const int m = 5 * isurf;
      for (int i = 3; i <= blx.n_bl(m); ++i)
        for (double q : {blx.ue_bl(i, m), blx.cf_bl(i, m), blx.d1_bl(i, m), blx.d2_bl(i, m), blx.h12_bl(i, m),
                         blx.rv_bl(i, m)})
          results.push_back(q);
      results.push_back(blx.params.xtr_surf[isurf]);
      results.push_back(blx.params.xinv_surf[isurf]);
    }
    return results;
  }
};

TEST_F(DefaultAerofoil, BothSurfacesReachTheTrailingEdge) {
  compute();
  const std::string calc = read("CalcBl.out");
  const auto rows = station_rows(calc);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(blx.n_bl(0) - 2 + blx.n_bl(5) - 2));

  std::size_t r = 0;
  for (int isurf = 0; isurf <= 1; ++isurf) {
    const int m = 5 * isurf;
    const double xinv = blx.params.xinv_surf[isurf];
    for (int i = 3; i <= blx.n_bl(m); ++i, ++r) {
      for (double q : {blx.ue_bl(i, m), blx.cf_bl(i, m), blx.d1_bl(i, m), blx.d2_bl(i, m), blx.h12_bl(i, m),
                       blx.rv_bl(i, m)})
        EXPECT_TRUE(std::isfinite(q)) << "surface " << isurf << " station " << i;
      if (blx.s_bl(i, m) <= xinv) {
        EXPECT_GT(blx.cf_bl(i, m), 0.0) << "surface " << isurf << " station " << i;
      }
      // Stored as reported.
      const StationRow& row = rows[r];
      ASSERT_EQ(row.P, i);
      EXPECT_EQ(row.real_field(0), fx::E(12, 5, blx.s_bl(i, m)));
      EXPECT_EQ(row.real_field(1), fx::E(12, 5, blx.ue_bl(i, m)));
      EXPECT_EQ(row.real_field(3), fx::E(12, 5, blx.d1_bl(i, m)));
      EXPECT_EQ(row.real_field(4), fx::E(12, 5, blx.rv_bl(i, m)));
      EXPECT_EQ(row.real_field(5), fx::E(12, 5, blx.cf_bl(i, m)));
    }
    EXPECT_EQ(blx.params.xtr_surf[isurf], isurf == 0 ? 0.02 : 0.03);  // tripped before Michel's point
    EXPECT_LE(blx.params.xinv_surf[isurf], blx.s_bl(blx.n_bl(m), m));
  }
  // At 12 degrees the suction side separates just ahead of the trailing
  // edge; the pressure side stays attached.
  EXPECT_GT(blx.params.xinv_surf[0], 0.9);
  EXPECT_LT(blx.params.xinv_surf[0], blx.s_bl(blx.n_bl(0), 0));
  EXPECT_EQ(blx.params.xinv_surf[1], blx.s_bl(blx.n_bl(5), 5));

  // Each pass: opening lines, grid table, then column headers before 3, 40, 80, 120.
  const std::string header = "\n   NX       X          UE";
  int headers = 0;
  for (std::size_t at = calc.find(header); at != std::string::npos; at = calc.find(header, at + 1)) ++headers;
  int expected = 0;
  for (int m : {0, 5})
    for (int P = 3; P <= blx.n_bl(m); ++P) expected += (P == 3 || P % 40 == 0) ? 1 : 0;
  EXPECT_EQ(headers, expected);
  EXPECT_EQ(calc.rfind("   Start  of b.l. computation 0\n Upper surface,  Element=           0\n", 0), 0u);
  EXPECT_NE(calc.find("   Start  of b.l. computation 0\n Lower surface,  Element=           0\n"), std::string::npos);
}

TEST_F(DefaultAerofoil, RecalculationRepeatsThePasses) {
  const std::vector<double> first = compute();
  const int last_count = ms.kIter;  // Newton iterations of the lower pass's last station
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
