// A turbulent layer to start the march from, given by its momentum
// thickness and shape factor (a layer measured in a wind tunnel, say).
//
// The profile is Coles's composite of the law of the wall and the law of
// the wake,
//   u+ = u_wall+(y+) + (Pi / kappa) 2 sin^2(pi y / (2 delta)),   y <= delta,
//   u  = ue beyond,
// with the wall law in Spalding's form, continuous from the sublayer into
// the logarithmic region,
//   y+ = u+ + exp(-kappa B) [exp(kappa u+) - 1 - kappa u+ - (kappa u+)^2/2 - (kappa u+)^3/6],
// kappa = 0.41, B = 5.0.  Its three parameters, the friction velocity, Pi
// and delta, follow from the edge condition ue+ = u_wall+(delta+) + 2 Pi / kappa
// and the two thicknesses given.
#pragma once

#include <vector>

#include "core/status.h"

namespace bl {

struct CompositeProfile {
  double ue_plus = 0;     // ue / u_tau = sqrt(2 / Cf)
  double wake = 0;        // Coles's wake parameter Pi
  double delta_plus = 0;  // layer thickness in wall units, delta u_tau / nu

  // u / ue and d(u/ue)/d(y+) at y+.
  double u(double y_plus) const;
  double du(double y_plus) const;
};

// The profile with momentum-thickness Reynolds number re_theta and shape
// factor h (1.25 <= h <= 2.2, re_theta >= 300: a turbulent layer from near
// equilibrium at a low gradient to near separation); a message when there
// is none.
Status composite_profile(double re_theta, double h, CompositeProfile& out);

// Displacement and momentum thickness of a profile, in wall units.
void composite_thicknesses(const CompositeProfile& c, double& d1_plus, double& d2_plus);

}  // namespace bl
