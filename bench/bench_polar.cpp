// Polars: the cost of one angle of a 21-angle polar (0 to 10 degrees in
// steps of 0.5, e/R1 0.1, h/R1 0.1, Re 10 million, transition tripped at
// 0.02 and 0.03 of arc length), on one worker and on one per core.
#include <benchmark/benchmark.h>

#include <string>

#include "polar.h"

namespace {

polar::Settings polarSettings(int jobs) {
  polar::Settings set;
  set.section.eR1 = 0.1;
  set.section.hR1 = 0.1;
  std::string why;
  set.angles = polar::steppedAngles(0.0, 10.0, 0.5, polar::kMaxAngles, why);
  set.jobs = jobs;
  return set;
}

// range(0): workers (0: one per core).  Items are angles, so the reported
// rate gives the cost per point.
void BM_PolarPerPoint(benchmark::State& state) {
  const polar::Settings set = polarSettings(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    int failed = 0;
    polar::compute(set, [&failed](const polar::Point& p) { failed += p.computed ? 0 : 1; });
    if (failed > 0) {
      state.SkipWithError("an angle of the polar failed");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(set.angles.size()));
}
BENCHMARK(BM_PolarPerPoint)->ArgName("jobs")->Arg(1)->Arg(0)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
