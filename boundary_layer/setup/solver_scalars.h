// Scalars of the boundary-layer solver: the free stream, the Reynolds
// number and the run parameters of one surface pass.
//
// They belong to one pass: its input preparation sets every member at the
// start.  (The inverse-mode skin friction of the pass before, which the
// input report prints, is carried by the solver state of the march.)
//
// The gas is air treated as a perfect gas with Sutherland viscosity.  The
// march is written for compressible flow, but the free-stream Mach number is
// held at 0, so every density, viscosity and temperature ratio comes out 1.
#pragma once

#include "core/grid.h"

namespace bl {

struct SolverScalars {
  // Free stream
  double M8 = 0;    // free-stream Mach number (held at 0)
  double T8 = 0;    // free-stream static temperature, K
  double LREF = 0;  // reference length, m; scales NU8, Re_x and the thicknesses
  double RE = 0;    // Reynolds number U8*LREF/NU8 = 1e6 * re_mill
  double SQRE = 0;  // sqrt(RE)
  double T0 = 0;    // stagnation temperature, K
  double MU8 = 0;   // free-stream dynamic viscosity (Sutherland), kg/(m s)
  double A8 = 0;    // free-stream speed of sound, m/s (a single-precision value)
  double U8 = 0;    // free-stream speed, m/s; solver velocities are fractions of it
  double NU8 = 0;   // free-stream kinematic viscosity, m^2/s
  double RO8 = 0;   // free-stream density, kg/m^3
  double RO0 = 0;   // stagnation density, kg/m^3

  // Run parameters of the pass
  int NXT = 0;       // number of stations on the surface
  int NP = 0;        // normal grid points in use; the edge growth raises it by 2
  double XTR = 0;    // transition position (arc length); laminar for x < XTR
  double XINV = 0;   // start of the inverse mode (arc length); inverse for x > XINV
  double ETAE = 0;   // outer edge of the normal grid of the starting profile
  double VLBL = 0;   // normal-grid step ratio of the laminar part
  double VTBL = 0;   // normal-grid step ratio taken over at transition
  double CFSEP = 0;  // prescribed Cf*sqrt(Re) of the inverse mode
  int regime = 0;    // 0 near the stagnation point, 2 once x > 0.02 downstream
};

}  // namespace bl
