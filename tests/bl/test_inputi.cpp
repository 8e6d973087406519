// Input preparation of a surface pass, working arrays and parameter checks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "core/parameters.h"
#include "report_folder_fixture.h"
#include "setup/pass_input.h"
#include "setup/surface_split.h"
#include "small_contour.h"

namespace {

// A fresh run: default parameters and the small contour whose split is
// kept in sxr_ue_small.out (4 nodes on each surface).
class InputPrep : public ReportFolderTest {
 protected:
  bl::SplitSurfaces split;
  bl::ComputationParameters params;
  bl::SolverScalars sd;
  bl::StationArrays st;

  void SetUp() override {
    ReportFolderTest::SetUp();
    bl::Contour c = small_contour();
    ASSERT_TRUE(bl::split_at_stagnation(c, reports, split).ok);
  }
  const bl::SurfaceValues& surface(bl::Surface which) const {
    return which == bl::Surface::upper ? split.upper : split.lower;
  }
  // The input of a pass after one that took the inverse-mode skin friction
  // cfsep_before.
  void input(bl::Surface which, double cfsep_before = 0.0) {
    bl::prepare_pass_input(surface(which), which, params, cfsep_before, sd, st, reports);
  }
};

}  // namespace

TEST_F(InputPrep, FreeStreamAtTheDefaults) {
  testing::internal::CaptureStdout();
  input(bl::Surface::upper);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(sd.M8, 0.0);
  EXPECT_EQ(sd.T8, 300.0);
  EXPECT_EQ(sd.T0, 300.0);
  EXPECT_EQ(sd.RE, 1.0e7);
  EXPECT_NEAR(sd.SQRE, 3162.2777, 1e-4);
  EXPECT_NEAR(sd.A8, 347.276, 1e-3);
  EXPECT_EQ(sd.A8, static_cast<double>(static_cast<float>(sd.A8)));  // single precision
  EXPECT_NEAR(sd.U8, 69.455, 1e-3);
  EXPECT_NEAR(sd.MU8, 1.8878e-6, 1e-10);
  EXPECT_DOUBLE_EQ(sd.NU8, sd.U8 / 1.0e7);
  EXPECT_DOUBLE_EQ(sd.RO8, sd.MU8 / sd.NU8);
  EXPECT_EQ(sd.RO0, sd.RO8);

  EXPECT_EQ(sd.NXT, 4);
  EXPECT_EQ(sd.NP, 41);
  EXPECT_EQ(sd.XTR, 0.02);
  EXPECT_EQ(sd.ETAE, 6.0);
  EXPECT_EQ(sd.VLBL, 1.1);
  EXPECT_EQ(sd.VTBL, 1.1);
  EXPECT_EQ(sd.CFSEP, 0.15);
}

TEST_F(InputPrep, EdgeStateAndWallOfEveryStation) {
  testing::internal::CaptureStdout();
  input(bl::Surface::lower);
  testing::internal::GetCapturedStdout();
  for (int i = 1; i <= sd.NXT; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(st.x(i), split.lower.s[static_cast<std::size_t>(i - 1)]);
    EXPECT_EQ(st.ue(i), split.lower.ue[static_cast<std::size_t>(i - 1)]);
    EXPECT_EQ(st.eme(i), 0.0);
    EXPECT_DOUBLE_EQ(st.roe8(i), 1.0);
    EXPECT_DOUBLE_EQ(st.emue8(i), 1.0);
    EXPECT_DOUBLE_EQ(st.enue8(i), 1.0);
    EXPECT_DOUBLE_EQ(st.te8(i), 1.0);
    // Re_x = ue x U8 / NU8 = ue x Re with all ratios 1
    EXPECT_NEAR(st.rx(i), st.ue(i) * st.x(i) * 1.0e7, 1e-6 * (1 + st.rx(i)));
    EXPECT_EQ(st.cf_bc(i), 0.15);
    EXPECT_EQ(st.d1_bc(i) + st.rv_bc(i) + st.uww(i) + st.vww(i) + st.tww(i), 0.0);
  }
  EXPECT_EQ(st.rx(1), 0.0);  // the stagnation point
}

// Two passes of one computation, byte for byte: the first pass prints the
// CFSEP of the pass before (0 in a new run), the second the first's; the
// wall table appears twice in each pass; the closing lines also go to
// standard output.
TEST_F(InputPrep, ReportOfUpperAndLowerPass) {
  testing::internal::CaptureStdout();
  input(bl::Surface::upper);
  input(bl::Surface::lower, sd.CFSEP);
  const std::string out = testing::internal::GetCapturedStdout();
  ASSERT_TRUE(reports.status(bl::Report::InputBl).ok);
  const std::string rep = read("InputBl.out");
  EXPECT_EQ(rep, slurp(std::filesystem::path(VELTARO_TEST_DATA) / "InputBl_small.out"));
  EXPECT_EQ(out,
            "                                        NUMBER RE=  0.1000E+08\n"
            " NXT  =  4              NP2  = 41     XTR  =  0.200000E-01\n"
            " ETAE =  0.600000E+01   VLBL =  0.110000E+01   VTBL=   0.110000E+01   NU   =  0.694552E-05\n"
            "\n"
            "                                        NUMBER RE=  0.1000E+08\n"
            " NXT  =  4              NP2  = 41     XTR  =  0.300000E-01\n"
            " ETAE =  0.600000E+01   VLBL =  0.110000E+01   VTBL=   0.110000E+01   NU   =  0.694552E-05\n"
            "\n");
}

TEST_F(InputPrep, StationArraysStartAtZeroEveryPass) {
  testing::internal::CaptureStdout();
  input(bl::Surface::upper);
  // Leftovers of a pass in elements the march reads before writing them.
  st.cfb(2) = 7;
  st.d1_bc(2) = 7;
  input(bl::Surface::lower);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(st.cfb(2), 0.0);
  EXPECT_EQ(st.d1_bc(2), 0.0);
  EXPECT_EQ(st.x.size(), split.lower.nodes());
}

TEST(Parameters, DefaultsAreValid) { EXPECT_TRUE(bl::validate_parameters(bl::ComputationParameters{}).ok); }

TEST(Parameters, EachOutOfRangeValueIsNamedWithItsRange) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const bl::ComputationParameters good;
  struct Case {
    void (*spoil)(bl::ComputationParameters&);
    const char* name;
    const char* range;
  };
  const Case cases[] = {
      {[](auto& p) { p.re_mill = 0; }, "Re(mill)", "greater than 0"},
      {[](auto& p) { p.re_mill = -3; }, "Re(mill)", "greater than 0"},
      {[](auto& p) { p.eta_e = 0; }, "ETAe", "greater than 0"},
      {[](auto& p) { p.kv = -1.1; }, "Kv", "at least 1"},
      {[](auto& p) { p.kv = 0.5; }, "Kv", "at least 1"},  // a grid shrinking away from the wall
      {[](auto& p) { p.kv = 1e6; }, "Kv", "at most 10"},
      {[](auto& p) { p.eta_e = 1e6; }, "ETAe", "at most 1000"},
      {[](auto& p) { p.np_in = 1; }, "Np", "from 2 to 821"},
      {[](auto& p) { p.np_in = 822; }, "Np", "from 2 to 821"},
      {[](auto& p) { p.cfs_sqrt_re = 0; }, "Cfs*sqrt(Re)", "greater than 0"},
      {[](auto& p) { p.xtr_surf[0] = -1e-9; }, "Str u", "at least 0"},
      {[](auto& p) { p.xtr_surf[1] = -0.5; }, "Str l", "at least 0"},
      {[](auto& p) { p.xinv_surf[1] = -0.5; }, "Sinv l", "at least 0"},
  };
  for (const Case& c : cases) {
    bl::ComputationParameters p = good;
    c.spoil(p);
    const bl::Status s = bl::validate_parameters(p);
    EXPECT_FALSE(s.ok) << c.name;
    // Named as the window labels it, the value right after the name.
    EXPECT_EQ(s.message.rfind(std::string(c.name) + " = ", 0), 0u) << s.message;
    EXPECT_NE(s.message.find(c.range), std::string::npos) << s.message;
  }
  // A number too large for a double (1e400 reads as an infinity) is called so.
  for (double bad : {nan, inf, -inf}) {
    bl::ComputationParameters p = good;
    p.xtr_surf[0] = bad;
    EXPECT_FALSE(bl::validate_parameters(p).ok);
    p = good;
    p.kv = bad;
    EXPECT_EQ(bl::validate_parameters(p).message, std::string("Kv is ") + (std::isnan(bad) ? "not a number" : "too large") +
                                                      ": it must be a finite number of at least 1 and at most 10.");
  }
  bl::ComputationParameters edge = good;  // the ends of the ranges are allowed
  edge.np_in = 2;
  edge.xtr_surf[0] = edge.xtr_surf[1] = 0;
  edge.kv = 1.0;
  EXPECT_TRUE(bl::validate_parameters(edge).ok);
  edge.np_in = 821;
  edge.kv = 1.0005;  // uniform first step, then growing
  EXPECT_TRUE(bl::validate_parameters(edge).ok);
  // The ranges the windows and the command line show are those checked.
  EXPECT_EQ(bl::accepted_range(bl::Parameter::Kv), "a number of at least 1 and at most 10");
  EXPECT_EQ(bl::range_in_short(bl::Parameter::Kv), "1..10");
  EXPECT_EQ(bl::range_in_short(bl::Parameter::EtaE), "> 0, <= 1000");
}

// A grid whose first step the march cannot resolve is refused when it is
// set, not by a singular Newton system at the first station: Kv 2.7 on 41
// points (a first step of 6e-17), 200 points at Kv 1.2 (2e-16), ETAe
// 1e-300; Kv 2.5 (1.1e-15), whose starting profile is solved, and the
// grids in use pass.
TEST(Parameters, AGridTooFineAtTheWallIsRefusedWithItsFirstStep) {
  for (auto [kv, np, eta] : {std::tuple{2.7, 41, 6.0}, {1.2, 200, 6.0}, {1.05, 821, 6.0}, {1.1, 41, 1e-300}}) {
    bl::ComputationParameters p;
    p.kv = kv;
    p.np_in = np;
    p.eta_e = eta;
    const bl::Status s = bl::validate_parameters(p);
    EXPECT_FALSE(s.ok) << kv << " " << np;
    EXPECT_EQ(s.message.rfind("the normal grid of ETAe = ", 0), 0u) << s.message;
  }
  for (auto [kv, np] : {std::pair{1.1, 41}, {1.6, 41}, {2.5, 41}, {3.0, 11}, {1.0005, 821}, {1.01, 821}}) {
    bl::ComputationParameters p;
    p.kv = kv;
    p.np_in = np;
    EXPECT_TRUE(bl::validate_parameters(p).ok) << kv << " " << np;
  }
}
