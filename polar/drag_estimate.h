// The Squire-Young estimate of the profile drag from the trailing-edge
// state of the boundary layer on both surfaces.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/surface_result.h"

namespace polar {

// A surface's results under the name the printed lines give it ("upper",
// "lower", "surface").
struct NamedSurface : bl::SurfaceResult {
  std::string name;

  NamedSurface(std::string n, bl::SurfaceResult r) : bl::SurfaceResult(std::move(r)), name(std::move(n)) {}
  double thetaTe() const { return at_trailing_edge(bl::Column::d2); }
  double hTe() const { return at_trailing_edge(bl::Column::h12); }
  double ueTe() const { return at_trailing_edge(bl::Column::ue); }
};

// Cd = sum over the surfaces of 2 theta_te ue_te^((H_te + 5)/2).  The
// formula holds for a wake of positive momentum thickness leaving at a
// positive edge velocity; for any other trailing-edge state (a march driven
// far outside its range can end there) there is no estimate: the result is
// NaN and why, when given, says which surface and value stand in the way.
double squireYoung(const std::vector<NamedSurface>& surfaces, std::string* why = nullptr);

}  // namespace polar
