// Aerofoil side: what every spinner step costs before drawing.
#include <benchmark/benchmark.h>

#include "aerofoil_plot.h"
#include "joukowski.h"
#include "result_file.h"

namespace {

// One solve as recompute runs it: thickness measure, camber, mapping,
// surface speed, characteristics, normalisation and arc length.
void BM_AerofoilSolve(benchmark::State& state) {
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, static_cast<int>(state.range(0)));
  double alpha = 12.0;
  for (auto _ : state) {
    aerofoil::solveSection(af, alpha, 0.131, 0.0);
    benchmark::DoNotOptimize(af.s.back());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AerofoilSolve)->Arg(256)->Arg(1199)->Unit(benchmark::kMicrosecond);

// Extremes and the plot scale: the arithmetic of a redraw without the
// toolkit's drawing calls.
void BM_ExtremesAndScale(benchmark::State& state) {
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, static_cast<int>(state.range(0)));
  aerofoil::solveSection(af, 12.0, 0.131, 0.0);
  plot::PlotScale ps;
  for (auto _ : state) {
    const plot::Drawing d = plot::aerofoilPicture(ps, af, 420, 500);
    benchmark::DoNotOptimize(d.data());
  }
}
BENCHMARK(BM_ExtremesAndScale)->Arg(256)->Arg(1199)->Unit(benchmark::kMicrosecond);

void BM_ResultFileText(benchmark::State& state) {
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, 256);
  aerofoil::solveSection(af, 12.0, 0.131, 0.0);
  for (auto _ : state) benchmark::DoNotOptimize(aerofoil::resultFileText(af));
}
BENCHMARK(BM_ResultFileText)->Unit(benchmark::kMicrosecond);

}  // namespace
