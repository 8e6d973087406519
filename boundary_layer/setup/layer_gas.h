// Gas properties across the boundary layer at one station.
//
// The total enthalpy is constant through the layer, so
//   T/Te = 1 + (gamma-1)/2 Me^2 (1 - (u/ue)^2),
// and the pressure is constant across it, so rho/rhoe = Te/T.  The viscosity
// follows Sutherland's law.  At a low edge Mach number T is the same at
// every grid point, so the power T^1.5 is taken again only when T changes.
#pragma once

#include <cmath>

#include "setup/gas.h"
#include "setup/work_arrays.h"

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

// T/Te into tte(j) and rho/rhoe into ccro(3, j) of the current profile at
// station P, with ue3 the edge velocity and m2 = (gamma-1)/2 Me^2; returns
// the temperature T in K.
inline double layer_state(WorkArrays& wa, int P, int j, double ue3, double m2) {
  const double ur = wa.u(3, j) / ue3;
  wa.tte(j) = 1.0 + (1.0 - ur * ur) * m2;
  wa.ccro(3, j) = wa.roe8(P) / wa.tte(j);
  return wa.tte(j) * wa.te(P);
}

}  // namespace bl
