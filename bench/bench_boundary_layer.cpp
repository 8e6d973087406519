// Boundary-layer side: what "BL Calculation" and "Recalculate" cost, split
// into the march of both surfaces (with and without the text reports), one
// Newton iteration at a station, and the formatting of one report row; and
// how the march scales with the contour points N and the normal grid NP.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/block_solver.h"
#include "core/box_scheme.h"
#include "core/gas.h"
#include "joukowski.h"
#include "report/station_rows.h"
#include "session/session.h"

namespace {

// A fresh folder for the reports of one benchmark, removed afterwards.
class ReportFolder {
 public:
  explicit ReportFolder(bl::ReportFiles& reports) : reports_(reports) {
    char pattern[] = "/tmp/veltaro_bench_XXXXXX";
    const char* made = ::mkdtemp(pattern);
    path_ = made ? made : std::filesystem::temp_directory_path().string();
    reports_.set_folder(path_);
  }
  ~ReportFolder() {
    reports_.close_all();
    reports_.set_folder("");
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ReportFolder(const ReportFolder&) = delete;
  ReportFolder& operator=(const ReportFolder&) = delete;

 private:
  bl::ReportFiles& reports_;
  std::string path_;
};

// The window's default section at N intervals.
aerofoil::Joukowski default_section(int n) {
  const aerofoil::SectionInputs in;
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, n);
  aerofoil::solveSection(af, in.alphaDeg, in.eR1, in.hR1);
  return af;
}

// The boundary-layer window's start values with a normal grid of np points
// whose step ratio refines the default grid (41 points, ratio 1.1) evenly:
// ratio 1.1^(40/(np-1)), so that the same layer is resolved ever finer.
bl::ComputationParameters refined_grid(int np) {
  bl::ComputationParameters p;
  p.np_in = np;
  p.kv = std::pow(1.1, 40.0 / (np - 1));
  return p;
}

// "BL Calculation": the contour handed over and split, then the upper and
// the lower pass from the surface ends as inverse-mode start.  Every round
// starts from the same state, so every round does the same work.
bool bl_calculation(benchmark::State& state, bl::Session& session, const aerofoil::Joukowski& af) {
  bl::Status st = session.hand_over_contour(af.s, af.v, af.currentN, af.x, af.y);
  if (st.ok) st = session.new_computation();
  if (!st.ok) state.SkipWithError(st.message.c_str());
  return st.ok;
}

// "BL Calculation" on the default section with every report written as in
// the program.  The run-long reports are started afresh, outside the timing,
// every 64 rounds so that they do not grow without bound.
void BM_BothSurfacesWithReports(benchmark::State& state) {
  bl::Session session;
  session.set_concurrent_surfaces(state.range(1) != 0);
  ReportFolder folder(session.reports());
  session.reports().set_diagnostics(false);
  const aerofoil::Joukowski af = default_section(static_cast<int>(state.range(0)));
  long since_reset = 0;
  for (auto _ : state) {
    if (++since_reset == 64) {
      state.PauseTiming();
      session.reports().close_all();
      since_reset = 0;
      state.ResumeTiming();
    }
    if (!bl_calculation(state, session, af)) break;
  }
}
BENCHMARK(BM_BothSurfacesWithReports)->ArgNames({"N", "concurrent"})->Args({256, 1})->Args({256, 0})->UseRealTime()->Unit(benchmark::kMillisecond);

// The same with report writing switched off: the numerical work alone.
void BM_BothSurfacesNoReports(benchmark::State& state) {
  bl::Session session;
  session.set_concurrent_surfaces(state.range(2) != 0);
  session.reports().set_enabled(false);
  const int n = static_cast<int>(state.range(0));
  const int np = static_cast<int>(state.range(1));
  if (!session.set_parameters(refined_grid(np)).ok) state.SkipWithError("grid refused");
  const aerofoil::Joukowski af = default_section(n);
  for (auto _ : state)
    if (!bl_calculation(state, session, af)) break;
  state.counters["N"] = n;
  state.counters["NP"] = np;
}
// Default case, then scaling with N at NP = 41 and with NP at N = 256.
BENCHMARK(BM_BothSurfacesNoReports)
    ->ArgNames({"N", "NP", "concurrent"})
    ->Args({256, 41, 1})
    ->Args({256, 41, 0})
    ->Args({128, 41, 1})
    ->Args({512, 41, 1})
    ->Args({1024, 41, 1})
    ->Args({256, 81, 1})
    ->Args({256, 161, 1})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The turbulent stations of a layer, per station, with the closure the
// argument names (0 the algebraic eddy viscosity, 1 Spalart-Allmaras):
// Wieghardt's flat plate (ue/nu 2.185e6 per metre) from its measured state
// at 0.187 m to 4.987 m in 240 steps, and the increasingly adverse gradient
// of a layer that nears separation, ue falling by a quarter over the same
// length.  Report writing off.
void BM_TurbulentStation(benchmark::State& state) {
  bl::Session session;
  session.reports().set_enabled(false);
  bl::ComputationParameters params;
  params.re_mill = 2.185;
  params.turbulence = state.range(0) != 0 ? bl::Turbulence::spalart_allmaras : bl::Turbulence::algebraic;
  if (!session.set_parameters(params).ok) state.SkipWithError("parameters refused");
  const bool adverse = state.range(1) != 0;
  std::vector<double> s, ue;
  for (int k = 0; k <= 240; ++k) {
    s.push_back(0.187 + 0.02 * k);
    const double t = k / 240.0;
    ue.push_back(adverse ? 1.0 - 0.25 * t * t : 1.0);
  }
  const bl::LayerStart start{0.0004923, 1.642};
  for (auto _ : state) {
    const bl::Status st = session.march_table(s, ue, start);
    if (!st.ok) {
      state.SkipWithError(st.message.c_str());
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * 240);
}
BENCHMARK(BM_TurbulentStation)
    ->ArgNames({"sa", "adverse"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// A station set up by hand in the middle of a laminar surface: stations at
// x = 0.1 apart with a slightly accelerating edge, the fourth computed, a
// geometric grid of np points out to eta = 8, and a boundary-layer-like
// profile on the three levels, level 3 off the solution so that the
// residuals are non-zero at the first iteration.
class Station {
 public:
  Station(int np, bool inverse) {
    lp_.allocate();
    ca_.allocate();
    const auto ue = [](int i) { return 1.0 + 0.2 * 0.1 * (i - 1); };
    sys.np = np;
    sys.at = bl::StationState{4, 0.0, 1.0, 300.0, bl::sutherland(300.0), 0.0, ue(4), 0.0, 0.0};
    sys.edge = inverse ? bl::EdgeCondition::momentum_balance : bl::EdgeCondition::velocity;
    // Three-point backward difference on the even step 0.1.
    sys.w = bl::DifferenceWeights{0.5 / 0.1, -2.0 / 0.1, 1.5 / 0.1};
    const double ratio = 1.02;
    const double h = 8.0 * (ratio - 1.0) / (std::pow(ratio, np - 1) - 1.0);
    lp_.eta(1) = 0.0;
    for (int j = 1; j < bl::kMaxGridPoints; ++j) {
      lp_.deta(j) = h * std::pow(ratio, j - 1);
      lp_.eta(j + 1) = lp_.eta(j) + lp_.deta(j);
      lp_.aa(j + 1) = 0.5 * lp_.deta(j);
    }
    for (int k = 1; k <= 3; ++k) {
      const double uk = ue(k + 1) * (k == 3 ? 1.01 : 1.0);
      for (int j = 1; j <= np; ++j) {
        const double e = lp_.eta(j), d = std::exp(-e);
        lp_.f(k, j) = uk * (e - 1.0 + d);
        lp_.u(k, j) = uk * (1.0 - d);
        lp_.v(k, j) = uk * d;
        lp_.b(k, j) = 0.0;
      }
    }
  }

 private:
  bl::LayerProfiles lp_;
  bl::CoreArrays ca_;
  bl::BoxState bx_;

 public:
  bl::StationSystem sys{lp_, ca_, bx_, 0, {}, {}, bl::EdgeCondition::velocity};
};

// One Newton iteration at a station: fluxes, assembly, block solve and the
// direct update (range(1) = 0) or the substitution of the second
// right-hand side and the inverse update with the prescribed wall shear
// (range(1) = 1), as the march does them.  The iterates converge
// after a few rounds; the work per iteration does not depend on the values.
void BM_NewtonIteration(benchmark::State& state) {
  const int np = static_cast<int>(state.range(0));
  const bool inverse = state.range(1) != 0;
  Station station(np, inverse);
  bl::StationSystem& s = station.sys;
  bl::CoreArrays& ca = s.ca;
  const int P = s.at.station;
  for (auto _ : state) {
    bl::box_fluxes(s);
    bl::box_system(s);
    bl::Status st = inverse ? bl::block_solve_pair(ca, np, P, ca.rvec, ca.xvec, ca.eyvec, ca.yvec)
                            : bl::block_solve(ca, np, P, ca.rvec, ca.xvec);
    if (st.ok && inverse) st = bl::inverse_update(s, bl::prescribed_wall_shear(s.lp, 0.15));
    if (st.ok && !inverse) bl::newton_update(s);
    if (!st.ok) {
      state.SkipWithError(st.message.c_str());
      break;
    }
    benchmark::DoNotOptimize(s.lp.v(3, 1));
  }
  state.SetComplexityN(np);
}
BENCHMARK(BM_NewtonIteration)
    ->ArgNames({"NP", "inverse"})
    ->Args({41, 0})
    ->Args({201, 0})
    ->Args({41, 1})
    ->Args({201, 1})
    ->Unit(benchmark::kMicrosecond);

// The text of one station row of the march report (I5, 7E12.5, 5I5).
void BM_StationRowText(benchmark::State& state) {
  const bl::StationRow row{5, 0.123456789, 1.87654321, 0.0, 3.2e-4, -1.5e-3, 4.1e-3, 7.3e-8, 12, 3, 41, 0, 1};
  for (auto _ : state) benchmark::DoNotOptimize(bl::station_row(row));
}
BENCHMARK(BM_StationRowText)->Unit(benchmark::kMicrosecond);

}  // namespace
