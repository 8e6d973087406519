// Air as a perfect gas with Sutherland's viscosity law, the constants written
// in single precision as the solver has always taken them.
#pragma once

#include <cmath>

namespace bl {

// (gamma - 1)/2 of air, the kinetic-energy term of the total enthalpy in the
// layer's property formulas: T/Te = 1 + (gamma-1)/2 Me^2 (1 - (u/ue)^2).
constexpr double kHalfGammaMinus1 = 0.2f;

// Sutherland's law mu = C T^1.5 / (T + S), SI units.
constexpr double kSutherlandC = 1.491e-7f;  // kg/(m s K^0.5)
constexpr double kSutherlandS = 110.4f;     // K

inline double sutherland(double t) { return kSutherlandC * std::pow(t, 1.5) / (t + kSutherlandS); }

}  // namespace bl
