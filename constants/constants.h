// Constants shared across the program, each defined once, as the exact
// doubles every figure is computed with.
#pragma once

namespace constants {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 2.0 * kPi;   // 6.283185307179586
constexpr double kHalfPi = 0.5 * kPi;  // 1.5707963267948966

// Von Karman's constant of the log law, u+ = ln(y+)/kappa + B: in the
// turbulent starting profile and in the Spalart-Allmaras model.
constexpr double kKappa = 0.41;

}  // namespace constants
