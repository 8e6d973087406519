// The profiles across the boundary layer around the station being
// computed, and the normal grid they live on.
//
// Level arrays (k = 1..3, j = 1..NP): level 3 is the station being
// computed, level 2 the previous converged station, level 1 the one before
// it; the backward x-differences of the box scheme read all three.  Normal
// arrays: the grid over all 821 points, where the edge growth may reach,
// and over the NP points in use the gas properties of level 3 and the
// Newton corrections of the last iteration.
//
// They belong to one pass: allocate() acquires them zero-filled at its
// start, for the points the pass starts with, extend() makes room for the
// points the edge growth adds (zero until written), and release() gives
// them up at its end.  A few elements are read before anything writes them
// (aa(1), deta(821)); zero is their value.
#pragma once

#include <array>

#include "core/farray.h"
#include "core/grid.h"

namespace bl {

struct LayerProfiles {
  // Normal grid
  Alloc1<double> eta;   // normal coordinate of point j
  Alloc1<double> deta;  // step eta(j+1) - eta(j)
  Alloc1<double> aa;    // half step below j: deta(j-1)/2, j >= 2
  // Across the layer at the current station
  Alloc1<double> tte;   // temperature ratio T/Te
  Alloc1<double> bb;    // effective viscosity
  Alloc1<double> df;    // Newton correction of f, last iteration
  Alloc1<double> du;    // Newton correction of u, last iteration
  Alloc1<double> dv;    // Newton correction of v, last iteration

  // Level arrays
  Alloc2<double> f;     // stream function
  Alloc2<double> u;     // velocity / U8
  Alloc2<double> v;     // shear du/deta
  Alloc2<double> b;     // eddy-viscosity ratio
  Alloc2<double> ccro;  // density ratio across the layer
  Alloc2<double> ccmu;  // viscosity ratio across the layer

  static constexpr int kLevels = 3;  // stations P-2, P-1 and P

  void allocate(int points = kMaxGridPoints) {
    for (auto* a : grid()) a->allocate(kMaxGridPoints);
    for (auto* a : across()) a->allocate(points);
    for (auto* a : levels()) a->allocate(kLevels, points);
  }
  void extend(int points) {
    for (auto* a : across()) a->extend(points);
    for (auto* a : levels()) a->extend(points);
  }
  void release() {
    for (auto* a : grid()) a->release();
    for (auto* a : across()) a->release();
    for (auto* a : levels()) a->release();
  }

  // The level arrays, in the order the levels are shifted.
  std::array<Alloc2<double>*, 6> levels() { return {&f, &u, &v, &b, &ccro, &ccmu}; }

 private:
  std::array<Alloc1<double>*, 3> grid() { return {&eta, &deta, &aa}; }
  std::array<Alloc1<double>*, 5> across() { return {&tte, &bb, &df, &du, &dv}; }
};

}  // namespace bl
