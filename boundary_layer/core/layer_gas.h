// Gas properties across the boundary layer at one station.
//
// The total enthalpy is constant through the layer, so
//   T/Te = 1 + (gamma-1)/2 Me^2 (1 - (u/ue)^2),
// and the pressure is constant across it, so rho/rhoe = Te/T.  The viscosity
// follows Sutherland's law.  At a low edge Mach number T is the same at
// every grid point, so the power T^1.5 is taken again only when T changes.
#pragma once

#include <cmath>

#include "core/gas.h"
#include "core/layer_profiles.h"

namespace bl {

// T^1.5 along one profile, remembering the last temperature.
class SutherlandPower {
  double t_ = std::nan("");
  double p_ = 0.0;

 public:
  double operator()(double t) {
    if (!(t == t_)) {
      t_ = t;
      p_ = std::pow(t, 1.5);
    }
    return p_;
  }
};

// Sutherland's law with the power taken from `power`; the same value as
// sutherland(t).
inline double sutherland(double t, SutherlandPower& power) {
  return kSutherlandC * power(t) / (t + kSutherlandS);
}

// T/Te into tte(j) and rho/rhoe into ccro(3, j) of the current profile,
// with ue3 the edge velocity, m2 = (gamma-1)/2 Me^2 and the edge density
// ratio roe8 and temperature te of the station; returns the temperature T
// in K.
inline double layer_state(LayerProfiles& lp, int j, double ue3, double m2, double roe8, double te) {
  const double ur = lp.u(3, j) / ue3;
  lp.tte(j) = 1.0 + (1.0 - ur * ur) * m2;
  lp.ccro(3, j) = roe8 / lp.tte(j);
  return lp.tte(j) * te;
}

}  // namespace bl
