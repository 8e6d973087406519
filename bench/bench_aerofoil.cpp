// Aerofoil side: what every spinner step costs before drawing.
#include <benchmark/benchmark.h>

#include "aerofoil_plot.h"
#include "contour_file.h"
#include "joukowski.h"
#include "result_file.h"
#include "section_file.h"
#include "numerical_map.h"
#include "section_measures.h"
#include "section_model.h"

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

// A section from a 200-point coordinate file, as File > Open section...
// makes it: the file's text read into an outline, its numerical conformal
// map found and its thickness and camber measured (NACA 4412's points).
void BM_MapCoordinateFile(benchmark::State& state) {
  aerofoil::SectionInputs in;
  in.kind = aerofoil::SectionKind::naca;
  in.naca = "4412";
  in.n = 200;
  std::string why;
  aerofoil::Joukowski af;
  aerofoil::makeSection(in, why)->solve(0.0, af);
  const std::string text = aerofoil::contourText(af);
  for (auto _ : state) {
    aerofoil::SectionOutline outline;
    if (!aerofoil::sectionFromCoordinates(text, outline, why)) state.SkipWithError(why.c_str());
    const auto map = aerofoil::NumericalMap::build(*outline.shape, why);
    benchmark::DoNotOptimize(aerofoil::measureSection(*map));
  }
}
BENCHMARK(BM_MapCoordinateFile)->Unit(benchmark::kMillisecond);

// A change of angle of a mapped section, the map kept: what a spinner step
// of Alpha costs on NACA 4412, against BM_AerofoilSolve's Joukowski step.
void BM_MappedSectionAngle(benchmark::State& state) {
  aerofoil::SectionInputs in;
  in.kind = aerofoil::SectionKind::naca;
  in.naca = "4412";
  in.n = static_cast<int>(state.range(0));
  std::string why;
  const auto model = aerofoil::makeSection(in, why);
  aerofoil::Joukowski af;
  double alpha = 4.0;
  for (auto _ : state) {
    model->solve(alpha, af);
    alpha = alpha == 4.0 ? 4.1 : 4.0;
    benchmark::DoNotOptimize(af.v.back());
  }
}
BENCHMARK(BM_MappedSectionAngle)->Arg(256)->Arg(1199)->Unit(benchmark::kMicrosecond);

}  // namespace
