// Boundary-layer side: what "BL Calculation" and "Recalculate" cost, split
// into the march of both surfaces (with and without the text reports), one
// Newton iteration at a station, and the formatting of one report row; and
// how the march scales with the contour points N and the normal grid NP.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "session/session.h"
#include "core/block_solver.h"
#include "core/box_scheme.h"
#include "session/exchange_data.h"
#include "joukowski.h"
#include "report/station_rows.h"
#include "march/march_state.h"
#include "report/report_files.h"
#include "setup/solver_scalars.h"
#include "setup/work_arrays.h"

namespace {

// The window's default section: alpha 12 degrees, e/R1 0.131, h/R1 0.
constexpr double kAlpha = 12.0, kThickness = 0.131, kCamber = 0.0;

// A fresh folder for the reports of one benchmark, removed afterwards.
class ReportFolder {
 public:
  ReportFolder() {
    char pattern[] = "/tmp/veltaro_bench_XXXXXX";
    const char* made = ::mkdtemp(pattern);
    path_ = made ? made : std::filesystem::temp_directory_path().string();
    bl::set_report_folder(path_);
  }
  ~ReportFolder() {
    bl::close_reports();
    bl::set_report_folder("");
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ReportFolder(const ReportFolder&) = delete;
  ReportFolder& operator=(const ReportFolder&) = delete;

 private:
  std::string path_;
};

// The default section at N intervals, with the boundary-layer window's start
// values and a normal grid of np points whose step ratio refines the default
// grid (41 points, ratio 1.1) evenly: ratio 1.1^(40/(np-1)), so that the same
// layer is resolved ever finer.
aerofoil::Joukowski default_section(int n, int np) {
  bl::set_default_parameters();
  bl::blx.np_in = np;
  bl::blx.kv = std::pow(1.1, 40.0 / (np - 1));
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, n);
  aerofoil::solveSection(af, kAlpha, kThickness, kCamber);
  return af;
}

// "BL Calculation": the contour handed over and split, then the upper and
// the lower pass from the surface ends as inverse-mode start.  Every round
// starts from the same state, so every round does the same work.
bool bl_calculation(benchmark::State& state, const aerofoil::Joukowski& af) {
  bl::Status st = bl::hand_over_contour(af.s, af.v, af.currentN);
  if (st.ok) st = bl::new_computation();
  if (!st.ok) state.SkipWithError(st.message.c_str());
  return st.ok;
}

// "BL Calculation" on the default section with every report written as in
// the program.  The run-long reports are started afresh, outside the timing,
// every 64 rounds so that they do not grow without bound.
void BM_BothSurfacesWithReports(benchmark::State& state) {
  ReportFolder folder;
  bl::set_diagnostics_enabled(false);
  const aerofoil::Joukowski af = default_section(static_cast<int>(state.range(0)), 41);
  long since_reset = 0;
  for (auto _ : state) {
    if (++since_reset == 64) {
      state.PauseTiming();
      bl::close_reports();
      since_reset = 0;
      state.ResumeTiming();
    }
    if (!bl_calculation(state, af)) break;
  }
  bl::set_diagnostics_enabled(true);
}
BENCHMARK(BM_BothSurfacesWithReports)->Arg(256)->Unit(benchmark::kMillisecond);

// The same with report writing switched off: the numerical work alone.
void BM_BothSurfacesNoReports(benchmark::State& state) {
  bl::set_reports_enabled(false);
  const int n = static_cast<int>(state.range(0));
  const int np = static_cast<int>(state.range(1));
  const aerofoil::Joukowski af = default_section(n, np);
  for (auto _ : state)
    if (!bl_calculation(state, af)) break;
  bl::set_reports_enabled(true);
  state.counters["N"] = n;
  state.counters["NP"] = np;
}
// Default case, then scaling with N at NP = 41 and with NP at N = 256.
BENCHMARK(BM_BothSurfacesNoReports)
    ->Args({256, 41})
    ->Args({128, 41})
    ->Args({512, 41})
    ->Args({1024, 41})
    ->Args({256, 81})
    ->Args({256, 161})
    ->Unit(benchmark::kMillisecond);

// A station set up by hand in the middle of a laminar surface: five
// stations at x = 0.1 .. 0.5 with a slightly accelerating edge, a geometric
// grid of np points out to eta = 8, and a boundary-layer-like profile on
// the three levels, level 3 off the solution so that the residuals are
// non-zero at the first iteration.
class Station {
 public:
  static constexpr int P = 4;

  Station(int np, bool inverse) {
    bl::alloc_bl(6);
    bl::solver_alloc();
    bl::sd.NP = np;
    bl::sd.XINV = inverse ? 0.25 : 10.0;
    for (int i = 1; i <= 6; ++i) {
      const double x = 0.1 * (i - 1);
      bl::wa.x(i) = x;
      bl::wa.ue(i) = 1.0 + 0.2 * x;
      bl::wa.roe8(i) = bl::wa.emue8(i) = 1.0;
      bl::wa.te(i) = 300.0;
      bl::wa.emue(i) = 1.491e-7f * std::pow(300.0, 1.5) / (300.0 + 110.4f);
      bl::wa.cf_bc(i) = 0.15;
    }
    const double ratio = 1.02;
    const double h = 8.0 * (ratio - 1.0) / (std::pow(ratio, np - 1) - 1.0);
    bl::wa.eta(1) = 0.0;
    for (int j = 1; j < bl::kMaxGridPoints; ++j) {
      bl::wa.deta(j) = h * std::pow(ratio, j - 1);
      bl::wa.eta(j + 1) = bl::wa.eta(j) + bl::wa.deta(j);
      bl::wa.aa(j + 1) = 0.5 * bl::wa.deta(j);
    }
    for (int k = 1; k <= 3; ++k) {
      const double ue = bl::wa.ue(P - 3 + k) * (k == 3 ? 1.01 : 1.0);
      for (int j = 1; j <= np; ++j) {
        const double e = bl::wa.eta(j), d = std::exp(-e);
        bl::wa.f(k, j) = ue * (e - 1.0 + d);
        bl::wa.u(k, j) = ue * (1.0 - d);
        bl::wa.v(k, j) = ue * d;
        bl::wa.b(k, j) = 0.0;
      }
    }
    const double d1 = bl::wa.x(P) - bl::wa.x(P - 1), d2 = bl::wa.x(P - 1) - bl::wa.x(P - 2);
    bl::ms.c3 = (2.0 * d1 + d2) / (d1 * (d1 + d2));
    bl::ms.c2 = -(d1 + d2) / (d1 * d2);
    bl::ms.c1 = d1 / (d2 * (d1 + d2));
  }
  ~Station() {
    bl::solver_free();
    bl::dealloc_bl();
  }
  Station(const Station&) = delete;
  Station& operator=(const Station&) = delete;
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
  const int P = Station::P;
  for (auto _ : state) {
    bl::box_fluxes(P, bl::wa.dpdx(P));
    bl::box_system(P);
    bl::Status st = inverse ? bl::block_solve_pair(P, bl::ca.rvec, bl::ca.xvec, bl::ca.eyvec, bl::ca.yvec)
                            : bl::block_solve(P, bl::ca.rvec, bl::ca.xvec);
    if (st.ok && inverse) st = bl::inverse_update(bl::wa.cf_bc(P), bl::ca.xvec, bl::ca.yvec, P);
    if (st.ok && !inverse) bl::newton_update(bl::ca.xvec);
    if (!st.ok) {
      state.SkipWithError(st.message.c_str());
      break;
    }
    benchmark::DoNotOptimize(bl::wa.v(3, 1));
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
  bl::alloc_bl(6);
  bl::sd.NP = 41;
  const int P = 5;
  bl::wa.x(P) = 0.123456789;
  bl::wa.ue(P) = 1.87654321;
  bl::wa.eme(P) = 0.0;
  bl::wa.d1b(P) = 3.2e-4;
  bl::wa.rov(P) = -1.5e-3;
  bl::wa.cfb(P) = 4.1e-3;
  bl::ms.DUmax = 7.3e-8;
  bl::ms.JUmax = 12;
  bl::ms.kIter = 3;
  for (auto _ : state) benchmark::DoNotOptimize(bl::station_row(P));
  bl::dealloc_bl();
}
BENCHMARK(BM_StationRowText)->Unit(benchmark::kMicrosecond);

}  // namespace
