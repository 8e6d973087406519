// Squire-Young profile-drag estimate from the trailing-edge boundary layer.
#include "drag_estimate.h"

#include <cmath>
#include <sstream>

#include "viscous_loads.h"

namespace polar {

double squireYoung(const std::vector<NamedSurface>& surfaces, std::string* why) {
  auto none = [why](const std::string& reason) {
    if (why) *why = "no Squire-Young drag estimate: " + reason;
    return std::nan("");
  };
  double cd = 0.0;
  for (const NamedSurface& r : surfaces) {
    std::ostringstream state;
    state << r.name << " surface: ";
    if (!(r.thetaTe() > 0)) {
      state << "trailing-edge momentum thickness " << r.thetaTe() << " is not positive";
      return none(state.str());
    }
    if (!(r.ueTe() > 0)) {
      state << "trailing-edge edge velocity " << r.ueTe() << " is not positive";
      return none(state.str());
    }
    cd += viscous::squire_young(r.thetaTe(), r.ueTe(), r.hTe());
  }
  if (!std::isfinite(cd)) return none("the estimate is not a finite number");
  return cd;
}

}  // namespace polar
