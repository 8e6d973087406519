// The viscous analysis: what the boundary-layer window with "Viscous
// interaction" costs at its defaults (the default section, every report
// off), and one angle of a viscous polar (e/R1 0.1, h/R1 0.1, Re 10
// million, 0 to 10 degrees in steps of 0.5, each angle starting from the
// one before); each with the coupling's own closure, Spalart-Allmaras
// (sa:1), and with the algebraic eddy viscosity (sa:0).
#include <benchmark/benchmark.h>

#include <string>

#include "joukowski.h"
#include "polar.h"
#include "viscous_analysis.h"

namespace {

void BM_ViscousAnalysis(benchmark::State& state) {
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, 256);
  aerofoil::solveSection(af, 12.0, 0.131, 0.0);
  viscous::Settings settings;
  if (state.range(0) == 0) settings.turbulence = bl::Turbulence::algebraic;
  for (auto _ : state) {
    const viscous::Result r = viscous::analyse(af, bl::ComputationParameters{}, settings);
    if (!r.status.ok || !r.converged) {
      state.SkipWithError("the viscous analysis did not settle");
      break;
    }
    state.counters["sweeps"] = r.sweeps;
  }
}
BENCHMARK(BM_ViscousAnalysis)->ArgName("sa")->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_ViscousPolarPerPoint(benchmark::State& state) {
  polar::Settings set;
  set.section.eR1 = 0.1;
  set.section.hR1 = 0.1;
  set.viscous = true;
  if (state.range(0) == 0) set.coupling.turbulence = bl::Turbulence::algebraic;
  std::string why;
  set.angles = polar::steppedAngles(0.0, 10.0, 0.5, polar::kMaxAngles, why);
  for (auto _ : state) {
    int failed = 0;
    polar::compute(set, [&failed](const polar::Point& p) { failed += p.computed ? 0 : 1; });
    if (failed > 0) {
      state.SkipWithError("an angle of the viscous polar failed");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(set.angles.size()));
}
BENCHMARK(BM_ViscousPolarPerPoint)->ArgName("sa")->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
