// Outer flow with displacement: what one coupling sweep costs (a solve
// with new mass defects), and what a new section or wake line costs once.
#include <benchmark/benchmark.h>

#include <cmath>

#include "joukowski.h"
#include "outer_flow.h"
#include "trailing_streamline.h"

namespace {

struct Case {
  aerofoil::Joukowski af;
  aerofoil::Streamline wake;
  std::vector<double> m, flux;
};

// The default section at 4 degrees with a boundary-layer-like mass defect
// (growing from the nose to the edge on both sides) and a wake of about a
// hundred points over three chords whose defect relaxes downstream.
Case makeCase(int n) {
  Case c;
  aerofoil::resizePoints(c.af, n);
  aerofoil::solveSection(c.af, 4.0, 0.131, 0.05);
  aerofoil::OuterFlow flow(c.af);
  aerofoil::trailingStreamline(flow, flow.bareFlow(flow.bareGamma()), {3.0, 0.001, 1.05}, c.wake);
  c.m.resize(static_cast<std::size_t>(n) + 1);
  for (std::size_t i = 0; i < c.m.size(); ++i) {
    const double fromNose = 1.0 - c.af.x[i];
    c.m[i] = c.af.v[i] * 0.004 * std::pow(1.0 - fromNose + 1e-3, 0.8);
  }
  const double m0 = c.m.front() - c.m.back();
  for (std::size_t k = 0; k + 1 < c.wake.s.size(); ++k)
    c.flux.push_back(-0.2 * m0 * (std::exp(-c.wake.s[k] / 0.3) - std::exp(-c.wake.s[k + 1] / 0.3)));
  return c;
}

void BM_OuterFlowSolve(benchmark::State& state) {
  const Case c = makeCase(static_cast<int>(state.range(0)));
  aerofoil::OuterFlow flow(c.af);
  flow.setWake(c.wake.x, c.wake.y);
  aerofoil::OuterSolution out;
  for (auto _ : state) {
    flow.solve(c.m, c.flux, out);
    benchmark::DoNotOptimize(out.cl);
  }
  state.counters["wake_points"] = static_cast<double>(c.wake.x.size());
}
BENCHMARK(BM_OuterFlowSolve)->Arg(256)->Arg(512)->Unit(benchmark::kMicrosecond);

// Once per section: circle plane, grid interpolation, trigonometric tables.
void BM_OuterFlowSection(benchmark::State& state) {
  const Case c = makeCase(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    aerofoil::OuterFlow flow(c.af);
    benchmark::DoNotOptimize(flow.fftLength());
  }
}
BENCHMARK(BM_OuterFlowSection)->Arg(256)->Unit(benchmark::kMicrosecond);

// Once per wake line: the sources' influence on surface and wake.
void BM_OuterFlowWake(benchmark::State& state) {
  const Case c = makeCase(static_cast<int>(state.range(0)));
  aerofoil::OuterFlow flow(c.af);
  for (auto _ : state) benchmark::DoNotOptimize(flow.setWake(c.wake.x, c.wake.y));
}
BENCHMARK(BM_OuterFlowWake)->Arg(256)->Unit(benchmark::kMicrosecond);

void BM_TrailingStreamline(benchmark::State& state) {
  const Case c = makeCase(256);
  aerofoil::OuterFlow flow(c.af);
  const aerofoil::OuterSolution bare = flow.bareFlow(flow.bareGamma());
  aerofoil::Streamline line;
  for (auto _ : state)
    benchmark::DoNotOptimize(aerofoil::trailingStreamline(flow, bare, {3.0, 0.001, 1.05}, line));
}
BENCHMARK(BM_TrailingStreamline)->Unit(benchmark::kMicrosecond);

}  // namespace
