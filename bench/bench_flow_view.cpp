// The flow view: what a frame of its animation costs before the toolkit
// draws it.  Target: the streamlines of a 600 x 600 section plane at the
// default settings under 30 ms, so that 25 frames a second leave room for
// the drawing.
#include <benchmark/benchmark.h>

#include "flow_view.h"
#include "section_model.h"

namespace {

// Arg 0: the Joukowski section (closed-form map); 1: NACA 4412 (numerical
// map, its series summed a ring at a time).
aerofoil::Joukowski section(int kind, double alpha) {
  aerofoil::SectionInputs in;
  if (kind == 1) {
    in.kind = aerofoil::SectionKind::naca;
    in.naca = "4412";
  }
  std::string why;
  aerofoil::Joukowski af;
  aerofoil::makeSection(in, why)->solve(alpha, af);
  return af;
}

// The section plane of a 600 x 600 canvas: the field, its grid through the
// map, the contoured streamlines and the dividing streamline, drawn as
// primitives (range 1: coloured by Cp as well).
void BM_FlowViewStreamlines(benchmark::State& state) {
  const aerofoil::Joukowski af = section(static_cast<int>(state.range(0)), 8.0);
  const bool coloured = state.range(1) != 0;
  const plot::PlaneFrame sf = plot::sectionFrame(600, 600);
  const plot::PlaneFrame cf = plot::circleFrame(0.3, 1, 1);  // no circle plane to cover
  for (auto _ : state) {
    const plot::FlowScene scene(af, sf, cf, plot::kDefaultStreamlines, coloured);
    benchmark::DoNotOptimize(
        plot::flowView(scene, sf, coloured ? plot::FieldColour::pressure : plot::FieldColour::none).data());
  }
}
BENCHMARK(BM_FlowViewStreamlines)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1})->Unit(benchmark::kMillisecond);

// A frame of the window as it opens (section plane 600 x 530, circle plane
// 400 x 530): one scene, both planes.
void BM_FlowViewFrame(benchmark::State& state) {
  const aerofoil::Joukowski af = section(static_cast<int>(state.range(0)), 8.0);
  const plot::PlaneFrame sf = plot::sectionFrame(600, 530);
  const plot::PlaneFrame cf = plot::circleFrame(aerofoil::FlowField(af).radius(), 400, 530);
  for (auto _ : state) {
    const plot::FlowScene scene(af, sf, cf, plot::kDefaultStreamlines, false);
    benchmark::DoNotOptimize(plot::flowView(scene, sf, plot::FieldColour::none).data());
    benchmark::DoNotOptimize(plot::circleView(scene, cf).data());
  }
}
BENCHMARK(BM_FlowViewFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One reading of the probe: the inverse map and the flow there.
void BM_Probe(benchmark::State& state) {
  const aerofoil::Joukowski af = section(static_cast<int>(state.range(0)), 8.0);
  const aerofoil::FlowField field(af);
  double y = 0.2;
  for (auto _ : state) {
    benchmark::DoNotOptimize(field.at({0.5, y}).psi);
    y = y == 0.2 ? 0.21 : 0.2;
  }
}
BENCHMARK(BM_Probe)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
