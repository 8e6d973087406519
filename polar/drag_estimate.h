// The Squire-Young estimate of the profile drag from the trailing-edge
// state of the boundary layer on both surfaces.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "session/session.h"

namespace polar {

// A surface's results under the name the printed lines give it ("upper",
// "lower", "surface").
struct NamedSurface : bl::SurfaceResult {
  std::string name;

  NamedSurface(std::string n, bl::SurfaceResult r) : bl::SurfaceResult(std::move(r)), name(std::move(n)) {}
  double thetaTe() const { return d2.empty() ? 0.0 : d2.back(); }
  double hTe() const { return h12.empty() ? 0.0 : h12.back(); }
  double ueTe() const { return ue.empty() ? 0.0 : ue.back(); }
};

// Cd = sum over the surfaces of 2 theta_te ue_te^((H_te + 5)/2).  The
// formula holds for a wake of positive momentum thickness leaving at a
// positive edge velocity; for any other trailing-edge state (a march driven
// far outside its range can end there) there is no estimate: the result is
// NaN and why, when given, says which surface and value stand in the way.
double squireYoung(const std::vector<NamedSurface>& surfaces, std::string* why = nullptr);

}  // namespace polar
